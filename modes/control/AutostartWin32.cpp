#include "modes/control/Autostart.h"

#include "common/FileAccess.h"
#include "common/WindowsError.h"
#include "modes/win32/ServiceWindow.h"

#include <windows.h>

namespace pad {
namespace {

std::string WindowsErrorText(DWORD error) {
    return FileErrorText(ErrnoOfWindowsError(error));
}

std::optional<std::string> Failure(const std::string& what, LSTATUS status) {
    if (status == ERROR_SUCCESS)
        return std::nullopt;
    return what + ": " + WindowsErrorText(DWORD(status));
}

} // namespace

std::wstring ProgramOfCommand(std::wstring_view command) {
    if (command.starts_with(L'"')) {
        const std::size_t end = command.find(L'"', 1);
        return std::wstring(command.substr(1, end == std::wstring_view::npos ? end : end - 1));
    }
    return std::wstring(command.substr(0, command.find(L' ')));
}

std::optional<std::filesystem::path> AutostartProgram() {
    wchar_t command[2048];
    DWORD size = sizeof command;
    if (::RegGetValueW(HKEY_CURRENT_USER, AutostartRunKey, AutostartValueName,
                       RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ, nullptr, command,
                       &size) != ERROR_SUCCESS)
        return std::nullopt;
    const std::wstring program = ProgramOfCommand(command);
    if (program.empty())
        return std::nullopt;
    return std::filesystem::path(program);
}

std::optional<std::string> EnableAutostart(const std::filesystem::path& program) {
    const std::wstring command = L"\"" + program.wstring() + L"\"";
    return Failure("cannot write the Run key",
                   ::RegSetKeyValueW(HKEY_CURRENT_USER, AutostartRunKey, AutostartValueName, REG_SZ,
                                     command.c_str(),
                                     DWORD((command.size() + 1) * sizeof(wchar_t))));
}

std::optional<std::string> DisableAutostart() {
    const LSTATUS status =
        ::RegDeleteKeyValueW(HKEY_CURRENT_USER, AutostartRunKey, AutostartValueName);
    if (status == ERROR_FILE_NOT_FOUND)
        return std::nullopt;
    return Failure("cannot change the Run key", status);
}

bool ServiceRunning() {
    return static_cast<HWND>(FindServiceWindow()) != nullptr;
}

std::optional<std::string> StartService(const std::filesystem::path& program) {
    if (ServiceRunning())
        return std::nullopt;
    std::wstring command = L"\"" + program.wstring() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE,
                          DETACHED_PROCESS, nullptr, nullptr, &startup, &process))
        return "cannot start " + program.string() + ": " + WindowsErrorText(::GetLastError());
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return std::nullopt;
}

std::optional<std::string> StopService() {
    const HWND window = static_cast<HWND>(FindServiceWindow());
    if (!window)
        return std::nullopt;
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, pid);
    ::PostMessageW(window, WM_CLOSE, 0, 0);
    const bool ended = !process || ::WaitForSingleObject(process, 5000) == WAIT_OBJECT_0;
    if (process)
        ::CloseHandle(process);
    if (!ended)
        return "the running padconfig-modes did not end";
    return std::nullopt;
}

} // namespace pad
