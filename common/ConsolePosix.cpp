// The command line and standard streams on POSIX systems: as they are.

#include "common/Console.h"

namespace pad {

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
    return {argv, argv + argc};
}

void PrepareStandardStreams() {}

} // namespace pad
