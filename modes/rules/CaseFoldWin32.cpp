#include "modes/rules/CaseFold.h"

#include <windows.h>

namespace pad {

char32_t FoldCase(char32_t c) {
    if (c < 0x80)
        return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c;
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return c;
    // The character as UTF-16, lowered as the invariant locale lowers it.
    wchar_t units[2];
    int length = 1;
    if (c < 0x10000) {
        units[0] = wchar_t(c);
    } else {
        units[0] = wchar_t(0xD800 + ((c - 0x10000) >> 10));
        units[1] = wchar_t(0xDC00 + ((c - 0x10000) & 0x3FF));
        length = 2;
    }
    wchar_t lowered[2];
    const int got = ::LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_LOWERCASE, units, length, lowered,
                                    2, nullptr, nullptr, 0);
    if (got == 1)
        return lowered[0];
    if (got == 2 && lowered[0] >= 0xD800 && lowered[0] < 0xDC00)
        return 0x10000 + ((char32_t(lowered[0]) - 0xD800) << 10) + (lowered[1] - 0xDC00);
    return c;
}

bool IsLetterOrNumber(char32_t c) {
    if (c < 0x80)
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    // The system's character types know the Basic Multilingual Plane; beyond it no
    // character counts as a letter.
    if (c > 0xFFFF || (c >= 0xD800 && c <= 0xDFFF))
        return false;
    const wchar_t unit = wchar_t(c);
    WORD type = 0;
    if (!::GetStringTypeW(CT_CTYPE1, &unit, 1, &type))
        return false;
    return (type & (C1_ALPHA | C1_DIGIT)) != 0;
}

} // namespace pad
