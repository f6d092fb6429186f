#include "dialogs/keymap/DesktopKeyLayout.h"
#include "dialogs/keymap/KeyboardState.h"

#include "dialogs/keymap/WaylandKeyLayout.h"
#include "dialogs/keymap/X11KeyLayout.h"
#include "dialogs/keymap/X11KeyboardState.h"

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
