#pragma once
// The folder where the user's programs of the suite meet: the loader's socket, the
// keypad lock and the mode service's instance lock live there. It is $XDG_RUNTIME_DIR,
// the session's folder that only the user may enter, when that is set. Without it, the
// keypad lock and the instance lock go where the login manager makes that folder,
// /run/user/<uid>, when it is there, so that a program started without the variable
// meets the others all the same. Else it is a folder of the user's own in /tmp,
// /tmp/padconfig-<uid>: every user may make names in /tmp, so that folder is made with
// mode 0700 and checked before every use: a real folder (not a link) that belongs to
// the user and is closed to everyone else. A folder or link that another user planted
// there is refused, never used.
// On Windows it is %LOCALAPPDATA%\PadConfig (UserFoldersWin32.cpp), and only
// UserRuntimeFolder is there.

#include <filesystem>
#include <string>

namespace pad {

struct RuntimeFolder {
    std::string path;
    // The user's own folder inside one every user may write to: made and checked before use.
    bool ownFolderInShared = false;
};

// The folder for XDG_RUNTIME_DIR's value (null or empty: unset) and user uid; nothing
// is made or checked.
RuntimeFolder RuntimeFolderFor(const char* xdgRuntimeDir, unsigned uid,
                               const std::string& sharedTemp = "/tmp");

// Makes the user's own folder when it is missing (mode 0700), then checks it for user
// uid. Empty when the folder may be used; otherwise a sentence that says why not.
std::string PrepareRuntimeFolder(const RuntimeFolder& folder, unsigned uid);

// base/<uid> when it is a real folder of user uid closed to everyone else, as the
// login manager makes it; empty otherwise.
std::string SessionRuntimeFolder(unsigned uid, const std::string& base = "/run/user");

// The folder for this user (XDG_RUNTIME_DIR, else the session folder, effective user
// id), made and checked; empty, with the reason in error, when it is refused.
std::filesystem::path UserRuntimeFolder(std::string* error = nullptr);

} // namespace pad
