#include "keyboard/layout/DesktopKeyLayout.h"
#include "keyboard/layout/KeyboardState.h"

#include "keyboard/layout/WaylandKeyLayout.h"
#include "keyboard/layout/X11KeyLayout.h"
#include "keyboard/layout/X11KeyboardState.h"

#include <QGuiApplication>

namespace pad {

std::unique_ptr<KeyLayout> MakeDesktopKeyLayout() {
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("xcb"))
        return X11KeyLayout::Create();
    if (platform.startsWith(QLatin1String("wayland")))
        return WaylandKeyLayout::Connect();
    return nullptr;
}

std::unique_ptr<KeyboardState> MakeKeyboardState() {
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        return X11KeyboardState::Create();
    return nullptr;
}

} // namespace pad
