#pragma once
// The window a device link reports to, as each platform names it: on Linux a QObject,
// to which the link delivers pad::WindowMessage events (devicelink/WindowMessage.h); on
// Windows a window handle (HWND), to which it posts and sends window messages.

#ifdef _WIN32
struct HWND__;
namespace pad {
using HostWindow = HWND__*;
}
#else
class QObject;
namespace pad {
using HostWindow = QObject*;
}
#endif
