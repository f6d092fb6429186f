#pragma once
// The command-line programs' arguments and standard streams (qd6, the mode service),
// the same on every platform: the arguments
// as UTF-8 (on Windows read from the UTF-16 command line, so that any file name
// arrives whole), and standard input and output as bytes (on Windows in binary mode,
// so that profiles, JSON and reports are byte for byte those of Linux).
// ConsolePosix.cpp, ConsoleWin32.cpp (pad_console).

#include <string>
#include <vector>

namespace pad {

// The program's arguments, argv[0] first.
std::vector<std::string> CommandLineArguments(int argc, char** argv);

// Sets up the standard streams before anything is read or written.
void PrepareStandardStreams();

} // namespace pad
