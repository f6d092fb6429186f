#pragma once
// Where the mode service learns which window has the keyboard focus: one backend per
// kind of desktop (X11, wlroots compositors, and KWin and GNOME Shell, whose script
// and extension report to the service). A backend tells of every change of the
// focused window (another window, or a new title or id of the same one) and of the
// focus leaving every window, as events of the program's event loop; it wakes up
// only when the desktop has something to tell. Qt-free interface.

#include "modes/WindowInfo.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace pad {

class FocusSource {
  public:
    struct Events {
        // The focused window, or nullopt once the focus has left every window.
        std::function<void(const std::optional<WindowInfo>&)> focusChanged;
        // The desktop went away (the connection closed); no more events come.
        std::function<void(const std::string& why)> ended;
    };

    virtual ~FocusSource() = default;

    // "X11 (display :0)", "wlroots (wayland-1)": for messages.
    virtual std::string description() const = 0;
    // The window that has the focus now.
    virtual std::optional<WindowInfo> focusedWindow() const = 0;
    // The windows open now, in the desktop's order.
    virtual std::vector<WindowInfo> openWindows() = 0;
};

} // namespace pad
