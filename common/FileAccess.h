#pragma once
// Opening files by name without surprises: only regular files are opened, and never
// in a way that waits (a FIFO without a writer, a terminal, a device), and failures
// carry the system's reason. Qt-free.

#include <filesystem>
#include <string>
#include <sys/types.h>

namespace pad {

// The reason for a file that is there but is a FIFO, a socket or a device: the
// system has no errno of its own for it.
inline constexpr int NotRegularFileError = -1;

// The reason a file of this type (st_mode) cannot be used as a file: 0 for a regular
// file, EISDIR for a folder, NotRegularFileError for anything else.
int FileTypeError(mode_t mode);

// The reason as the system words it: "No space left on device", "Permission denied",
// "Not a regular file".
std::string FileErrorText(int error);

struct OpenedFile {
    int fd = -1;   // -1 on failure
    int error = 0; // errno, EISDIR for a folder, or NotRegularFileError
};

// Opens path with flags as for open(2) (O_CLOEXEC is added) when it names a regular
// file, or names nothing and O_CREAT asks for a new one. A FIFO, socket or device is
// refused before it is opened, so nothing waits and no device is touched.
OpenedFile OpenRegularFile(const std::filesystem::path& path, int flags, mode_t mode = 0666);

} // namespace pad
