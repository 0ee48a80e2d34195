#include "store/KeyedCollection.h"


#include <QString>

namespace {

bool IsAscii(const std::string& s)
{
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

} // namespace

bool KeysEqualNoCase(const std::string& a, const std::string& b)
{
    // Plain ASCII needs no locale: compare bytes with a to z folded. That is
    // also what keeps look-ups fast in a database of many thousand entries.
    if (IsAscii(a) && IsAscii(b)) {
        if (a.size() != b.size())
            return false;
        for (size_t i = 0; i < a.size(); ++i) {
            char x = a[i], y = b[i];
            if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 32);
            if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 32);
            if (x != y)
                return false;
        }
        return true;
    }
    return QString::fromLocal8Bit(a.data(), static_cast<qsizetype>(a.size()))
               .compare(QString::fromLocal8Bit(b.data(), static_cast<qsizetype>(b.size())), Qt::CaseInsensitive) == 0;
}
