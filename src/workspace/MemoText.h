#pragma once
// The three multi-line project fields keep their lines in a stored one-line
// form defined on CR LF line ends; the memo controls join lines by LF.

#include <QString>

#include <string>

// Memo text (lines joined by LF) to the stored form: LF becomes CR LF, then
// EncodeLineBreaks (one final line break dropped, the others become "$$").
std::string StoredFromMemoText(const QString& memoText);

// Stored form to memo text: every "$$" is a line break.
QString MemoTextFromStored(const std::string& stored);
