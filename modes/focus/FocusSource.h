#pragma once
// Where the mode service learns which window has the keyboard focus: one backend per
// kind of desktop (X11, wlroots compositors, and KWin and GNOME Shell, whose script
// and extension report to the service). A backend tells of every change of the
// focused window (another window, or a new title or id of the same one) and of the
// focus leaving every window, as events of the program's event loop; it wakes up
// only when the desktop has something to tell. Qt-free interface.

#include "modes/rules/WindowInfo.h"

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
        // hint() changed: the desktop's part that tells the focus was switched on or off.
        std::function<void()> followingChanged;
    };

    virtual ~FocusSource() = default;

    // "X11 (display :0)", "wlroots (wayland-1)": for messages.
    virtual std::string description() const = 0;
    // The window that has the focus now.
    virtual std::optional<WindowInfo> focusedWindow() const = 0;
    // False until the desktop has told the focus once: KWin's script and GNOME Shell's
    // extension tell it soon after the start, as their first change.
    virtual bool focusKnown() const { return true; }
    // The windows open now, in the desktop's order.
    virtual std::vector<WindowInfo> openWindows() = 0;
    // Empty while the focused window can be followed; otherwise one sentence that says
    // why not and what would make it work (a GNOME Shell extension to enable).
    virtual std::string hint() const { return {}; }
    // What the service says once on starting to follow through this backend: a part of
    // it that does not work here (empty: all does).
    virtual std::string notice() const { return {}; }
};

} // namespace pad
