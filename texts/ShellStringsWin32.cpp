#include "texts/ShellStrings.h"

#include <algorithm>

#include <windows.h>

namespace pad {

std::u16string ShellOverwriteQuestion() {
    constexpr UINT OverwriteQuestionString = 6327;
    HMODULE shell = ::LoadLibraryExW(L"shell32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!shell)
        return {};
    wchar_t buffer[256] = {};
    const int length = ::LoadStringW(shell, OverwriteQuestionString, buffer, 256);
    ::FreeLibrary(shell);
    return std::u16string(reinterpret_cast<const char16_t*>(buffer),
                          std::size_t(std::max(length, 0)));
}

} // namespace pad
