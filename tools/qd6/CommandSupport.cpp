#include "tools/qd6/CommandSupport.h"

#include "common/FileAccess.h"
#include "common/Utf16.h"
#include "texts/FileResultText.h"

#include <CLI/CLI.hpp>
#include <iostream>

namespace pad {

void failCommand(const std::string& message) {
    std::cerr << "qd6: " << message << '\n';
    // CLI11 passes a RuntimeError's exit status through without printing anything.
    throw CLI::RuntimeError(ExitFailure);
}

void checkFileResult(FileResult result, const std::string& file, int systemError) {
    if (result == FileResult::Ok)
        return;
    std::string message = file + ": " + ToUtf8(FileResultText(result).english);
    if (systemError != 0)
        message += ": " + FileErrorText(systemError);
    failCommand(message);
}

Profile loadProfileOrFail(const std::string& file, std::string* magic) {
    Profile profile;
    int error = 0;
    const FileResult result =
        LoadProfileFile(profile, PathOfArgument(file), NormalLabelText.english, magic, &error);
    checkFileResult(result, file, error);
    return profile;
}

void saveProfileOrFail(const Profile& profile, const std::string& file) {
    int error = 0;
    const FileResult result = SaveProfileFile(profile, PathOfArgument(file), &error);
    checkFileResult(result, file, error);
}

} // namespace pad
