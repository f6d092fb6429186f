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

// A value that is to go and is not there is no failure.
LSTATUS Absent(LSTATUS status) {
    return status == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : status;
}

constexpr const char* SettingsKeyText = "HKEY_CURRENT_USER\\Software\\PadConfig";

// Whether root's Run key has the service's value.
bool HasRunValue(HKEY root) {
    return ::RegGetValueW(root, AutostartRunKey, AutostartValueName, RRF_RT_ANY, nullptr, nullptr,
                          nullptr) == ERROR_SUCCESS;
}

} // namespace

bool StartsAtSignIn() {
    return HasRunValue(HKEY_CURRENT_USER) ||
           (HasRunValue(HKEY_LOCAL_MACHINE) && !SwitchedOffAtSignIn());
}

bool SwitchedOffAtSignIn() {
    DWORD value = 1;
    DWORD size = sizeof value;
    return ::RegGetValueW(HKEY_CURRENT_USER, UserSettingsKey, AtSignInValueName, RRF_RT_REG_DWORD,
                          nullptr, &value, &size) == ERROR_SUCCESS &&
           value == 0;
}

std::optional<std::string> EnableAutostart(const std::filesystem::path& program) {
    if (auto failure = Failure(
            std::string("cannot change ") + SettingsKeyText,
            Absent(::RegDeleteKeyValueW(HKEY_CURRENT_USER, UserSettingsKey, AtSignInValueName))))
        return failure;
    // The machine's value starts it now that the user's switch is no longer off.
    if (HasRunValue(HKEY_LOCAL_MACHINE))
        return std::nullopt;
    const std::wstring command = L"\"" + program.wstring() + L"\"";
    return Failure("cannot write the Run key",
                   ::RegSetKeyValueW(HKEY_CURRENT_USER, AutostartRunKey, AutostartValueName, REG_SZ,
                                     command.c_str(),
                                     DWORD((command.size() + 1) * sizeof(wchar_t))));
}

std::optional<std::string> DisableAutostart() {
    if (auto failure = Failure(
            "cannot change the Run key",
            Absent(::RegDeleteKeyValueW(HKEY_CURRENT_USER, AutostartRunKey, AutostartValueName))))
        return failure;
    if (!HasRunValue(HKEY_LOCAL_MACHINE))
        return std::nullopt;
    const DWORD off = 0;
    return Failure(std::string("cannot write ") + SettingsKeyText,
                   ::RegSetKeyValueW(HKEY_CURRENT_USER, UserSettingsKey, AtSignInValueName,
                                     REG_DWORD, &off, sizeof off));
}

bool ServiceRunning() {
    return static_cast<HWND>(FindServiceWindow()) != nullptr;
}

std::optional<std::string> StartModeService(const std::filesystem::path& program) {
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

std::optional<std::string> StopModeService() {
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
