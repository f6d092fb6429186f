#pragma once
// The folder where the user's programs of the suite meet: the loader's socket and the
// keypad's lock live there. It is $XDG_RUNTIME_DIR when that is set; otherwise a
// folder /tmp/padconfig-<uid> that only the user may enter, made on first use. A
// folder there that another user planted, or that others may enter, is refused:
// whoever owns it could listen in or hold the keypad.

#include <filesystem>
#include <string>

namespace pad {

struct RuntimeFolder {
    std::filesystem::path path; // empty when refused
    std::string error;          // why, when refused
};

// The folder for this user, made when it is missing.
RuntimeFolder UserRuntimeFolder();
// The same for a given XDG_RUNTIME_DIR value (null or empty: unset), temporary
// folder and user id; for tests.
RuntimeFolder UserRuntimeFolder(const char* xdgRuntimeDir, const std::filesystem::path& tmp,
                                unsigned uid);

} // namespace pad
