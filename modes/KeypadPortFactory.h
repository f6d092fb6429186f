#pragma once
// Where the mode service gets its keypad: one function, implemented once in its own
// file, so that the keypad's side can be replaced without touching the service.

#include "modes/KeypadModePort.h"

#include <QObject>

#include <functional>
#include <memory>
#include <string>

namespace pad {

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

// The keypad port for this program run; owner is the QObject that its Qt parts
// may hang on. The events come from the event loop, never from inside a call of
// the port.
std::unique_ptr<KeypadModePort> makeKeypadModePort(QObject* owner, KeypadPortEvents events);

} // namespace pad
