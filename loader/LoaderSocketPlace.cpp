#include "loader/LoaderSocketPlace.h"

#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace pad {
namespace {

constexpr const char* SocketName = "Qd6LoaderS.sock";

std::string octalMode(mode_t mode) {
    char text[8];
    std::snprintf(text, sizeof(text), "%04o", unsigned(mode & 07777));
    return text;
}

std::string checkOwnFolder(const std::string& folder, unsigned uid) {
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        return "cannot make the folder " + folder + ": " + std::strerror(errno);
    struct stat info {};
    if (::lstat(folder.c_str(), &info) != 0)
        return "cannot check the folder " + folder + ": " + std::strerror(errno);
    if (!S_ISDIR(info.st_mode))
        return folder + " is not a folder (another user may have put it there); refused";
    if (info.st_uid != uid)
        return "the folder " + folder + " belongs to user " + std::to_string(info.st_uid) +
               ", not to user " + std::to_string(uid) + "; refused";
    if ((info.st_mode & 077) != 0)
        return "the folder " + folder + " is open to other users (mode " + octalMode(info.st_mode) +
               "); refused: it must have mode 0700";
    return {};
}

} // namespace

LoaderSocketPlace LoaderSocketPlaceFor(const char* runtimeDir, unsigned uid,
                                       const std::string& sharedTemp) {
    LoaderSocketPlace place;
    if (runtimeDir && *runtimeDir) {
        place.folder = runtimeDir;
    } else {
        place.folder = sharedTemp + "/Qd6LoaderS-" + std::to_string(uid);
        place.ownFolderInShared = true;
    }
    place.socket = place.folder + "/" + SocketName;
    return place;
}

LoaderSocketPlace LoaderSocketPlaceFromEnvironment() {
    return LoaderSocketPlaceFor(std::getenv("XDG_RUNTIME_DIR"), ::geteuid());
}

std::string loaderSocketPath() {
    return LoaderSocketPlaceFromEnvironment().socket;
}

std::string PrepareLoaderSocketPlace(const LoaderSocketPlace& place, unsigned uid) {
    // A socket's address holds its path with a terminating zero.
    constexpr std::size_t MaxPath = sizeof(sockaddr_un::sun_path) - 1;
    if (place.socket.size() > MaxPath)
        return "the socket path " + place.socket + " is too long (" +
               std::to_string(place.socket.size()) + " bytes; a local socket takes at most " +
               std::to_string(MaxPath) + "): set XDG_RUNTIME_DIR to a shorter folder";
    if (place.ownFolderInShared)
        if (std::string problem = checkOwnFolder(place.folder, uid); !problem.empty())
            return problem;
    struct stat info {};
    if (::lstat(place.socket.c_str(), &info) != 0)
        return {}; // no socket yet: the loader makes it
    if (S_ISLNK(info.st_mode))
        return place.socket + " is a link; refused";
    if (info.st_uid != uid)
        return place.socket + " belongs to user " + std::to_string(info.st_uid) + ", not to user " +
               std::to_string(uid) + "; refused";
    return {};
}

} // namespace pad
