#pragma once
// What `padconfig-modes --list-windows` prints, for PadConfig to read when the service
// does not run: one JSON object with the status of the focus and the open windows,
//
//   {"desktop": "...", "follows": true, "hint": "", "failure": "",
//    "windows": [{"app": "...", "instance": "...", "title": "...",
//                 "executable": "...", "pid": 1234}, ...]}
//
// where "failure" says why the windows cannot be listed (empty when they are) and
// "pid" is left out when unknown. QtCore.

#include "modes/bus/BusContract.h"
#include "modes/rules/WindowInfo.h"

#include <QByteArray>

#include <optional>
#include <string>
#include <vector>

namespace pad {

struct WindowList {
    FocusStatus status;
    std::vector<WindowInfo> windows;
    std::string failure; // why the windows cannot be listed
};

// One line, ended by a newline.
QByteArray WriteWindowList(const WindowList& list);
// nullopt when output is not such an object.
std::optional<WindowList> ReadWindowList(const QByteArray& output);

} // namespace pad
