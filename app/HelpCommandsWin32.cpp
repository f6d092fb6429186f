// The shell's way on Windows: ShellExecuteW opens the help page and starts the loader,
// and the sound settings are the control panel's page for the system's version.

#include "app/HelpCommands.h"

#include <QDir>

#include <windows.h>

#include <shellapi.h>

namespace pad {
namespace {

// The command line of the sound control panel's page for the system's version.
// Systems after Vista keep Vista's panel, on its first page.
const char* SoundSettingsCommand() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof(version);
    if (!::GetVersionExA(&version))
        return nullptr;
    const DWORD platform = version.dwPlatformId, major = version.dwMajorVersion,
                minor = version.dwMinorVersion;
    if (platform == VER_PLATFORM_WIN32_NT && major == 5)
        return minor == 0 ? "rundll32.exe shell32.dll,Control_RunDLL mmsys.cpl,,1"
                          : "rundll32.exe shell32.dll,Control_RunDLL mmsys.cpl,,2";
    if ((platform == VER_PLATFORM_WIN32_NT && major >= 6) ||
        (platform == VER_PLATFORM_WIN32_WINDOWS && major == 4 && (minor == 10 || minor == 90)))
        return "rundll32.exe shell32.dll,Control_RunDLL mmsys.cpl,,0";
    return nullptr;
}

// ShellExecuteW "open" with the active window as owner; true when the shell started it.
bool ShellOpen(const QString& path, int show) {
    const std::wstring file = QDir::toNativeSeparators(path).toStdWString();
    const auto result = reinterpret_cast<INT_PTR>(
        ::ShellExecuteW(::GetActiveWindow(), L"open", file.c_str(), nullptr, nullptr, show));
    return result > 32;
}

} // namespace

QString HelpPagePath(const QString& programFolder) {
    return programFolder + "/CV12HLP.htm";
}

bool OpenHelp(UiServices&, const QString& page) {
    return ShellOpen(page, SW_SHOWNORMAL);
}

QString SoundSettingsProgramNames() {
    return "rundll32.exe shell32.dll,Control_RunDLL mmsys.cpl";
}

bool OpenSoundSettings(UiServices&) {
    const char* command = SoundSettingsCommand();
    return command && ::WinExec(command, SW_SHOWNORMAL) > 31;
}

bool LaunchLoaderProgram(UiServices&, const QString& programFolder) {
    return ShellOpen(programFolder + "/Qd6LoaderS.exe", SW_HIDE);
}

} // namespace pad
