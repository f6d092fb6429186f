#pragma once
// The mode service at the user's sign-in, and the running service, on Windows: what
// PadConfig's "Switch modes automatically" and the installer's option switch. The
// service starts at sign-in through the value "PadConfig Modes" of the user's Run key
// (HKCU\Software\Microsoft\Windows\CurrentVersion\Run), whose data is the quoted path
// of padconfig-modes.exe; the running service is found by its window and ended with
// WM_CLOSE (modes/win32/ServiceWindow.h). AutostartWin32.cpp; Qt-free.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace pad {

inline constexpr wchar_t AutostartRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr wchar_t AutostartValueName[] = L"PadConfig Modes";

// The program a Run command starts: the text between its first two double quotes, or
// without quotes the text up to the first space; empty for an empty command.
std::wstring ProgramOfCommand(std::wstring_view command);

// The program the Run key starts at sign-in; nullopt when the service does not start.
std::optional<std::filesystem::path> AutostartProgram();
// Makes program start at sign-in, or nothing start; what went wrong, or nullopt.
std::optional<std::string> EnableAutostart(const std::filesystem::path& program);
std::optional<std::string> DisableAutostart();

// Whether a service runs for the user now.
bool ServiceRunning();
// Starts program (padconfig-modes.exe) now, unless a service runs already.
std::optional<std::string> StartService(const std::filesystem::path& program);
// Asks the running service to end and waits up to 5 s for it; nullopt once none runs.
std::optional<std::string> StopService();

} // namespace pad
