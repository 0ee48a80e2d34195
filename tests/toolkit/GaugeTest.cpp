#include "toolkit/Gauge.h"

#include <gtest/gtest.h>

#include <climits>

// One progress event: the value first, then the maximum.
static void Progress(TGaugeModel& gauge, int progress, int progressMax)
{
    gauge.SetValue(progress);
    gauge.SetMaximum(progressMax);
}

TEST(GaugeModel, StartsEmptyOnAHundred)
{
    TGaugeModel gauge;
    EXPECT_EQ(gauge.Minimum(), 0);
    EXPECT_EQ(gauge.Maximum(), 100);
    EXPECT_EQ(gauge.Value(), 0);
    EXPECT_EQ(gauge.Percent(), 0);
}

TEST(GaugeModel, ValueIsClampedBeforeTheMaximumMoves)
{
    TGaugeModel gauge;
    // 5000 of 10000 after the start-up maximum of 100: the value is clamped
    // against the old maximum, then the maximum rises.
    Progress(gauge, 5000, 10000);
    EXPECT_EQ(gauge.Value(), 100);
    EXPECT_EQ(gauge.Maximum(), 10000);
    EXPECT_EQ(gauge.Percent(), 1);
    // The next event lands inside the new range.
    Progress(gauge, 5000, 10000);
    EXPECT_EQ(gauge.Value(), 5000);
    EXPECT_EQ(gauge.Percent(), 50);
}

TEST(GaugeModel, NegativeProgressShowsTheMinimum)
{
    TGaugeModel gauge;
    Progress(gauge, 40, 100);
    Progress(gauge, -1, 100);
    EXPECT_EQ(gauge.Value(), 0);
}

TEST(GaugeModel, LoweringTheMaximumLowersTheValue)
{
    TGaugeModel gauge;
    Progress(gauge, 80, 100);
    gauge.SetMaximum(30);
    EXPECT_EQ(gauge.Value(), 30);
    EXPECT_EQ(gauge.Percent(), 100);
    Progress(gauge, 10, 0);
    EXPECT_EQ(gauge.Maximum(), 0);
    EXPECT_EQ(gauge.Value(), 0);
    EXPECT_EQ(gauge.Percent(), 0); // an empty range shows nothing rather than dividing by zero
}

TEST(GaugeModel, RangeNeverInvertsAndExtremesDoNotOverflow)
{
    TGaugeModel gauge;
    Progress(gauge, 50, -20);
    EXPECT_EQ(gauge.Maximum(), 0);
    EXPECT_EQ(gauge.Value(), 0);
    Progress(gauge, INT_MAX, INT_MAX);
    EXPECT_EQ(gauge.Value(), 0); // clamped to the old maximum 0 first
    Progress(gauge, INT_MAX, INT_MAX);
    EXPECT_EQ(gauge.Value(), INT_MAX);
    EXPECT_EQ(gauge.Percent(), 100);
    Progress(gauge, INT_MAX / 2, INT_MAX);
    EXPECT_EQ(gauge.Percent(), 49);
}

TEST(Gauge, WidgetShowsTheModelsPercentage)
{
    TGauge gauge;
    gauge.SetValue(5000);
    gauge.SetMaximum(10000);
    EXPECT_EQ(gauge.Value(), 100);
    EXPECT_EQ(gauge.value(), 1);
    EXPECT_EQ(gauge.text(), QStringLiteral("1%"));
    gauge.SetValue(7500);
    EXPECT_EQ(gauge.value(), 75);
    gauge.SetMaximum(0);
    EXPECT_EQ(gauge.Value(), 0);
    EXPECT_EQ(gauge.value(), 0);
    // Never the busy animation QProgressBar shows for an empty range.
    EXPECT_EQ(gauge.maximum(), 100);
}
