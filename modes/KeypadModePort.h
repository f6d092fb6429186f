#pragma once
// What the mode service needs of the keypad: whether one is there, the mode our
// programs last set it to, and a way to set it. The keypad session implements it;
// the tests, a fake. Qt-free.

#include "common/KeypadMode.h"

#include <functional>
#include <optional>

namespace pad {

struct KeypadModePort {
    virtual ~KeypadModePort() = default;

    // A keypad is plugged in and may be written.
    virtual bool keypadPresent() const = 0;
    // The keypad's mode as last set by any of our programs (PadConfig, qd6 mode, this
    // service); nullopt when unknown.
    virtual std::optional<KeypadMode> lastSetMode() const = 0;

    enum class Send {
        Sent,
        Busy,   // a download holds the keypad: nothing was sent
        Failed, // the keypad did not take the report
    };
    virtual Send sendMode(KeypadMode mode) = 0;
};

// What a keypad port tells the service, from its event loop, never from inside a
// call of the port.
struct KeypadPortEvents {
    // A keypad was plugged in, or may now be written.
    std::function<void()> appeared;
    std::function<void()> gone;
    // The download that made a send Busy has ended.
    std::function<void()> downloadEnded;
};

} // namespace pad
