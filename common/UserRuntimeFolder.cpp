#include "common/UserRuntimeFolder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace pad {
namespace {

std::string OctalMode(mode_t mode) {
    char text[8];
    std::snprintf(text, sizeof(text), "%04o", unsigned(mode & 07777));
    return text;
}

} // namespace

RuntimeFolder RuntimeFolderFor(const char* xdgRuntimeDir, unsigned uid,
                               const std::string& sharedTemp) {
    if (xdgRuntimeDir && *xdgRuntimeDir)
        return {xdgRuntimeDir, false};
    return {sharedTemp + "/padconfig-" + std::to_string(uid), true};
}

std::string PrepareRuntimeFolder(const RuntimeFolder& runtime, unsigned uid) {
    if (!runtime.ownFolderInShared)
        return {};
    const std::string& folder = runtime.path;
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        return "cannot make the folder " + folder + ": " + std::strerror(errno);
    struct stat info {};
    // lstat: a link planted in its place is refused, not followed.
    if (::lstat(folder.c_str(), &info) != 0)
        return "cannot check the folder " + folder + ": " + std::strerror(errno);
    if (!S_ISDIR(info.st_mode))
        return folder + " is not a folder (another user may have put it there); refused";
    if (info.st_uid != uid)
        return "the folder " + folder + " belongs to user " + std::to_string(info.st_uid) +
               ", not to user " + std::to_string(uid) + "; refused";
    if ((info.st_mode & 077) != 0)
        return "the folder " + folder + " is open to other users (mode " + OctalMode(info.st_mode) +
               "); refused: it must have mode 0700";
    return {};
}

std::string SessionRuntimeFolder(unsigned uid, const std::string& base) {
    const std::string folder = base + "/" + std::to_string(uid);
    struct stat info {};
    if (::lstat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != uid ||
        (info.st_mode & 077) != 0)
        return {};
    return folder;
}

std::filesystem::path UserRuntimeFolder(std::string* error) {
    const unsigned uid = unsigned(::geteuid());
    const char* xdgRuntimeDir = std::getenv("XDG_RUNTIME_DIR");
    if (!xdgRuntimeDir || !*xdgRuntimeDir) {
        if (std::string session = SessionRuntimeFolder(uid); !session.empty()) {
            if (error)
                error->clear();
            return session;
        }
    }
    const RuntimeFolder folder = RuntimeFolderFor(xdgRuntimeDir, uid);
    std::string problem = PrepareRuntimeFolder(folder, uid);
    if (error)
        *error = problem;
    return problem.empty() ? std::filesystem::path(folder.path) : std::filesystem::path();
}

} // namespace pad
