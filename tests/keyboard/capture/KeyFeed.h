#pragma once
// Builds decoded keystrokes the way the capture delivers them.

#include "keyboard/capture/Keystroke.h"
#include "keyboard/capture/PhysicalKeyLookup.h"

namespace pad::testkeys {

// evdev codes used by the tests
inline constexpr unsigned A = 30, B = 48, C = 46, D = 32, E = 18, F = 33, G = 34, H = 35, I = 23,
                          J = 36, LeftShift = 42, SysRq = 99, KeypadEqual = 117;

inline KeystrokeInfo Key(unsigned evdev, KeyTransition t) {
    return DecodeKeystroke({keyOfEvdev(evdev), t});
}
inline KeystrokeInfo Down(unsigned evdev) {
    return Key(evdev, KeyTransition::Down);
}
inline KeystrokeInfo Up(unsigned evdev) {
    return Key(evdev, KeyTransition::Up);
}
inline KeystrokeInfo Repeat(unsigned evdev) {
    return Key(evdev, KeyTransition::AutoRepeat);
}

} // namespace pad::testkeys
