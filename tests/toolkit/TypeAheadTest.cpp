#include "toolkit/SortedComboBox.h"
#include "toolkit/TypeAhead.h"

#include <QTest>

#include <gtest/gtest.h>

TEST(TypeAhead, PrefixWithinHalfASecondSearchesFromTheTop)
{
    const QStringList names{"Alpha", "beta", "Bravo", "gamma", "Golf"};
    TTypeAhead typeAhead;
    EXPECT_EQ(typeAhead.Feed("b", 1000, names, 0), 1);
    EXPECT_EQ(typeAhead.Feed("r", 1499, names, 1), 2); // "br" from the top
    // No entry begins with "brx": the selection stays.
    EXPECT_EQ(typeAhead.Feed("x", 1600, names, 2), -1);
}

TEST(TypeAhead, RepeatedLetterStepsOnwardAndWraps)
{
    const QStringList names{"Alpha", "beta", "Bravo", "gamma", "Golf"};
    TTypeAhead typeAhead;
    EXPECT_EQ(typeAhead.Feed("g", 0, names, 0), 3);
    EXPECT_EQ(typeAhead.Feed("G", 600, names, 3), 4);
    EXPECT_EQ(typeAhead.Feed("g", 1200, names, 4), 3); // wraps round to the top
    // Exactly half a second apart is a new search.
    EXPECT_EQ(typeAhead.Feed("b", 1700, names, 3), 1);
    // From no selection the search starts at the top.
    TTypeAhead fresh;
    EXPECT_EQ(fresh.Feed("a", 0, names, -1), 0);
    EXPECT_EQ(fresh.Feed("z", 5000, names, 0), -1);
    EXPECT_EQ(fresh.Feed("a", 9000, QStringList{}, -1), -1);
}

TEST(SortedComboBox, EntriesSortedWithoutCaseAndTextKept)
{
    TSortedComboBox box;
    for (const char* name : {"gamma", "Alpha", "beta", "alpha"})
        box.AddEntry(name);
    ASSERT_EQ(box.EntryCount(), 4);
    EXPECT_EQ(box.EntryAt(0), "Alpha");
    EXPECT_EQ(box.EntryAt(1), "alpha"); // equal names keep the order they came in
    EXPECT_EQ(box.EntryAt(2), "beta");
    EXPECT_EQ(box.EntryAt(3), "gamma");
    EXPECT_EQ(box.SelectedPosition(), -1);
    EXPECT_EQ(box.Text(), "");

    box.SelectPosition(2);
    EXPECT_EQ(box.Text(), "beta");
    box.SelectPosition(-1);
    EXPECT_EQ(box.currentText(), "");
    EXPECT_EQ(box.Text(), "beta"); // deselecting leaves the text

    // 8-bit names survive the trip through the widget byte for byte.
    box.AddEntry("caf\xc3\xa9");
    ASSERT_EQ(box.EntryAt(3), "caf\xc3\xa9");
    box.SelectPosition(3);
    EXPECT_EQ(box.Text(), "caf\xc3\xa9");
}

TEST(SortedComboBox, KeyboardTypeAheadUsesTheClock)
{
    TSortedComboBox box;
    for (const char* name : {"Alpha", "beta", "Bravo", "gamma"})
        box.AddEntry(name);
    box.SelectPosition(0);
    qint64 now = 10'000;
    box.SetClock([&now] { return now; });
    QTest::keyClick(&box, Qt::Key_B);
    EXPECT_EQ(box.Text(), "beta");
    now += 100;
    QTest::keyClick(&box, Qt::Key_R);
    EXPECT_EQ(box.Text(), "Bravo");
    now += 2000;
    QTest::keyClick(&box, Qt::Key_B);
    EXPECT_EQ(box.Text(), "beta"); // onward from Bravo, wrapped round
    QTest::keyClick(&box, Qt::Key_Down);
    EXPECT_EQ(box.Text(), "Bravo");
}
