#include "store/DirectoriesCsv.h"

#include "store/RecordLine.h"

#include "store/RecordText.h"
#include "store/TDDirectories.h"

#include <array>
#include <vector>

namespace {

constexpr std::array<const char*, 7> HeaderNames = {"Title", "URL", "Category", "Type",
                                                    "PageRank", "AlexaRank", "Extra"};

std::array<const std::string*, 7> FileOrder(const TDDirectory& d)
{
    return {&d.Title, &d.URL, &d.Category, &d.Type, &d.PageRank, &d.AlexaRank, &d.Extra};
}

struct TCsvRow {
    int Line;
    std::vector<std::string> Fields;
};

// RFC 4180 reader. No library here offers one (Qt has none), and the format
// is small enough to read by hand.
std::vector<TCsvRow> ReadCsv(std::string_view text)
{
    std::vector<TCsvRow> rows;
    size_t i = 0;
    int line = 1;
    while (i < text.size()) {
        TCsvRow row{line, {}};
        std::string field;
        bool rowEnded = false;
        while (!rowEnded) {
            field.clear();
            if (i < text.size() && text[i] == '"') {
                const int startLine = line;
                ++i;
                for (;;) {
                    if (i >= text.size())
                        throw TImportError("Row " + std::to_string(startLine)
                                        + ": a quoted field is never closed.");
                    const char c = text[i++];
                    if (c == '"') {
                        if (i < text.size() && text[i] == '"') {
                            field += '"';
                            ++i;
                        } else {
                            break;
                        }
                    } else {
                        if (c == '\n')
                            ++line;
                        field += c;
                    }
                }
                if (i < text.size() && text[i] != ',' && text[i] != '\r' && text[i] != '\n')
                    throw TImportError("Row " + std::to_string(line)
                                    + ": text follows a closing quote.");
            } else {
                while (i < text.size() && text[i] != ',' && text[i] != '\r' && text[i] != '\n')
                    field += text[i++];
            }
            row.Fields.push_back(field);
            if (i < text.size() && text[i] == ',') {
                ++i;
                continue;
            }
            // End of the row: CR LF, LF, CR or the end of the text.
            if (i < text.size() && text[i] == '\r')
                ++i;
            if (i < text.size() && text[i] == '\n')
                ++i;
            ++line;
            rowEnded = true;
        }
        const bool blank = row.Fields.size() == 1 && TrimControl(row.Fields[0]).empty();
        if (!blank)
            rows.push_back(std::move(row));
    }
    return rows;
}

bool IsHeader(const std::vector<std::string>& fields)
{
    if (fields.size() != HeaderNames.size())
        return false;
    for (size_t i = 0; i < fields.size(); ++i)
        if (AsciiUpper(TrimControl(fields[i])) != AsciiUpper(HeaderNames[i]))
            return false;
    return true;
}

} // namespace

void AppendCsvField(std::string& out, const std::string& value)
{
    if (value.find_first_of(",\"\r\n") == std::string::npos) {
        out += value;
        return;
    }
    out += '"';
    for (char c : value) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

std::string DirectoriesToCsv(const TDDirectories& directories)
{
    std::string out;
    for (size_t i = 0; i < HeaderNames.size(); ++i) {
        if (i)
            out += ',';
        out += HeaderNames[i];
    }
    out += "\r\n";
    for (int r = 0; r < directories.Count(); ++r) {
        const TDDirectory directory = directories.RecordAt(r); // a copy: kept while its fields are written
        const auto fields = FileOrder(directory);
        for (size_t i = 0; i < fields.size(); ++i) {
            if (i)
                out += ',';
            AppendCsvField(out, *fields[i]);
        }
        out += "\r\n";
    }
    return out;
}

void DirectoriesFromCsv(std::string_view csv, TDDirectories& directories)
{
    CheckCaretText(csv);
    std::vector<TCsvRow> rows = ReadCsv(csv);
    if (!rows.empty() && IsHeader(rows.front().Fields))
        rows.erase(rows.begin());
    std::vector<std::unique_ptr<TDDirectory>> parsed;
    parsed.reserve(rows.size());
    for (TCsvRow& row : rows) {
        if (row.Fields.size() > HeaderNames.size())
            throw TImportError("Row " + std::to_string(row.Line) + " has " + std::to_string(row.Fields.size())
                            + " fields; a directory has at most 7 (Title, URL, Category, Type, "
                              "PageRank, AlexaRank, Extra).");
        auto d = std::make_unique<TDDirectory>();
        std::string* byPosition[] = {&d->Title, &d->URL, &d->Category, &d->Type,
                                     &d->PageRank, &d->AlexaRank, &d->Extra};
        for (size_t i = 0; i < row.Fields.size(); ++i) {
            if (row.Fields[i].find_first_of("^\r\n") != std::string::npos)
                throw TImportError("Row " + std::to_string(row.Line) + ", field " + HeaderNames[i]
                                + ": a caret or a line break cannot be stored in the database.");
            *byPosition[i] = std::move(row.Fields[i]);
        }
        parsed.push_back(std::move(d));
    }
    for (auto& d : parsed) {
        std::string key = AsciiUpper(d->Title);
        directories.Append(std::move(key), std::move(d));
    }
}

void CheckCaretText(std::string_view text)
{
    if (const size_t nul = text.find('\0'); nul != std::string_view::npos) {
        size_t line = 1;
        for (size_t i = 0; i < nul; ++i)
            line += text[i] == '\n';
        throw TImportError("Line " + std::to_string(line)
                        + " holds a NUL byte: this is not a text file.");
    }
}

void CheckCaretRows(std::string_view text)
{
    CheckCaretText(text);
    ForEachRecordLine(text, HeaderNames.size(), [](std::vector<std::string>&, const TRecordLineShape& shape) {
        if (shape.TextOutside)
            throw TImportError("Line " + std::to_string(shape.LineNumber)
                            + " holds text outside the 7 fields (before the first caret or after the "
                              "seventh field: Title, URL, Category, Type, PageRank, AlexaRank, Extra); "
                              "that text cannot be stored in the database.");
    });
}
