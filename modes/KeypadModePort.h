#pragma once
// What the mode service needs of the keypad: whether one is there, the mode our
// programs last set it to, and a way to set it. The keypad session implements it;
// the tests, a fake; an instance that only prints, a port that writes nothing. Qt-free.

#include "common/KeypadMode.h"

#include <functional>
#include <optional>
#include <string>

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

    // False for a port that writes nothing: the decisions then say what each window
    // wants.
    virtual bool writes() const { return true; }
};

// The port of an instance that only prints what each window wants, beside the
// running service that sets the modes.
struct PrintOnlyPort : KeypadModePort {
    bool keypadPresent() const override { return false; }
    std::optional<KeypadMode> lastSetMode() const override { return std::nullopt; }
    Send sendMode(KeypadMode) override { return Send::Failed; }
    bool writes() const override { return false; }
};

// What a keypad port tells the service, from its event loop, never from inside a
// call of the port.
struct KeypadPortEvents {
    // A keypad was plugged in, or may now be written.
    std::function<void()> appeared;
    std::function<void()> gone;
    // A keypad is plugged in but may not be opened for writing: why, and what gives the
    // user access (the udev rule), in sentences of their own.
    std::function<void(const std::string& why)> noAccess;
    // The download that made a send Busy has ended.
    std::function<void()> downloadEnded;
};

} // namespace pad
