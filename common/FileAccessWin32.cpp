// Opening files by name on Windows (common/FileAccess.h): wide-character names, binary mode always
// (text mode would turn every 0x0A byte of a profile into 0x0D 0x0A), and only files on a disk: a
// folder, a device ("NUL", "COM1", "\\.\..."), a pipe or a console is refused before it is opened,
// or right after where only the open tells.

#include "common/FileAccess.h"

#include "common/WindowsError.h"

#include <cerrno>
#include <cwctype>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

namespace pad {
namespace {

bool EqualsAsciiIgnoringCase(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::towlower(a[i]) != std::towlower(b[i]))
            return false;
    return true;
}

// A name that Windows takes for a device in every folder: CON, PRN, AUX, NUL, COM1-9,
// LPT1-9, also with an extension ("nul.qd6") or trailing dots and spaces.
bool IsReservedDeviceName(const std::filesystem::path& path) {
    std::wstring name = path.filename().wstring();
    name = name.substr(0, name.find(L'.'));
    while (!name.empty() && (name.back() == L' ' || name.back() == L'.'))
        name.pop_back();
    for (const wchar_t* device : {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"})
        if (EqualsAsciiIgnoringCase(name, device))
            return true;
    if (name.size() == 4 && name[3] >= L'1' && name[3] <= L'9')
        return EqualsAsciiIgnoringCase(name.substr(0, 3), L"COM") ||
               EqualsAsciiIgnoringCase(name.substr(0, 3), L"LPT");
    return false;
}

bool InDeviceNamespace(const std::filesystem::path& path) {
    const std::wstring& text = path.native();
    return text.rfind(L"\\\\.\\", 0) == 0 || text.rfind(L"//./", 0) == 0;
}

} // namespace

OpenedFile OpenRegularFile(const std::filesystem::path& path, int flags, mode_t mode) {
    if (InDeviceNamespace(path) || IsReservedDeviceName(path))
        return {-1, NotRegularFileError};
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if (attributes & FILE_ATTRIBUTE_DIRECTORY)
            return {-1, EISDIR};
    } else {
        const int error = LastErrno();
        if (error != ENOENT || !(flags & O_CREAT))
            return {-1, error};
    }
    const int permission = (mode & 0222) ? (_S_IREAD | _S_IWRITE) : _S_IREAD;
    const int fd = ::_wopen(path.c_str(), flags | O_BINARY | O_NOINHERIT, permission);
    if (fd < 0)
        return {-1, errno};
    // A name that led somewhere else than a file on a disk (a pipe, a console).
    if (::GetFileType(reinterpret_cast<HANDLE>(::_get_osfhandle(fd))) != FILE_TYPE_DISK) {
        ::_close(fd);
        return {-1, NotRegularFileError};
    }
    return {fd, 0};
}

OpenedFile OpenToRead(const std::filesystem::path& path) {
    const int fd = ::_wopen(path.c_str(), O_RDONLY | O_BINARY | O_NOINHERIT);
    return {fd, fd < 0 ? errno : 0};
}

std::filesystem::path PathOfArgument(const std::string& argument) {
    if (argument.empty())
        return {};
    const int units =
        ::MultiByteToWideChar(CP_UTF8, 0, argument.data(), int(argument.size()), nullptr, 0);
    std::wstring wide(std::size_t(units > 0 ? units : 0), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, argument.data(), int(argument.size()), wide.data(), units);
    return wide;
}

} // namespace pad
