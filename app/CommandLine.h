#pragma once
// PadConfig's command line. --help and --version are answered before Qt starts, so
// that they need no display; everything else is read once Qt has taken its own
// options (-platform, -style, -reverse ...) out of the arguments. Qt gets only the
// arguments before "--": what follows names a file, whatever its name.

#include <string>
#include <string_view>
#include <vector>

namespace pad {

extern const char* const CommandLineHelp;

enum class CommandLineRequest { Run, Help, Version };

// Help or Version when one of them comes before "--". Options it does not know are
// no reason to refuse yet: Qt's own are still among the arguments.
CommandLineRequest RequestedInformation(const std::vector<std::string_view>& arguments);

// The position of "--" among the arguments (the program's path first), or their count.
std::size_t SeparatorPosition(const std::vector<std::string_view>& arguments);

struct ProgramArguments {
    // The program's path, then the file names, each as DecodeFileName gives it, so
    // that a name that is not UTF-8 keeps its bytes.
    std::vector<std::u16string> arguments;
    // Why the arguments are refused, for standard error; empty when they are not.
    std::string problem;
};

// Reads what Qt has left of the arguments, "--" and what follows included.
ProgramArguments ReadProgramArguments(const std::vector<std::string_view>& arguments);

} // namespace pad
