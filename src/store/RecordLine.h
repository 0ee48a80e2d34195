#pragma once
// The caret-separated record line shared by both data files.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// A field and its closing caret. A field holding "^", CR, LF or NUL would
// read back as other fields, another line or the end of the file; such bytes
// never reach the file: each is written as a blank.
void AppendRecordField(std::string& line, const std::string& field);

// How a record line sits in its file, beyond the fields a record type reads.
struct TRecordLineShape {
    std::size_t LineNumber = 0; // from 1, counting blank lines
    // Text before the first caret or in a piece after the last field: it
    // belongs to no field (a line with no caret at all is all such text).
    bool TextOutside = false;
};

// Calls `onRecord` for each line of a data file's text that holds a record,
// split at "^" into piece 0 (the text before the first caret) and the fields
// of a record type of `fieldCount` fields. Blank lines are skipped; the lines
// are those of SplitLines, visited in place; `onRecord` may move the pieces
// out. Pieces after the last field are not kept (a huge line of carets
// costs no memory), only looked at for text, which the shape reports.
void ForEachRecordLine(std::string_view text, std::size_t fieldCount,
                       const std::function<void(std::vector<std::string>&, const TRecordLineShape&)>& onRecord);

// Counts the records ForEachRecordLine would visit in a text that arrives a
// piece at a time, holding nothing but the state of the current line.
class TRecordLineCounter {
public:
    void Feed(std::string_view piece);
    // The count, a last line without a line break included.
    int64_t Finish();

private:
    int64_t FCount = 0;
    bool FLineHasText = false; // a byte above 32 since the last line break
    bool FEnded = false;       // a NUL byte ended the text
};

// A record type's fields in the order its file stores them; loading and
// saving both read the one table, so the two can never disagree.
template <typename TRecord, size_t N>
using TFieldTable = std::array<std::string TRecord::*, N>;

// Field i of the table takes piece i + 1 of a split line (piece 0 is the text
// before the first caret); a shorter line leaves the rest empty.
template <typename TRecord, size_t N>
void FieldsFromPieces(const TFieldTable<TRecord, N>& table, std::vector<std::string>& pieces, TRecord& record)
{
    for (size_t i = 0; i < N && i + 1 < pieces.size(); ++i)
        record.*table[i] = std::move(pieces[i + 1]);
}

// "^" + each field of the table + "^".
template <typename TRecord, size_t N>
std::string BuildRecordLine(const TFieldTable<TRecord, N>& table, const TRecord& record)
{
    std::string line = "^";
    for (const auto field : table)
        AppendRecordField(line, record.*field);
    return line;
}
