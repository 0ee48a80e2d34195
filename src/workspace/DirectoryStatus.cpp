#include "workspace/DirectoryStatus.h"

#include "common/UUtils.h"
#include "store/TDDirectories.h"

#include <QDate>
#include <QDateTime>

#include <limits>

namespace {

constexpr std::int64_t SecondsPerDay = 86400;
constexpr int NoOffset = std::numeric_limits<int>::min();
// QDate's Julian day of 1970-01-01.
constexpr std::int64_t JulianDayOf1970 = 2440588;

std::int64_t FloorDiv(std::int64_t a, std::int64_t b)
{
    return a / b - (a % b != 0 && (a < 0) != (b < 0));
}

int OffsetAt(std::int64_t secondsSince1970)
{
    return QDateTime::fromSecsSinceEpoch(secondsSince1970).offsetFromUtc();
}

} // namespace

TDirectoryStatus::TDirectoryStatus()
{
    FShown.emplace_back();
}

bool TDirectoryStatus::IsDone(TSubmissionStep step)
{
    return step == TSubmissionStep::Submitted || step == TSubmissionStep::Listed
           || step == TSubmissionStep::Rejected;
}

bool TDirectoryStatus::Done(int index) const
{
    return IsDone(Step(index));
}

bool TDirectoryStatus::Sent(int index) const
{
    const TSubmissionStep step = Step(index);
    return step == TSubmissionStep::Submitted || step == TSubmissionStep::Listed;
}

void TDirectoryStatus::Clear()
{
    FKeys.clear();
    FShownOf.clear();
    FDone = 0;
}

// Local dates without asking the time zone about every entry: the offset
// from UTC holds all day on all but the two days a year it changes.
std::int64_t TDirectoryStatus::LocalDay(std::int64_t at)
{
    const std::int64_t utcDay = FloorDiv(at, SecondsPerDay);
    auto [it, fresh] = FOffsetOfDay.try_emplace(utcDay, NoOffset);
    if (fresh) {
        const int first = OffsetAt(utcDay * SecondsPerDay);
        if (first == OffsetAt(utcDay * SecondsPerDay + SecondsPerDay - 1))
            it->second = first;
    }
    const int offset = it->second != NoOffset ? it->second : OffsetAt(at);
    return FloorDiv(at + offset, SecondsPerDay);
}

std::uint32_t TDirectoryStatus::ShownIndex(const TSubmissionEntry& entry)
{
    const TSubmissionStep step = entry.Shown();
    if (step == TSubmissionStep::None)
        return 0;
    const std::int64_t day = LocalDay(entry.ShownAt());
    const auto [it, fresh] =
        FShownByDayAndStep.try_emplace(day * 8 + static_cast<std::int64_t>(step), static_cast<std::uint32_t>(FShown.size()));
    if (fresh) {
        const QDate date = QDate::fromJulianDay(day + JulianDayOf1970);
        FShown.push_back({step, FromDisplay(StepName(step) + QLatin1Char(' ') + date.toString(Qt::ISODate))});
    }
    return it->second;
}

void TDirectoryStatus::Rebuild(const TDDirectories& directories, const TSubmissionLog::TEntries& entries)
{
    const size_t count = static_cast<size_t>(directories.Count());
    FKeys.resize(count);
    FShownOf.assign(count, 0);
    FDone = 0;
    for (size_t i = 0; i < count; ++i) {
        FKeys[i] = TSubmissionLog::TitleKey(directories.TitleAt(static_cast<int>(i)));
        if (entries.empty())
            continue;
        const auto it = entries.find(FKeys[i]);
        if (it == entries.end())
            continue;
        FShownOf[i] = ShownIndex(it->second);
        FDone += IsDone(FShown[FShownOf[i]].Step);
    }
}

std::vector<int> TDirectoryStatus::Update(std::uint64_t titleKey, const TSubmissionEntry& entry)
{
    std::vector<int> changed;
    const std::uint32_t shown = ShownIndex(entry);
    for (size_t i = 0; i < FKeys.size(); ++i) {
        if (FKeys[i] != titleKey)
            continue;
        FDone += IsDone(FShown[shown].Step) - IsDone(FShown[FShownOf[i]].Step);
        FShownOf[i] = shown;
        changed.push_back(static_cast<int>(i));
    }
    return changed;
}
