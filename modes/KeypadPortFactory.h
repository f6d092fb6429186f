#pragma once
// Where the mode service gets its keypad: one function, implemented once in its own
// file, so that the keypad's side can be replaced without touching the service.

#include "modes/KeypadModePort.h"

#include <QObject>

#include <memory>

namespace pad {

// The keypad port for this program run; owner is the QObject that its Qt parts
// may hang on. The events come from the event loop, never from inside a call of
// the port.
std::unique_ptr<KeypadModePort> makeKeypadModePort(QObject* owner, KeypadPortEvents events);

} // namespace pad
