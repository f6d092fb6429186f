#include "modes/win32/ServiceWindow.h"

#include <windows.h>

namespace pad {

void* FindServiceWindow() {
    return ::FindWindowExW(HWND_MESSAGE, nullptr, ServiceWindowClass, nullptr);
}

} // namespace pad
