#include "modes/focus/DesktopSession.h"

#include "common/KeypadMode.h"

#include <cstdlib>
#include <string_view>

namespace pad {
namespace {

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// Whether the colon-separated XDG_CURRENT_DESKTOP lists the name.
bool Lists(std::string_view desktops, std::string_view name) {
    while (!desktops.empty()) {
        const std::size_t colon = desktops.find(':');
        if (EqualIgnoringAsciiCase(desktops.substr(0, colon), name))
            return true;
        desktops.remove_prefix(colon == std::string_view::npos ? desktops.size() : colon + 1);
    }
    return false;
}

} // namespace

DesktopSession DesktopSession::fromEnvironment() {
    return {Variable("WAYLAND_DISPLAY"), Variable("DISPLAY"), Variable("XDG_CURRENT_DESKTOP")};
}

DesktopFamily FamilyOf(const DesktopSession& session) {
    if (Lists(session.currentDesktop, "KDE"))
        return DesktopFamily::Kde;
    if (Lists(session.currentDesktop, "GNOME"))
        return DesktopFamily::Gnome;
    return DesktopFamily::Other;
}

std::string DesktopName(const DesktopSession& session) {
    switch (FamilyOf(session)) {
    case DesktopFamily::Kde:
        return "KDE Plasma";
    case DesktopFamily::Gnome:
        return "GNOME";
    case DesktopFamily::Other:
        break;
    }
    return session.currentDesktop.empty() ? "this desktop" : session.currentDesktop;
}

std::string UnfollowableWaylandReason(const DesktopSession& session) {
    switch (FamilyOf(session)) {
    case DesktopFamily::Kde:
        return "KWin does not answer on the session bus (org.kde.KWin), through which "
               "padconfig-modes gives it the KWin script that tells the focused window; in "
               "the \"Plasma (X11)\" session padconfig-modes works";
    case DesktopFamily::Gnome:
        return "GNOME Shell does not answer on the session bus (org.gnome.Shell), on which "
               "its extension tells padconfig-modes the focused window; in the \"GNOME on "
               "Xorg\" session padconfig-modes works";
    case DesktopFamily::Other:
        break;
    }
    return "the Wayland compositor of " + DesktopName(session) +
           " does not offer the zwlr_foreign_toplevel_manager_v1 protocol, through which "
           "padconfig-modes learns the focused window, and neither KWin nor GNOME Shell "
           "answers on the session bus; wlroots compositors (sway, Hyprland, river, labwc, "
           "Wayfire), KDE Plasma, GNOME and X11 desktops work";
}

std::string NoDisplayReason() {
    return "no display: neither WAYLAND_DISPLAY nor DISPLAY is set; padconfig-modes follows "
           "the windows of a desktop session and runs inside one (as a systemd user service, "
           "once the desktop has passed its display to systemd)";
}

} // namespace pad
