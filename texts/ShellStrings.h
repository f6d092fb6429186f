#pragma once
// Texts the platform's shell holds in the user's language. On Windows: the string
// resources of Shell32.dll (ShellStringsWin32.cpp); elsewhere there are none.

#include <string>

namespace pad {

// The shell's question before a file is replaced ("... already exists ..."), string
// 6327 of Shell32.dll; empty where the platform has none.
std::u16string ShellOverwriteQuestion();

} // namespace pad
