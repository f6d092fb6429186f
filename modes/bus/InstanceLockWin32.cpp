// One mode service per user on Windows: the byte-range lock of the keypad lock's kind
// (keypad/LockFile.h) on padconfig-modes.lock in %LOCALAPPDATA%\PadConfig, which the
// system lets go when the holder ends. The file's record holds the holder's pid.

#include "modes/bus/InstanceLock.h"

#include "common/UserRuntimeFolder.h"
#include "keypad/LockFile.h"
#include "modes/win32/ServiceWindow.h"

#include <cstdio>
#include <cstdlib>

#include <windows.h>

namespace pad {

std::optional<pid_t> InstanceLock::holder() {
    // The running instance's window tells without touching the lock, which a probe
    // could take from an instance starting at that moment.
    const HWND window = static_cast<HWND>(FindServiceWindow());
    DWORD pid = 0;
    if (!window || !::GetWindowThreadProcessId(window, &pid))
        return std::nullopt;
    return pid_t(pid);
}

InstanceLock::Attempt InstanceLock::acquire() {
    std::string error;
    const std::filesystem::path folder = UserRuntimeFolder(&error);
    if (folder.empty())
        return {nullptr, std::nullopt, error};
    const std::filesystem::path path = folder / "padconfig-modes.lock";
    const int fd = lockfile::Open(path);
    if (fd < 0)
        return {nullptr, std::nullopt, "cannot use the lock file " + path.string()};
    switch (lockfile::TryLock(fd)) {
    case lockfile::Attempt::Taken:
        break;
    case lockfile::Attempt::HeldElsewhere: {
        char record[32] = {};
        lockfile::ReadRecord(fd, record, sizeof record - 1);
        lockfile::Close(fd);
        return {nullptr, pid_t(std::strtol(record, nullptr, 10)), {}};
    }
    case lockfile::Attempt::Failed:
        lockfile::Close(fd);
        return {nullptr, std::nullopt, "cannot lock " + path.string()};
    }
    // The holder's pid, for the message of a second instance; padded, so that a longer
    // pid of an earlier holder leaves no digits behind.
    char pid[32];
    const int length = std::snprintf(pid, sizeof pid, "%-20lu\n", ::GetCurrentProcessId());
    lockfile::WriteRecord(fd, pid, std::size_t(length));
    return {std::unique_ptr<InstanceLock>(new InstanceLock(fd)), std::nullopt, {}};
}

InstanceLock::~InstanceLock() {
    lockfile::Close(fd_);
}

} // namespace pad
