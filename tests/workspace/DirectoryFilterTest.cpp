// The list's filter and its Status texts, without a window: what a typed
// text lets through, and the steps and local dates the column shows.
#include "store/Records.h"
#include "store/RecordText.h"
#include "store/TDDirectories.h"
#include "workspace/DirectoryFilter.h"
#include "workspace/DirectoryStatus.h"

#include <QDateTime>

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

namespace {

using S = TSubmissionStep;

void Add(TDDirectories& directories, const std::string& title, const std::string& url, const std::string& category)
{
    auto d = std::make_unique<TDDirectory>();
    d->Title = title;
    d->URL = url;
    d->Category = category;
    d->Type = "Free";
    directories.Append(AsciiUpper(title), std::move(d));
}

std::vector<int> Shown(TDirectoryFilter& filter, const QString& text)
{
    filter.SetText(text);
    const auto indexes = filter.Matching();
    return std::vector<int>(indexes.begin(), indexes.end());
}

TSubmissionEntry Entry(S step, std::int64_t at, S mark = S::None, std::int64_t markAt = 0)
{
    return {step, at, mark, markAt};
}

std::string LocalDate(std::int64_t at)
{
    return QDateTime::fromSecsSinceEpoch(at).date().toString(Qt::ISODate).toStdString();
}

} // namespace

TEST(DirectoryFilter, MatchesTitleUrlAndCategoryInAnyCaseAndTakesEveryCharacterAsItself)
{
    TDDirectories directories;
    Add(directories, "Caf\xC3\xA9 \xC3\x89lan Links", "http://cafe.example/add", "Food");          // 0
    Add(directories, "50% Off.*Deals", "http://deals.example/submit?a=1&b=[2]", "Shopping");      // 1
    Add(directories, "QuickList", "https://quick.example/", "General");                           // 2
    Add(directories, "Old Web", "http://OLDWEB.example/Add", "Business & Economy");              // 3
    TDirectoryStatus status;
    TDirectoryFilter filter(directories, status);

    EXPECT_FALSE(filter.Active());
    EXPECT_EQ(Shown(filter, ""), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_FALSE(filter.Active());
    EXPECT_EQ(Shown(filter, "LINKS"), (std::vector<int>{0}));
    EXPECT_EQ(Shown(filter, "oldweb"), (std::vector<int>{3})) << "the URL, in the other case";
    EXPECT_EQ(Shown(filter, "/ADD"), (std::vector<int>{0, 3}));
    EXPECT_EQ(Shown(filter, "business & e"), (std::vector<int>{3})) << "the category";
    EXPECT_EQ(Shown(filter, "gENERAL"), (std::vector<int>{2}));
    // No pattern language: each character stands for itself.
    EXPECT_EQ(Shown(filter, "%"), (std::vector<int>{1}));
    EXPECT_EQ(Shown(filter, ".*"), (std::vector<int>{1}));
    EXPECT_EQ(Shown(filter, "[2]"), (std::vector<int>{1}));
    EXPECT_EQ(Shown(filter, "?a=1&"), (std::vector<int>{1}));
    EXPECT_EQ(Shown(filter, "."), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(Shown(filter, "*"), (std::vector<int>{1}));
    EXPECT_EQ(Shown(filter, "quicklist "), (std::vector<int>{})) << "a space typed is part of the text";
    EXPECT_EQ(Shown(filter, "https://quick.example/ and more"), (std::vector<int>{}));
    // Letters beyond ASCII in either case.
    EXPECT_EQ(Shown(filter, QString::fromUtf8("CAF\xC3\x89")), (std::vector<int>{0}));
    EXPECT_EQ(Shown(filter, QString::fromUtf8("\xC3\xA9lan")), (std::vector<int>{0}));
    EXPECT_EQ(Shown(filter, QString::fromUtf8("\xC3\xA9x")), (std::vector<int>{}));
    EXPECT_TRUE(filter.Active());
}

TEST(DirectoryFilter, HideSubmittedHidesSubmittedAndListedOfTheStatusItReads)
{
    TDDirectories directories;
    for (const char* title : {"Alpha", "Beta", "Gamma", "Delta", "Epsilon", "Zeta"})
        Add(directories, title, "http://" + AsciiLower(title) + ".example/", "General");
    TSubmissionLog::TEntries entries;
    const std::int64_t at = 1796904000;
    entries[TSubmissionLog::TitleKey("BETA")] = Entry(S::Submitted, at);
    entries[TSubmissionLog::TitleKey("gamma")] = Entry(S::Filled, at, S::Listed, at + 86400);
    entries[TSubmissionLog::TitleKey("Delta")] = Entry(S::Submitted, at, S::Rejected, at);
    entries[TSubmissionLog::TitleKey("Epsilon")] = Entry(S::Filled, at);
    entries[TSubmissionLog::TitleKey("Not listed")] = Entry(S::Submitted, at);
    TDirectoryStatus status;
    status.Rebuild(directories, entries);

    EXPECT_EQ(status.Text(0), "");
    EXPECT_EQ(status.Text(1), "Submitted " + LocalDate(at));
    EXPECT_EQ(status.Text(2), "Listed " + LocalDate(at + 86400)) << "the mark and its date win";
    EXPECT_EQ(status.Text(3), "Rejected " + LocalDate(at));
    EXPECT_EQ(status.Text(4), "Filled " + LocalDate(at));
    EXPECT_EQ(status.Text(6), "");
    EXPECT_EQ(status.DoneCount(), 3);

    TDirectoryFilter filter(directories, status);
    filter.SetHideSent(true);
    EXPECT_TRUE(filter.Active());
    EXPECT_EQ(Shown(filter, ""), (std::vector<int>{0, 3, 4, 5}));
    EXPECT_EQ(Shown(filter, "ta"), (std::vector<int>{3, 5})) << "both at once";

    // One entry changes: Zeta is submitted, Beta's step is cleared.
    EXPECT_EQ(status.Update(TSubmissionLog::TitleKey("ZETA"), Entry(S::Submitted, at)), (std::vector<int>{5}));
    EXPECT_EQ(status.Update(TSubmissionLog::TitleKey("Beta"), {}), (std::vector<int>{1}));
    EXPECT_EQ(status.Update(TSubmissionLog::TitleKey("Nobody"), Entry(S::Listed, at)), (std::vector<int>{}));
    EXPECT_EQ(Shown(filter, "ta"), (std::vector<int>{1, 3}));
    EXPECT_EQ(status.DoneCount(), 3);
    filter.SetHideSent(false);
    EXPECT_EQ(Shown(filter, "ta"), (std::vector<int>{1, 3, 5}));

    status.Clear();
    EXPECT_EQ(status.Text(1), "");
    EXPECT_EQ(status.DoneCount(), 0);
}

TEST(DirectoryStatus, DatesAreLocalOnEveryDayTheOffsetChangesToo)
{
    // A zone a half hour off whole hours, and one whose clocks change at midnight.
    const char* kept = std::getenv("TZ");
    const std::string before = kept ? kept : "";
    for (const char* zone : {"America/St_Johns", "America/Santiago"}) {
        ::setenv("TZ", zone, 1);
        ::tzset();
        TDDirectories directories;
        TSubmissionLog::TEntries entries;
        std::vector<std::int64_t> times;
        // Every 29 minutes over two years, across four changes of the offset.
        for (std::int64_t at = 1767225600; at < 1767225600 + 2 * 365 * 86400; at += 29 * 60) {
            const std::string title = "D" + std::to_string(times.size());
            Add(directories, title, "http://d.example/", "General");
            entries[TSubmissionLog::TitleKey(title)] = Entry(S::Opened, at);
            times.push_back(at);
        }
        TDirectoryStatus status;
        status.Rebuild(directories, entries);
        int wrong = 0;
        for (size_t i = 0; i < times.size(); ++i)
            wrong += status.Text(static_cast<int>(i)) != "Opened " + LocalDate(times[i]);
        EXPECT_EQ(wrong, 0) << zone << ": of " << times.size();
    }
    if (kept)
        ::setenv("TZ", before.c_str(), 1);
    else
        ::unsetenv("TZ");
    ::tzset();
}
