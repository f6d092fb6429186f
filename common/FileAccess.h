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

// Opens path with flags as for open(2) (O_CLOEXEC is added; on Windows O_BINARY and
// O_NOINHERIT, and the descriptor is the C runtime's) when it names a regular file, or
// names nothing and O_CREAT asks for a new one. A FIFO, socket or device is refused
// before it is opened, so nothing waits and no device is touched. One implementation
// per platform: FileAccessPosix.cpp, FileAccessWin32.cpp.
OpenedFile OpenRegularFile(const std::filesystem::path& path, int flags, mode_t mode = 0666);

// Opens path for reading, binary, whatever it is that can be read: also a pipe a shell
// made (bash's <(...)). For programs that read what the user names, as qd6 import does.
OpenedFile OpenToRead(const std::filesystem::path& path);

// The file a command-line argument names: on POSIX systems its bytes; on Windows its
// UTF-8, as qd6 passes on the UTF-16 command line (common/Console.h).
std::filesystem::path PathOfArgument(const std::string& argument);

} // namespace pad
