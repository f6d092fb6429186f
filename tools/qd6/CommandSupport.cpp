#include "tools/qd6/CommandSupport.h"

#include "common/Utf16.h"

#include <CLI/CLI.hpp>
#include <iostream>

namespace pad {

void failCommand(const std::string& message) {
    std::cerr << "qd6: " << message << '\n';
    // CLI11 passes a RuntimeError's exit status through without printing anything.
    throw CLI::RuntimeError(ExitFailure);
}

void checkFileResult(FileResult result, const std::filesystem::path& file) {
    if (result != FileResult::Ok)
        failCommand(file.string() + ": " + ToUtf8(builtinText(result)));
}

} // namespace pad
