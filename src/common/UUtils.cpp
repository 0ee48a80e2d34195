#include "common/UUtils.h"

#include <QString>

std::string EncodeLineBreaks(std::string_view text)
{
    if (text.size() >= 2 && text.substr(text.size() - 2) == "\r\n")
        text.remove_suffix(2);
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            out += "$$";
            ++i;
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

std::string DecodeLineBreaks(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '$' && i + 1 < text.size() && text[i + 1] == '$') {
            out += "\r\n";
            ++i;
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

QString ToDisplay(std::string_view text)
{
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

std::string FromDisplay(const QString& text)
{
    return text.toLocal8Bit().toStdString();
}

