#pragma once
// What the mode service needs of the keypad: whether one is there, the mode our
// programs last set it to, and a way to set it. The keypad session implements it;
// the tests, a fake. Qt-free.

#include "common/KeypadMode.h"

#include <optional>

namespace pad {

struct KeypadModePort {
    virtual ~KeypadModePort() = default;

    // A keypad is plugged in and may be written.
    virtual bool keypadPresent() const = 0;
    // A keypad is plugged in but may not be opened for writing.
    virtual bool keypadUnwritable() const { return false; }
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

} // namespace pad
