#pragma once
// The keys held down while a capture runs. A press of a key that is already down is
// an auto-repeat, whatever the window system called it: on X11 a held key repeats
// as presses of its own, and a key held since before the capture began sends no
// press at all, only its repeats.

#include "keyboard/capture/Keystroke.h"

#include <bitset>
#include <span>

namespace pad {

class HeldKeys {
  public:
    // Starts over with the keys that are down as the capture begins (evdev codes).
    void Reset(std::span<const unsigned> evdevCodesDown = {});

    // Notes one keystroke and returns it as the capture rules take it: a press of a
    // key that is already down comes back as a repeat.
    KeystrokeInfo Note(KeystrokeInfo key);

  private:
    std::bitset<256> down_; // by HID usage
};

} // namespace pad
