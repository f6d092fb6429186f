#pragma once
// What the single-key dialog keeps of the keys it captures.

#include "keyboard/capture/HeldKeys.h"
#include "keyboard/capture/Keystroke.h"

#include <cstdint>

namespace pad {

struct CapturedKey {
    DeviceKeyCode pressCode = 0;  // the last key down; 0 if none
    std::uint8_t releaseCode = 0; // the last key up, OR 0x80; 0 if none
    KeystrokeInfo lastKeystroke;  // the last keystroke of any kind
    HeldKeys held;                // the keys down since the capture began

    void Clear() { *this = CapturedKey{}; }
};

// Single-key rules for one decoded keystroke: the last key down and the last
// key up win, repeats (and presses of a key already down) keep the codes, and Print Screen (which
// only ever arrives as a key up) sets both codes to its release.
void ApplySingleKey(CapturedKey& captured, const KeystrokeInfo& key);

} // namespace pad
