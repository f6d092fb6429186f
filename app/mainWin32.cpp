// PadConfig.exe: configures the Corvask 12 Gaming Keypad. PadLink.dll is loaded at start
// and bound by ordinal; without it PadConfig does not start and says why.

#include "app/PadConfigMain.h"
#include "keypad/PadLinkLibrary.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include <windows.h>

#include <shellapi.h>

namespace {

// The arguments of the UTF-16 command line in UTF-8, so that file names keep every
// character (the ANSI argv would not).
std::vector<std::string> Utf8Arguments() {
    int count = 0;
    LPWSTR* wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 0; wide && i < count; ++i) {
        const int bytes =
            ::WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
        std::string utf8(std::size_t(std::max(bytes, 1)), '\0');
        ::WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, utf8.data(), bytes, nullptr, nullptr);
        utf8.pop_back(); // the terminator
        arguments.push_back(std::move(utf8));
    }
    ::LocalFree(wide);
    return arguments;
}

// A Windows program has no console: --help and --version, and the warnings, go to the
// console of the shell that started it, when there is one.
void UseStartersConsole() {
    if (::GetStdHandle(STD_ERROR_HANDLE) || !::AttachConsole(ATTACH_PARENT_PROCESS))
        return;
    std::freopen("CONOUT$", "w", stdout);
    std::freopen("CONOUT$", "w", stderr);
}

} // namespace

int main(int argc, char** argv) {
    UseStartersConsole();
    std::vector<std::string> arguments = Utf8Arguments();
    std::vector<char*> utf8Argv;
    for (std::string& argument : arguments)
        utf8Argv.push_back(argument.data());
    if (utf8Argv.empty())
        utf8Argv.assign(argv, argv + argc);
    utf8Argv.push_back(nullptr);

    const pad::PadLinkBinding padLink = pad::BindPadLinkLibrary();
    if (!padLink.port) {
        const std::string text = "PadConfig cannot start: " + padLink.problem +
                                 "\n\nInstall PadConfig again to restore it.";
        std::fprintf(stderr, "PadConfig: %s\n", text.c_str());
        ::MessageBoxA(nullptr, text.c_str(), "Corvask 12", MB_OK | MB_ICONERROR);
        return 1;
    }
    return pad::RunPadConfig(int(utf8Argv.size()) - 1, utf8Argv.data(), *padLink.port);
}
