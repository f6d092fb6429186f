#pragma once
// Where the loader's socket lives, and whether that place is safe to use.
//
// The socket is Qd6LoaderS.sock in the user's runtime folder
// (common/UserRuntimeFolder.h): $XDG_RUNTIME_DIR/Qd6LoaderS.sock, or
// /tmp/padconfig-<uid>/Qd6LoaderS.sock. A socket there that is a link or another
// user's is refused, never used.
//
// The loader's instance lock (".lock") and PadConfig's users file (".users") sit beside
// the socket, named after it.

#include "common/UserRuntimeFolder.h"

#include <string>

namespace pad {

struct LoaderSocketPlace {
    RuntimeFolder folder; // holds the socket
    std::string socket;   // folder + "/Qd6LoaderS.sock"
};

LoaderSocketPlace LoaderSocketPlaceFor(const char* runtimeDir, unsigned uid,
                                       const std::string& sharedTemp = "/tmp");
// From XDG_RUNTIME_DIR and the effective user id.
LoaderSocketPlace LoaderSocketPlaceFromEnvironment();

// Makes the user's own folder when it is missing (mode 0700), then checks the place
// for user uid: the socket's path fits a socket address, the own folder is as above,
// and a file already at the socket's path is no link and belongs to uid. Empty when the
// place may be used; otherwise a sentence that says why not.
std::string PrepareLoaderSocketPlace(const LoaderSocketPlace& place, unsigned uid);

} // namespace pad
