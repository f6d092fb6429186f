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

} // namespace

LoaderSocketPlace LoaderSocketPlaceFor(const char* runtimeDir, unsigned uid,
                                       const std::string& sharedTemp) {
    LoaderSocketPlace place;
    place.folder = RuntimeFolderFor(runtimeDir, uid, sharedTemp);
    place.socket = place.folder.path + "/" + SocketName;
    return place;
}

LoaderSocketPlace LoaderSocketPlaceFromEnvironment() {
    return LoaderSocketPlaceFor(std::getenv("XDG_RUNTIME_DIR"), ::geteuid());
}

std::string PrepareLoaderSocketPlace(const LoaderSocketPlace& place, unsigned uid) {
    // A socket's address holds its path with a terminating zero.
    constexpr std::size_t MaxPath = sizeof(sockaddr_un::sun_path) - 1;
    if (place.socket.size() > MaxPath)
        return "the socket path " + place.socket + " is too long (" +
               std::to_string(place.socket.size()) + " bytes; a local socket takes at most " +
               std::to_string(MaxPath) + "): set XDG_RUNTIME_DIR to a shorter folder";
    if (std::string problem = PrepareRuntimeFolder(place.folder, uid); !problem.empty())
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
