#pragma once
// One character's case-free form, as the wildcard patterns compare characters, and
// whether it is a letter or a digit, as they tell bracketed words. One
// implementation per platform: CaseFoldQt.cpp (Qt's Unicode case folding) and
// CaseFoldWin32.cpp (the system's invariant lower case, so that the Windows service
// needs no Qt).

namespace pad {

char32_t FoldCase(char32_t c);
bool IsLetterOrNumber(char32_t c);

} // namespace pad
