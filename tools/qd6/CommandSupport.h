#pragma once
// What every qd6 command shares: exit statuses and the way failures are reported.

#include "model/ProfileFile.h"

#include <filesystem>
#include <string>

namespace pad {

inline constexpr int ExitOk = 0;
inline constexpr int ExitFailure = 1;
inline constexpr int ExitUsage = 2;

// Prints "qd6: <message>" to stderr and ends the command with ExitFailure.
[[noreturn]] void failCommand(const std::string& message);

// Ends the command with "qd6: <file>: <the result's message>", followed by ": <the
// system's reason>" when systemError gives one, unless result is Ok.
void checkFileResult(FileResult result, const std::string& file, int systemError = 0);

// The profile in file, a file name as the command line gives it (common/FileAccess.h,
// PathOfArgument), and its magic when asked; or the command ends as above.
Profile loadProfileOrFail(const std::string& file, std::string* magic = nullptr);
// Writes the profile to file (as above), or the command ends as above.
void saveProfileOrFail(const Profile& profile, const std::string& file);

} // namespace pad
