#include "store/TDDirectories.h"

#include "common/UUtils.h"
#include "store/RecordLine.h"

void TDDirectories::LoadAll(const QString& appDir)
{
    // The encrypted database file is not read yet.
    (void)appDir;
}

void TDDirectories::SaveAll(const QString& appDir) const
{
    (void)appDir;
}

void TDDirectories::LoadFromText(std::string_view text)
{
    ForEachRecordLine(text, [this](const std::vector<std::string>& pieces) {
        auto directory = std::make_unique<TDDirectory>();
        TDDirectory& d = *directory;
        std::string* byPosition[] = {&d.Title, &d.URL, &d.Category, &d.Type,
                                     &d.PageRank, &d.AlexaRank, &d.Extra};
        for (size_t position = 1; position <= 7; ++position)
            *byPosition[position - 1] = PieceAt(pieces, position);
        std::string key = AsciiUpper(d.Title);
        Append(std::move(key), std::move(directory));
    });
}

std::string TDDirectories::ToText() const
{
    std::string text;
    for (int i = 0; i < Count(); ++i) {
        const TDDirectory& d = RecordAt(i);
        text += BuildRecordLine({&d.Title, &d.URL, &d.Category, &d.Type, &d.PageRank,
                                 &d.AlexaRank, &d.Extra});
        text += "\r\n";
    }
    return text;
}
