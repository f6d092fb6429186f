#include "dialogs/keymap/DesktopKeyLayout.h"

#include "dialogs/keymap/WaylandKeyLayout.h"
#include "dialogs/keymap/X11KeyLayout.h"

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

} // namespace pad
