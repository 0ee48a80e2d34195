#include "workspace/DirectoryFilter.h"

#include "common/UUtils.h"
#include "store/Records.h"
#include "store/TDDirectories.h"
#include "workspace/DirectoryStatus.h"

#include <algorithm>
#include <string_view>

namespace {

constexpr TDirectoryField SearchedFields[] = {TDirectoryField::Title, TDirectoryField::URL,
                                              TDirectoryField::Category};

unsigned char Upper(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 'a' && byte <= 'z' ? static_cast<unsigned char>(byte - ('a' - 'A')) : byte;
}

// `needle` (upper-cased, not empty) in `text`, a to z matched either case.
bool HoldsAscii(std::string_view text, std::string_view needle)
{
    if (needle.size() > text.size())
        return false;
    const unsigned char first = static_cast<unsigned char>(needle[0]);
    const size_t last = text.size() - needle.size();
    for (size_t at = 0; at <= last; ++at) {
        if (Upper(text[at]) != first)
            continue;
        size_t k = 1;
        while (k < needle.size() && Upper(text[at + k]) == static_cast<unsigned char>(needle[k]))
            ++k;
        if (k == needle.size())
            return true;
    }
    return false;
}

bool IsAscii(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

} // namespace

TDirectoryFilter::TDirectoryFilter(const TDDirectories& directories, const TDirectoryStatus& status)
    : FDirectories(directories)
    , FStatus(status)
{
}

void TDirectoryFilter::SetText(const QString& text)
{
    FText = text;
    const std::string bytes = FromDisplay(text);
    FIsAscii = IsAscii(bytes);
    FAscii.clear();
    for (char c : bytes)
        FAscii.push_back(static_cast<char>(Upper(c)));
}

void TDirectoryFilter::SetHideSent(bool hide)
{
    FHideSent = hide;
}

bool TDirectoryFilter::HoldsText(int index) const
{
    for (TDirectoryField field : SearchedFields) {
        const std::string_view text = FDirectories.FieldAt(index, field);
        if (FIsAscii) {
            if (HoldsAscii(text, FAscii))
                return true;
        } else if (!IsAscii(text) && ToDisplay(text).contains(FText, Qt::CaseInsensitive)) {
            // Letters beyond ASCII take Unicode's case rules; a text of plain
            // ASCII cannot hold them.
            return true;
        }
    }
    return false;
}

bool TDirectoryFilter::Matches(int index) const
{
    if (FHideSent && FStatus.Sent(index))
        return false;
    return FText.isEmpty() || HoldsText(index);
}

TDirectoryListModel::TRowIndexes TDirectoryFilter::Matching() const
{
    const int count = FDirectories.Count();
    TDirectoryListModel::TRowIndexes indexes(static_cast<size_t>(count));
    size_t kept = 0;
    for (int i = 0; i < count; ++i)
        if (Matches(i))
            indexes[kept++] = i;
    indexes.resize(kept);
    return indexes;
}
