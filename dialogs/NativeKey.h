#pragma once
// The physical key of a Qt key event, from the window system's own key code: the X
// keycode on X11 and Wayland (NativeKeyXkb.cpp), the scan code and virtual key on
// Windows (NativeKeyWin32.cpp). Null for keys the table lacks.

#include "keyboard/capture/PhysicalKeyLookup.h"

class QKeyEvent;

namespace pad {

const PhysicalKey* PhysicalKeyOf(const QKeyEvent& key);

} // namespace pad
