#pragma once
// The PC keyboard's view of a key: its set-1 scan code, the extended (E0) mark
// and its virtual-key code, and the 32-bit keystroke flags word built from them.
// Linux reports keys by evdev code; the table of physical keys turns those into PC keys.

#include <cstdint>
#include <optional>

namespace pad {

struct PcKey {
    std::uint8_t scan = 0;       // set-1 make code without the E0 prefix
    bool extended = false;       // the key sends an E0 prefix
    std::uint8_t virtualKey = 0; // virtual-key code; 0 where none is needed
};

inline constexpr std::uint8_t VkPrintScreen = 0x2C;

// The PC key of an evdev key code (linux/input-event-codes.h), or nullopt for
// codes with no PC equivalent. Follows the conventions the decoding tables
// expect: Num Lock is extended 0x45, Pause is plain 0x45, Print Screen is E0 37.
std::optional<PcKey> PcKeyFromEvdev(unsigned evdevCode);

// Qt's native scan code on X11 and Wayland is the evdev code + 8.
inline constexpr unsigned EvdevFromNativeScanCode(unsigned nativeScanCode) {
    return nativeScanCode >= 8 ? nativeScanCode - 8 : 0;
}

enum class KeyTransition {
    Down,       // the key went down
    AutoRepeat, // the key was already down
    Up,         // the key went up
};

// The keystroke flags word:
//   bits 0-15  repeat count (always 1)
//   bits 16-23 scan code
//   bit 24     extended key
//   bit 29     context code (Alt held)
//   bit 30     previous key state (1 for auto-repeat and key up)
//   bit 31     transition state (1 for key up)
std::uint32_t KeystrokeFlags(const PcKey& key, KeyTransition transition, bool altHeld);

} // namespace pad
