#pragma once
// Chooses the focus backend for the session the service runs in: the wlroots protocol
// when WAYLAND_DISPLAY names a compositor that offers it, X11 when DISPLAY names a
// display whose window manager tells the active window. A Wayland compositor without
// the protocol is not followed through XWayland: its own windows would go unseen.

#include "modes/focus/DesktopSession.h"
#include "modes/focus/FocusSource.h"

#include <memory>
#include <string>

namespace pad {

struct FocusConnection {
    std::unique_ptr<FocusSource> source;
    std::string failure; // without a source: why, and what would make it work
};

FocusConnection ConnectFocusSource(const DesktopSession& session,
                                   const FocusSource::Events& events);

} // namespace pad
