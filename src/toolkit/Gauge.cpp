#include "toolkit/Gauge.h"

#include <algorithm>

TGaugeModel::TGaugeModel(int minimum, int maximum)
    : FMinimum(minimum)
    , FMaximum(std::max(minimum, maximum))
    , FValue(minimum)
{
}

void TGaugeModel::SetValue(int value)
{
    FValue = std::clamp(value, FMinimum, FMaximum);
}

void TGaugeModel::SetMaximum(int maximum)
{
    FMaximum = std::max(maximum, FMinimum);
    if (FValue > FMaximum)
        FValue = FMaximum;
}

int TGaugeModel::Percent() const
{
    const long long span = static_cast<long long>(FMaximum) - FMinimum;
    if (span <= 0)
        return 0;
    return static_cast<int>((static_cast<long long>(FValue) - FMinimum) * 100 / span);
}

TGauge::TGauge(QWidget* parent)
    : QProgressBar(parent)
{
    QProgressBar::setRange(0, 100);
    setFormat(QStringLiteral("%p%"));
    setTextVisible(true);
    Show();
}

void TGauge::SetValue(int value)
{
    FModel.SetValue(value);
    Show();
}

void TGauge::SetMaximum(int maximum)
{
    FModel.SetMaximum(maximum);
    Show();
}

void TGauge::Show()
{
    QProgressBar::setValue(FModel.Percent());
}
