// The keypad lock on Windows (keypad/KeypadLock.h): LockFileEx on a file in the user's
// runtime folder (%LOCALAPPDATA%\PadConfig). Windows' byte-range locks are binding for
// reads and writes of the range, so the lock is taken on a byte far past the recorded
// mode, which every program may read while a download holds the lock. The system drops
// the lock when its holder ends.

#include "keypad/KeypadLock.h"

#include "common/UserRuntimeFolder.h"

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

namespace pad {
namespace {

// The recorded mode's name, padded with line feeds to a fixed size.
constexpr std::size_t RecordSize = 8;
// The locked byte: 2^62, far past anything the file holds.
constexpr DWORD LockOffsetHigh = 0x40000000;

OVERLAPPED At(DWORD offset, DWORD offsetHigh = 0) {
    OVERLAPPED position{};
    position.Offset = offset;
    position.OffsetHigh = offsetHigh;
    return position;
}

HANDLE HandleOf(int fd) {
    return reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
}

} // namespace

KeypadLock::KeypadLock(std::filesystem::path file) : file_(std::move(file)) {}

KeypadLock::~KeypadLock() {
    if (fd_ >= 0)
        ::_close(fd_);
}

std::filesystem::path KeypadLock::DefaultPath(std::string* error) {
    const std::filesystem::path folder = UserRuntimeFolder(error);
    return folder.empty() ? folder : folder / "padconfig-keypad.lock";
}

bool KeypadLock::Open() {
    if (fd_ >= 0)
        return true;
    fd_ = ::_wopen(file_.c_str(), _O_RDWR | _O_CREAT | _O_BINARY | _O_NOINHERIT,
                   _S_IREAD | _S_IWRITE);
    return fd_ >= 0;
}

bool KeypadLock::TryAcquire() {
    if (file_.empty() || held_)
        return held_ = true;
    // A lock file that cannot be opened locks nothing: the keypad must stay usable.
    if (!Open())
        return held_ = true;
    OVERLAPPED range = At(0, LockOffsetHigh);
    const bool locked = ::LockFileEx(
        HandleOf(fd_), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &range);
    held_ = locked || ::GetLastError() != ERROR_LOCK_VIOLATION;
    return held_;
}

void KeypadLock::Acquire() {
    if (file_.empty() || held_ || !Open()) {
        held_ = true;
        return;
    }
    OVERLAPPED range = At(0, LockOffsetHigh);
    ::LockFileEx(HandleOf(fd_), LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &range);
    held_ = true;
}

void KeypadLock::Release() {
    if (held_ && fd_ >= 0) {
        OVERLAPPED range = At(0, LockOffsetHigh);
        ::UnlockFileEx(HandleOf(fd_), 0, 1, 0, &range);
    }
    held_ = false;
}

std::optional<KeypadMode> KeypadLock::RecordedMode() {
    if (file_.empty() || !Open())
        return std::nullopt;
    char field[RecordSize];
    DWORD size = 0;
    OVERLAPPED start = At(0);
    if (!::ReadFile(HandleOf(fd_), field, sizeof field, &size, &start) || size == 0)
        return std::nullopt;
    std::string_view name(field, size);
    return ModeOfName(name.substr(0, name.find('\n')));
}

void KeypadLock::RecordMode(KeypadMode mode) {
    if (file_.empty() || !Open())
        return;
    // One write of the whole field, so that a reader sees the old name or the new one.
    std::string field(ModeName(mode));
    field.resize(RecordSize, '\n');
    DWORD written = 0;
    OVERLAPPED start = At(0);
    // A failed write leaves the old record; the next select writes it again.
    ::WriteFile(HandleOf(fd_), field.data(), DWORD(field.size()), &written, &start);
}

} // namespace pad
