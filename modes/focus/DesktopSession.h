#pragma once
// The desktop session the mode service runs in, as its environment tells it, and
// what to say when the focused window cannot be learned there. Qt-free.

#include <string>

namespace pad {

struct DesktopSession {
    std::string waylandDisplay; // WAYLAND_DISPLAY
    std::string display;        // DISPLAY
    std::string currentDesktop; // XDG_CURRENT_DESKTOP, e.g. "ubuntu:GNOME" or "KDE"

    static DesktopSession fromEnvironment();
};

enum class DesktopFamily { Kde, Gnome, Other };
DesktopFamily FamilyOf(const DesktopSession& session);

// The desktop's name for messages: "KDE Plasma", "GNOME", or XDG_CURRENT_DESKTOP's.
std::string DesktopName(const DesktopSession& session);

// Why a Wayland compositor without the wlroots protocol, whose KWin or GNOME Shell
// does not answer on the session bus either, cannot be followed, and what would make
// it work, in one sentence.
std::string UnfollowableWaylandReason(const DesktopSession& session);

// The sentence for a session with no display at all.
std::string NoDisplayReason();

} // namespace pad
