#include "modes/focus/FocusConnection.h"

#include "modes/focus/GnomeFocusSource.h"
#include "modes/focus/KWinFocusSource.h"
#include "modes/focus/RelayedFocusSource.h"
#include "modes/focus/WlrFocusSource.h"
#include "modes/focus/X11FocusSource.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>

namespace pad {
namespace {

FocusConnection ConnectX11(const FocusSource::Events& events, const std::string& before = {}) {
    FocusConnection connection;
    connection.source = X11FocusSource::connect(events, connection.failure);
    if (!connection.source && !before.empty())
        connection.failure = before + "; " + connection.failure;
    return connection;
}

template <typename Source>
FocusConnection Connect(const QDBusConnection& bus, const FocusSource::Events& events) {
    FocusConnection connection;
    connection.source = Source::connect(bus, events, connection.failure);
    return connection;
}

// KDE Plasma and GNOME on Wayland, whose compositor reports to the service's bus name.
FocusConnection ConnectCompositor(const DesktopSession& session, const FocusSource::Events& events,
                                  const CompositorRoute& route) {
    const QDBusConnection bus = QDBusConnection::sessionBus();
    auto answers = [&](const char* name) {
        return bus.isConnected() && bus.interface()->isServiceRegistered(name).value();
    };
    const bool kwin = answers(KWinFocusSource::BusName);
    const bool shell = answers(GnomeFocusSource::BusName);
    if (!kwin && !shell)
        return {nullptr, UnfollowableWaylandReason(session)};
    const std::string desktop = kwin ? "KWin" : "GNOME Shell";
    switch (route.to) {
    case CompositorRoute::To::Nobody:
        return {nullptr, desktop +
                             " tells the focused window only to padconfig-modes, over the "
                             "session bus, and " +
                             (route.why.empty() ? "padconfig-modes does not run" : route.why)};
    case CompositorRoute::To::RunningService:
        return Connect<RelayedFocusSource>(bus, events);
    case CompositorRoute::To::ThisInstance:
        break;
    }
    // Both on one bus: the desktop named in XDG_CURRENT_DESKTOP decides.
    if (kwin && (!shell || FamilyOf(session) != DesktopFamily::Gnome))
        return Connect<KWinFocusSource>(bus, events);
    return Connect<GnomeFocusSource>(bus, events);
}

} // namespace

FocusConnection ConnectFocusSource(const DesktopSession& session, const FocusSource::Events& events,
                                   const CompositorRoute& route) {
    if (!session.waylandDisplay.empty()) {
        auto failure = WlrFocusSource::Failure::NoConnection;
        if (auto source = WlrFocusSource::connect(events, failure))
            return {std::move(source), {}};
        if (failure == WlrFocusSource::Failure::NoProtocol)
            return ConnectCompositor(session, events, route);
        if (failure == WlrFocusSource::Failure::Broken)
            return {nullptr,
                    "the Wayland compositor of " + session.waylandDisplay +
                        " ended the connection while telling of its windows (a window's "
                        "title or app id may be longer than the Wayland protocol allows, "
                        "about 4 KB)",
                    true};
        const std::string noWayland =
            "cannot connect to the Wayland display " + session.waylandDisplay;
        if (session.display.empty())
            return {nullptr, noWayland};
        return ConnectX11(events, noWayland);
    }
    if (!session.display.empty())
        return ConnectX11(events);
    return {nullptr, NoDisplayReason()};
}

} // namespace pad
