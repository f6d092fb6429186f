// The keypad lock's file on POSIX systems (keypad/LockFile.h): flock(2), which the
// kernel drops when its holder ends, however it ends.

#include "keypad/LockFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace pad::lockfile {

int Open(const std::filesystem::path& file) {
    // O_NOFOLLOW: a link planted in its place is not followed.
    return ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
}

void Close(int fd) {
    ::close(fd);
}

Attempt TryLock(int fd) {
    int status;
    do
        status = ::flock(fd, LOCK_EX | LOCK_NB);
    while (status != 0 && errno == EINTR);
    if (status == 0)
        return Attempt::Taken;
    return errno == EWOULDBLOCK ? Attempt::HeldElsewhere : Attempt::Failed;
}

void Lock(int fd) {
    while (::flock(fd, LOCK_EX) != 0 && errno == EINTR) {
    }
}

void Unlock(int fd) {
    ::flock(fd, LOCK_UN);
}

std::size_t ReadRecord(int fd, char* buffer, std::size_t size) {
    const ssize_t got = ::pread(fd, buffer, size, 0);
    return got > 0 ? std::size_t(got) : 0;
}

void WriteRecord(int fd, const char* bytes, std::size_t size) {
    // A failed write leaves the old record; the next select writes it again.
    [[maybe_unused]] const ssize_t written = ::pwrite(fd, bytes, size, 0);
}

} // namespace pad::lockfile
