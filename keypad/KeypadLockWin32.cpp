// The keypad lock's file on Windows (keypad/LockFile.h): LockFileEx, which the system
// drops when its holder ends. Windows' byte-range locks are binding for reads and
// writes of the range, so the lock is taken on a byte far past the record, which every
// program may read while a download holds the lock.

#include "keypad/LockFile.h"

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

namespace pad::lockfile {
namespace {

// The locked byte: 2^62, far past anything the file holds.
constexpr DWORD LockOffsetHigh = 0x40000000;

OVERLAPPED At(DWORD offsetHigh) {
    OVERLAPPED position{};
    position.OffsetHigh = offsetHigh;
    return position;
}

HANDLE HandleOf(int fd) {
    return reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
}

} // namespace

int Open(const std::filesystem::path& file) {
    return ::_wopen(file.c_str(), _O_RDWR | _O_CREAT | _O_BINARY | _O_NOINHERIT,
                    _S_IREAD | _S_IWRITE);
}

void Close(int fd) {
    ::_close(fd);
}

Attempt TryLock(int fd) {
    OVERLAPPED range = At(LockOffsetHigh);
    if (::LockFileEx(HandleOf(fd), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0,
                     &range))
        return Attempt::Taken;
    return ::GetLastError() == ERROR_LOCK_VIOLATION ? Attempt::HeldElsewhere : Attempt::Failed;
}

void Lock(int fd) {
    OVERLAPPED range = At(LockOffsetHigh);
    ::LockFileEx(HandleOf(fd), LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &range);
}

void Unlock(int fd) {
    OVERLAPPED range = At(LockOffsetHigh);
    ::UnlockFileEx(HandleOf(fd), 0, 1, 0, &range);
}

std::size_t ReadRecord(int fd, char* buffer, std::size_t size) {
    DWORD got = 0;
    OVERLAPPED start = At(0);
    return ::ReadFile(HandleOf(fd), buffer, DWORD(size), &got, &start) ? got : 0;
}

void WriteRecord(int fd, const char* bytes, std::size_t size) {
    DWORD written = 0;
    OVERLAPPED start = At(0);
    // A failed write leaves the old record; the next select writes it again.
    ::WriteFile(HandleOf(fd), bytes, DWORD(size), &written, &start);
}

} // namespace pad::lockfile
