// What opening files means on every platform: the reason for a file of the wrong type
// and the words for a failure. Opening itself: FileAccessPosix.cpp, FileAccessWin32.cpp.

#include "common/FileAccess.h"

#include <cerrno>
#include <sys/stat.h>
#include <system_error>

namespace pad {

int FileTypeError(mode_t mode) {
    if (S_ISREG(mode))
        return 0;
    return S_ISDIR(mode) ? EISDIR : NotRegularFileError;
}

std::string FileErrorText(int error) {
    if (error == NotRegularFileError)
        return "Not a regular file";
    return std::generic_category().message(error);
}

} // namespace pad
