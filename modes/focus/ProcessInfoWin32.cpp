#include "modes/focus/ProcessInfo.h"

#include "common/Utf16.h"

#include <filesystem>
#include <iterator>

#include <windows.h>

namespace pad {

std::string ExecutableName(std::int64_t pid) {
    if (pid <= 0)
        return {};
    // Limited information suffices for the image name, also of an elevated process.
    HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, DWORD(pid));
    if (!process)
        return {};
    wchar_t image[32768];
    DWORD length = DWORD(std::size(image));
    const bool named = ::QueryFullProcessImageNameW(process, 0, image, &length);
    ::CloseHandle(process);
    if (!named)
        return {};
    const std::wstring path(image, length);
    const std::size_t slash = path.find_last_of(L"\\/");
    const std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    return ToUtf8(std::u16string(name.begin(), name.end()));
}

void AddExecutable(WindowInfo& window) {
    window.executable = window.pid ? ExecutableName(*window.pid) : std::string();
}

} // namespace pad
