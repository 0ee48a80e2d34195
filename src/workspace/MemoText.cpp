#include "workspace/MemoText.h"

#include "common/UUtils.h"

std::string StoredFromMemoText(const QString& memoText)
{
    const std::string lf = FromDisplay(memoText);
    std::string crlf;
    crlf.reserve(lf.size() + lf.size() / 8);
    for (char c : lf) {
        if (c == '\n')
            crlf += "\r\n";
        else
            crlf.push_back(c);
    }
    return EncodeLineBreaks(crlf);
}

QString MemoTextFromStored(const std::string& stored)
{
    std::string text = DecodeLineBreaks(stored);
    std::string lf;
    lf.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue; // the LF that follows stands for the pair
        lf.push_back(text[i]);
    }
    return ToDisplay(lf);
}
