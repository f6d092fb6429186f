// Opening files by name on POSIX systems (common/FileAccess.h).

#include "common/FileAccess.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pad {

OpenedFile OpenRegularFile(const std::filesystem::path& path, int flags, mode_t mode) {
    // Looked at first, so that a FIFO or a device is never opened at all.
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) {
        if (const int error = FileTypeError(info.st_mode))
            return {-1, error};
    } else if (errno != ENOENT || !(flags & O_CREAT)) {
        return {-1, errno};
    }
    // Non-blocking, in case the name was replaced by a FIFO in between.
    const int fd = ::open(path.c_str(), flags | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, mode);
    if (fd < 0)
        return {-1, errno};
    int error = ::fstat(fd, &info) == 0 ? FileTypeError(info.st_mode) : errno;
    if (error == 0 && ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0)
        error = errno;
    if (error != 0) {
        ::close(fd);
        return {-1, error};
    }
    return {fd, 0};
}

OpenedFile OpenToRead(const std::filesystem::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    return {fd, fd < 0 ? errno : 0};
}

std::filesystem::path PathOfArgument(const std::string& argument) {
    return argument;
}

} // namespace pad
