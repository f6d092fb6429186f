#pragma once
// The mode service's interface on the session bus, for the service and for the
// programs that talk to it (PadConfig's "By Application..." dialog):
//
//   bus name org.padconfig.Modes, object /org/padconfig/Modes, interface
//   org.padconfig.Modes1
//
//   ReportFocus(s appId, s instance, s title, u pid)
//       The focused window, from the compositor's own connection only (the one that
//       owns org.kde.KWin or org.gnome.Shell); appId and title both empty: the focus
//       left every window. Anyone else gets org.freedesktop.DBus.Error.AccessDenied.
//   ReportWindows(av windows)
//       The open windows, from the compositor's own connection only; each item is an
//       array of variants [appId, instance, title, pid]: the form in which KWin's
//       scripts send lists.
//   OpenWindows() -> a(ssssu)
//       The open windows (appId, instance, title, executable, pid); any caller.
//   Status() -> (s desktop, b follows, s hint)
//       The desktop found, whether its focused window is followed, and when it is not
//       one sentence that says what would make it work; any caller.
//   signal FocusChanged(s appId, s instance, s title, s executable, u pid)
//       Every focus change the service learns (all empty and 0: no window).
//
// KWin's scripts send whole numbers as int32, so both reports take the pid as int32
// as well as uint32.

#include "modes/bus/WindowList.h" // FocusStatus, what Status() answers
#include "modes/rules/WindowInfo.h"

#include <QDBusArgument>
#include <QList>
#include <QString>

#include <optional>
#include <string>

namespace pad {

inline constexpr const char* ModesBusName = "org.padconfig.Modes";
inline constexpr const char* ModesObjectPath = "/org/padconfig/Modes";
inline constexpr const char* ModesInterface = "org.padconfig.Modes1";

// One window of OpenWindows(): (ssssu).
struct BusWindow {
    QString appId, instance, title, executable;
    uint pid = 0; // 0: unknown
};
using BusWindowList = QList<BusWindow>;

// How long a call to the service or to a compositor is waited for: they answer at
// once, and a hung one must not hold up the caller for long.
inline constexpr int BusCallTimeoutMs = 5000;

QDBusArgument& operator<<(QDBusArgument& argument, const BusWindow& window);
const QDBusArgument& operator>>(const QDBusArgument& argument, BusWindow& window);

// Registers BusWindow and BusWindowList with QtDBus; call once before using them.
void RegisterBusTypes();

BusWindow ToBusWindow(const WindowInfo& window);
WindowInfo FromBusWindow(const BusWindow& window);

// A window as a compositor reports it, with texts cut to MaxWindowTextBytes (at a
// character's start) as the X11 backend cuts them; nullopt for "no window" (appId and
// title empty). The executable is left to the caller.
std::optional<WindowInfo> ReportedWindow(const QString& appId, const QString& instance,
                                         const QString& title, qint64 pid);

} // namespace pad

Q_DECLARE_METATYPE(pad::BusWindow)
