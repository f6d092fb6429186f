#pragma once
// What `padconfig-modes --list-windows` prints, for PadConfig to read when it asks a
// program rather than the running service: one JSON object with the status of the
// focus and the open windows,
//
//   {"desktop": "...", "follows": true, "hint": "", "failure": "",
//    "windows": [{"app": "...", "instance": "...", "title": "...",
//                 "executable": "...", "pid": 1234}, ...]}
//
// where "failure" says why the windows cannot be listed (empty when they are) and
// "pid" is left out when unknown. Qt-free, so that the Windows service, which has no
// Qt, writes what PadConfig reads on both platforms.

#include "modes/rules/WindowInfo.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pad {

// What the service tells of the desktop: the desktop found, whether its focused window
// is followed, and when it is not, why and what would make it work (such as enabling
// the GNOME Shell extension), in one sentence.
struct FocusStatus {
    std::string desktop;
    bool follows = false;
    std::string hint;

    bool operator==(const FocusStatus&) const = default;
};

struct WindowList {
    FocusStatus status;
    std::vector<WindowInfo> windows;
    std::string failure; // why the windows cannot be listed
};

// One line, ended by a newline. Text that is not UTF-8 is written with U+FFFD.
std::string WriteWindowList(const WindowList& list);
// nullopt when output is not such an object.
std::optional<WindowList> ReadWindowList(std::string_view output);

} // namespace pad
