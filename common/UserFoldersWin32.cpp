// The user's folders on Windows (common/UserRuntimeFolder.h, UserSettingsFolder.h):
// the shell's known folders of the user's profile, which other users cannot enter.
//   runtime folder:  %LOCALAPPDATA%\PadConfig, made when missing (the keypad lock)
//   settings folder: %APPDATA%\PadConfig, the roaming one (the language file, rules)

#include "common/UserRuntimeFolder.h"
#include "common/UserSettingsFolder.h"

#include <system_error>

#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

namespace pad {
namespace {

// The known folder's path followed by "PadConfig"; empty when the shell names none.
std::filesystem::path PadConfigFolderIn(REFKNOWNFOLDERID folder) {
    PWSTR path = nullptr;
    std::filesystem::path result;
    if (::SHGetKnownFolderPath(folder, KF_FLAG_DEFAULT, nullptr, &path) == S_OK)
        result = std::filesystem::path(path) / L"PadConfig";
    ::CoTaskMemFree(path);
    return result;
}

} // namespace

std::filesystem::path UserRuntimeFolder(std::string* error) {
    std::filesystem::path folder = PadConfigFolderIn(FOLDERID_LocalAppData);
    std::string problem;
    std::error_code made;
    if (folder.empty())
        problem = "the system names no local application data folder for this user";
    else if (std::filesystem::create_directories(folder, made); made)
        problem = "cannot make the folder " + folder.string() + ": " + made.message();
    if (error)
        *error = problem;
    return problem.empty() ? folder : std::filesystem::path();
}

std::filesystem::path UserSettingsFolder() {
    return PadConfigFolderIn(FOLDERID_RoamingAppData);
}

} // namespace pad
