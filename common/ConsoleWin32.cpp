// The command line and standard streams on Windows: the UTF-16 command line in
// UTF-8, binary standard streams, and a console that shows UTF-8.

#include "common/Console.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <io.h>

#include <windows.h>

#include <shellapi.h>

namespace pad {
namespace {

std::string Utf8Of(const wchar_t* text) {
    const int bytes = ::WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (bytes <= 1)
        return {};
    std::string utf8(std::size_t(bytes), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), bytes, nullptr, nullptr);
    utf8.pop_back(); // the terminator
    return utf8;
}

} // namespace

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
    int count = 0;
    LPWSTR* wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (!wide)
        return {argv, argv + argc};
    std::vector<std::string> arguments;
    for (int i = 0; i < count; ++i)
        arguments.push_back(Utf8Of(wide[i]));
    ::LocalFree(wide);
    return arguments;
}

void PrepareStandardStreams() {
    for (std::FILE* stream : {stdin, stdout, stderr})
        ::_setmode(::_fileno(stream), _O_BINARY);
    // The console is the user's: its code page is given back when the program ends.
    static const UINT userCodePage = ::GetConsoleOutputCP();
    if (userCodePage != 0 && userCodePage != CP_UTF8 && ::SetConsoleOutputCP(CP_UTF8))
        std::atexit([] { ::SetConsoleOutputCP(userCodePage); });
}

} // namespace pad
