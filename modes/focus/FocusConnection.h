#pragma once
// Chooses the focus backend for the session the service runs in: the wlroots protocol
// when WAYLAND_DISPLAY names a compositor that offers it; else KWin's script or GNOME
// Shell's extension when that compositor answers on the session bus; X11 when DISPLAY
// names a display whose window manager tells the active window. A Wayland compositor
// that tells the focus in none of these ways is not followed through XWayland: its
// own windows would go unseen.

#include "modes/focus/DesktopSession.h"
#include "modes/focus/FocusSource.h"

#include <memory>
#include <string>

namespace pad {

struct FocusConnection {
    std::unique_ptr<FocusSource> source;
    std::string failure; // without a source: why, and what would make it work
    // The desktop answered but broke off while telling of its windows: trying again
    // may work once whatever it could not tell has gone.
    bool brokenOff = false;
};

// Where KWin's script and GNOME Shell's extension send their reports: to the owner of
// the service's bus name.
struct CompositorRoute {
    enum class To {
        ThisInstance,   // this instance owns the name
        RunningService, // another instance runs and owns it: follow its announcements
        Nobody,         // not the service, no session bus, or the name is not ours
    } to = To::Nobody;
    std::string why; // for Nobody: why not; empty when the service does not run
};

// Programs other than the service (PadConfig) leave out the route: there KDE Plasma
// and GNOME cannot be followed, and the failure says so.
FocusConnection ConnectFocusSource(const DesktopSession& session, const FocusSource::Events& events,
                                   const CompositorRoute& route = {});

} // namespace pad
