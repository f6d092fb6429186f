#pragma once
// The toolkit's own connection to the X server, or null when the application does
// not run on X11.

#include <QGuiApplication>

struct xcb_connection_t;

namespace pad {

inline xcb_connection_t* QtX11Connection() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

} // namespace pad
