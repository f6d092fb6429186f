#pragma once
// The 17-byte action of a key: 16 key events in play order, then the play mode.
// The same bytes live in a key slot, in a macro, in the profile file and in the
// download to the keypad.

#include "common/KeypadProtocol.h"

#include <array>
#include <cstdint>

namespace pad {

// One event byte: bit 7 set means a release, bits 0-6 are a DeviceKeyCode. 0 = no event.
using KeyEvent = std::uint8_t;
// The keypad's own 7-bit key numbering (see KeyCodes.h).
using DeviceKeyCode = std::uint8_t;

inline constexpr KeyEvent ReleaseFlag = 0x80;

enum PlayMode : std::uint8_t {
    PlayOnce = 0xA0,
    RepeatWhileHeld = 0xA1,
    RepeatUntilPressedAgain = 0xA2,
    DirectKey = 0xA3,
};

struct KeyAction {
    std::array<KeyEvent, EventsPerAction> events{};
    std::uint8_t playMode = PlayOnce;

    // All events 0, PlayOnce: a slot that plays nothing.
    static KeyAction empty() { return {}; }
    // A single key or mouse button: the code in events[0], the rest 0, DirectKey.
    static KeyAction direct(DeviceKeyCode code) {
        KeyAction a;
        a.events[0] = code;
        a.playMode = DirectKey;
        return a;
    }

    // The 17 bytes as they are stored and downloaded.
    std::array<std::uint8_t, ActionSize> bytes() const;
    static KeyAction fromBytes(const std::uint8_t* seventeenBytes);

    friend bool operator==(const KeyAction&, const KeyAction&) = default;
};

constexpr KeyEvent pressOf(DeviceKeyCode code) {
    return code;
}
constexpr KeyEvent releaseOf(DeviceKeyCode code) {
    return KeyEvent(code | ReleaseFlag);
}
constexpr bool isRelease(KeyEvent e) {
    return (e & ReleaseFlag) != 0;
}
constexpr DeviceKeyCode codeOf(KeyEvent e) {
    return DeviceKeyCode(e & 0x7F);
}

} // namespace pad
