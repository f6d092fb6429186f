#include "keyboard/layout/DesktopKeyLayout.h"

#include "keyboard/layout/WaylandKeyLayout.h"
#include "keyboard/layout/X11KeyLayout.h"
#include "keyboard/layout/X11KeyboardState.h"

#include <QGuiApplication>

namespace pad {

DesktopKeyboard MakeDesktopKeyboard() {
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("xcb"))
        return {X11KeyboardState::Create(), X11KeyLayout::Create()};
    if (platform.startsWith(QLatin1String("wayland")))
        return {nullptr, WaylandKeyLayout::Connect()};
    return {};
}

} // namespace pad
