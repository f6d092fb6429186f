#include "common/UserRuntimeFolder.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace pad {

RuntimeFolder UserRuntimeFolder(const char* xdgRuntimeDir, const std::filesystem::path& tmp,
                                unsigned uid) {
    if (xdgRuntimeDir && *xdgRuntimeDir)
        return {xdgRuntimeDir, {}};
    const std::filesystem::path folder = tmp / ("padconfig-" + std::to_string(uid));
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        return {{}, folder.string() + ": " + std::strerror(errno)};
    struct stat info {};
    // lstat: a symbolic link planted in its place is refused, not followed.
    if (::lstat(folder.c_str(), &info) != 0)
        return {{}, folder.string() + ": " + std::strerror(errno)};
    if (!S_ISDIR(info.st_mode) || info.st_uid != uid || (info.st_mode & 077) != 0)
        return {{},
                folder.string() + ": not a folder of this user's that only this user may enter"};
    return {folder, {}};
}

RuntimeFolder UserRuntimeFolder() {
    return UserRuntimeFolder(std::getenv("XDG_RUNTIME_DIR"), "/tmp", unsigned(::geteuid()));
}

} // namespace pad
