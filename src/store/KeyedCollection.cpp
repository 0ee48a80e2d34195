#include "store/KeyedCollection.h"


#include <QString>

#include <cstdint>
#include <cstring>

bool IsAsciiText(std::string_view text)
{
    // Eight bytes at a time: a look-up in a large database tests every title.
    const char* p = text.data();
    size_t n = text.size();
    for (; n >= 8; p += 8, n -= 8) {
        uint64_t word;
        std::memcpy(&word, p, 8);
        if (word & 0x8080808080808080ull)
            return false;
    }
    for (; n > 0; ++p, --n)
        if (static_cast<unsigned char>(*p) >= 0x80)
            return false;
    return true;
}

bool KeysEqualNoCase(std::string_view a, std::string_view b)
{
    // Plain ASCII needs no locale: compare bytes with a to z folded. That is
    // also what keeps look-ups fast in a database of many thousand entries.
    if (IsAsciiText(a) && IsAsciiText(b)) {
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
