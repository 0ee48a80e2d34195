#pragma once
// The directory database as comma-separated values, for people and
// spreadsheets: one header row, then one directory per row in the database's
// field order (Title, URL, Category, Type, PageRank, AlexaRank, Extra).

#include <stdexcept>
#include <string>
#include <string_view>

class TDDirectories;

// Text that cannot become directories; the message names the row or line.
class TImportError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Appends `value` as one CSV field, quoted when it holds a comma, a quote or a line break.
void AppendCsvField(std::string& out, const std::string& value);

std::string DirectoriesToCsv(const TDDirectories& directories);

// Appends the rows of `csv` (RFC 4180: quoted fields, "" for a quote, CR LF
// or LF row ends). A first row that is the header is skipped; a row may have
// fewer than seven fields, never more. A value holding a caret, CR or LF
// cannot be stored and is refused. Throws TImportError; appends nothing then.
void DirectoriesFromCsv(std::string_view csv, TDDirectories& directories);

// Refuses text with a NUL byte (which would end the text there on reading):
// such a file is no text file. Throws TImportError.
void CheckCaretText(std::string_view text);

// Refuses caret text with a row that holds text outside the seven fields
// (before the first caret, or after the seventh field), which the database
// cannot keep, as a CSV row with more than seven fields is refused. Also
// refuses a NUL byte (CheckCaretText). Throws TImportError naming the line.
void CheckCaretRows(std::string_view text);
