#include "modes/focus/FocusStatus.h"

namespace pad {
namespace {

// The display the session would be followed on, named as the backends name theirs.
std::string DisplayOf(const DesktopSession& session) {
    if (!session.waylandDisplay.empty())
        return "Wayland (" + session.waylandDisplay + ")";
    if (!session.display.empty())
        return "X11 (display " + session.display + ")";
    return "no display";
}

} // namespace

FocusStatus StatusOfSession(const DesktopSession& session, const std::string& backend,
                            const std::string& failure) {
    FocusStatus status;
    status.follows = !backend.empty();
    status.hint = status.follows ? std::string() : failure;
    status.desktop = status.follows ? backend : DisplayOf(session);
    // A bare window manager or compositor names no desktop.
    if (!session.currentDesktop.empty())
        status.desktop = DesktopName(session) + ", " + status.desktop;
    return status;
}

} // namespace pad
