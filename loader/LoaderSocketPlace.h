#pragma once
// Where the loader's socket lives, and whether that place is safe to use.
//
// With XDG_RUNTIME_DIR set, the socket is $XDG_RUNTIME_DIR/Qd6LoaderS.sock: the
// session's own folder, private to the user. Without it, the socket lives in a folder of
// the user's own inside /tmp, /tmp/Qd6LoaderS-<uid>/Qd6LoaderS.sock. Every user may make
// names in /tmp, so that folder is made with mode 0700 and checked before every use: a
// real folder (not a link) that belongs to the user and is closed to everyone else. A
// folder, link or socket that another user planted is refused, never used.
//
// The loader's instance lock (".lock") and PadConfig's users file (".users") sit beside
// the socket, named after it.

#include <string>

namespace pad {

struct LoaderSocketPlace {
    std::string folder; // holds the socket
    std::string socket; // folder + "/Qd6LoaderS.sock"
    // The folder is ours inside one every user may write to: made and checked before use.
    bool ownFolderInShared = false;
};

LoaderSocketPlace LoaderSocketPlaceFor(const char* runtimeDir, unsigned uid,
                                       const std::string& sharedTemp = "/tmp");
// From XDG_RUNTIME_DIR and the effective user id.
LoaderSocketPlace LoaderSocketPlaceFromEnvironment();

// The socket's path for this user; both PadConfig and the loader use it.
std::string loaderSocketPath();

// Makes the user's own folder when it is missing (mode 0700), then checks the place
// for user uid: the socket's path fits a socket address, the own folder is as above,
// and a file already at the socket's path is no link and belongs to uid. Empty when the
// place may be used; otherwise a sentence that says why not.
std::string PrepareLoaderSocketPlace(const LoaderSocketPlace& place, unsigned uid);

} // namespace pad
