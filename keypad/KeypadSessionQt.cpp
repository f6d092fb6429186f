// The keypad session's own host on Linux: the session object, to which PadLink posts
// its messages as events (KeypadSession::event).

#include "keypad/KeypadSession.h"

namespace pad {

struct KeypadSessionHost {};

void KeypadSession::Start() {
    StartOn(this);
}

} // namespace pad
