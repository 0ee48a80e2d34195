#pragma once
// What the Status column shows: for each directory of the collection, by its
// index, the current project's step and its local date ("Submitted
// 2026-12-10"). Filled once per project from the log's entries, so the list
// reads a number per row; a log of 100,000 entries holds only as many texts
// as there are distinct steps and days.

#include "store/SubmissionLog.h"

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class TDDirectories;

class TDirectoryStatus {
public:
    TDirectoryStatus();

    // Nothing for anyone (no project, no log).
    void Clear();
    // The step of each directory of `directories` in `entries` (found by title).
    void Rebuild(const TDDirectories& directories, const TSubmissionLog::TEntries& entries);
    // The entry of the directories titled `titleKey` is now `entry`; returns
    // the collection indexes of those directories.
    std::vector<int> Update(std::uint64_t titleKey, const TSubmissionEntry& entry);

    // Directories known; 0 after Clear.
    int Count() const { return static_cast<int>(FShownOf.size()); }
    // The column's text; empty for an index it does not know.
    std::string_view Text(int index) const { return Shown(index).Text; }
    TSubmissionStep Step(int index) const { return Shown(index).Step; }
    // Submitted, Listed or Rejected: nothing left to do there.
    bool Done(int index) const;
    // Submitted or Listed: what "Hide submitted" hides.
    bool Sent(int index) const;
    // How many directories are done.
    int DoneCount() const { return FDone; }

private:
    struct TShown {
        TSubmissionStep Step = TSubmissionStep::None;
        std::string Text;
    };
    const TShown& Shown(int index) const
    {
        return index >= 0 && index < Count() ? FShown[FShownOf[static_cast<size_t>(index)]] : FShown[0];
    }
    std::uint32_t ShownIndex(const TSubmissionEntry& entry);
    std::int64_t LocalDay(std::int64_t secondsSince1970);
    static bool IsDone(TSubmissionStep step);

    // Per collection index: the title's key and an index into FShown.
    std::vector<std::uint64_t> FKeys;
    std::vector<std::uint32_t> FShownOf;
    // Distinct texts; FShown[0] is the empty one. A deque: views into its
    // strings stay valid as it grows.
    std::deque<TShown> FShown;
    std::unordered_map<std::int64_t, std::uint32_t> FShownByDayAndStep;
    // The local time's offset from UTC on each UTC day met, or NoOffset for a
    // day the offset changes within.
    std::unordered_map<std::int64_t, int> FOffsetOfDay;
    int FDone = 0;
};
