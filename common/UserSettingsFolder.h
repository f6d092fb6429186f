#pragma once
// PadConfig's folder of the user's own settings (the user's language file, the mode
// service's rules): on Linux $XDG_CONFIG_HOME/padconfig, or ~/.config/padconfig when
// XDG_CONFIG_HOME is unset, empty or not an absolute path; on Windows
// %APPDATA%\PadConfig. Nothing is made. One implementation per platform:
// UserSettingsFolderPosix.cpp, UserFoldersWin32.cpp.

#include <filesystem>

namespace pad {

// The folder for this user; empty when the system names no home for settings.
std::filesystem::path UserSettingsFolder();

// POSIX only: the folder for the values of XDG_CONFIG_HOME and HOME (null or empty:
// unset); empty without either.
std::filesystem::path UserConfigFolder(const char* xdgConfigHome, const char* home);

} // namespace pad
