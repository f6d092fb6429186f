#pragma once
// The mode service at the user's sign-in, and the running service, on Windows: what
// PadConfig's "Switch modes automatically" and the installer's option switch.
//
// Two values named "PadConfig Modes" in a Run key start the service at sign-in:
// - the user's own, in HKCU\Software\Microsoft\Windows\CurrentVersion\Run, the quoted
//   path of padconfig-modes.exe; PadConfig's switch writes it;
// - the machine's, in HKLM's Run key, for every user, the quoted path followed by
//   --at-sign-in; the installer's option writes it. The installer runs elevated, so
//   its HKCU may be an administrator's rather than the user's: the value is the
//   machine's, and each user may switch it off. Started with --at-sign-in, the service
//   ends at once for a user whose HKCU\Software\PadConfig holds ModesAtSignIn = 0
//   (DWORD), which PadConfig's switch writes while the machine's value exists.
// The running service is found by its window and ended with WM_CLOSE
// (modes/win32/ServiceWindow.h). AutostartWin32.cpp; Qt-free.

#include <filesystem>
#include <optional>
#include <string>

namespace pad {

inline constexpr wchar_t AutostartRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr wchar_t AutostartValueName[] = L"PadConfig Modes";
inline constexpr wchar_t UserSettingsKey[] = L"Software\\PadConfig";
inline constexpr wchar_t AtSignInValueName[] = L"ModesAtSignIn";

// Whether the service starts at this user's sign-in: the user's own Run value, or the
// machine's that the user has not switched off.
bool StartsAtSignIn();
// Whether the user switched the machine's Run value off (ModesAtSignIn = 0).
bool SwitchedOffAtSignIn();
// Makes program start at this user's sign-in, or nothing start; what went wrong, or
// nullopt. Where the machine's value exists, they switch it on and off for this user;
// elsewhere they write and remove the user's own value (which off removes either way).
std::optional<std::string> EnableAutostart(const std::filesystem::path& program);
std::optional<std::string> DisableAutostart();

// Whether a service runs for the user now.
bool ServiceRunning();
// Starts program (padconfig-modes.exe) now, unless a service runs already. (Not
// StartService: windows.h makes that a macro.)
std::optional<std::string> StartModeService(const std::filesystem::path& program);
// Asks the running service to end and waits up to 5 s for it; nullopt once none runs.
std::optional<std::string> StopModeService();

} // namespace pad
