#include "modes/focus/FocusConnection.h"

#include "modes/focus/WlrFocusSource.h"
#include "modes/focus/X11FocusSource.h"

namespace pad {
namespace {

FocusConnection ConnectX11(const FocusSource::Events& events, const std::string& before = {}) {
    FocusConnection connection;
    connection.source = X11FocusSource::connect(events, connection.failure);
    if (!connection.source && !before.empty())
        connection.failure = before + "; " + connection.failure;
    return connection;
}

} // namespace

FocusConnection ConnectFocusSource(const DesktopSession& session,
                                   const FocusSource::Events& events) {
    if (!session.waylandDisplay.empty()) {
        auto failure = WlrFocusSource::Failure::NoConnection;
        if (auto source = WlrFocusSource::connect(events, failure))
            return {std::move(source), {}};
        if (failure == WlrFocusSource::Failure::NoProtocol)
            return {nullptr, UnfollowableWaylandReason(session)};
        if (failure == WlrFocusSource::Failure::Broken)
            return {nullptr, "the Wayland compositor of " + session.waylandDisplay +
                                 " ended the connection while telling of its windows"};
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
