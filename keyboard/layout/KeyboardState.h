#pragma once
// What the window system tells of the keyboard besides key events: which keys are
// down at a given moment, so that a capture knows the keys held since before it
// began. Which window systems are known is chosen when the program is built.

#include <memory>
#include <vector>

namespace pad {

class KeyboardState {
  public:
    virtual ~KeyboardState() = default;
    // The evdev codes of the keys down right now.
    virtual std::vector<unsigned> KeysDown() = 0;
};

// Null where the window system does not say (Wayland reports a held key's repeats
// as such, so nothing is needed there). On X11 it also asks the server, for the
// whole program, to send a held key's repeats as presses alone, without the made-up
// releases between them that would look like the key being let go.
std::unique_ptr<KeyboardState> MakeKeyboardState();

} // namespace pad
