#pragma once
// The caret-separated record line shared by both data files.

#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

// "^" + each field + "^". A field holding "^", CR, LF or NUL would read back
// as other fields, another line or the end of the file; such bytes never
// reach the file: each is written as a blank.
std::string BuildRecordLine(std::initializer_list<const std::string*> fields);

// Calls `onRecord` for each line of a data file's text that holds a record,
// split at "^". Blank lines are skipped; piece 0 is the text before the first caret.
// The lines are those of SplitLines, visited in place; `onRecord` may move
// the pieces out.
void ForEachRecordLine(std::string_view text,
                       const std::function<void(std::vector<std::string>&)>& onRecord);

// Piece `position` of a split line, or the empty text when the line is shorter.
inline const std::string& PieceAt(const std::vector<std::string>& pieces, size_t position)
{
    static const std::string empty;
    return position < pieces.size() ? pieces[position] : empty;
}
