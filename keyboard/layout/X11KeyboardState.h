#pragma once
// The X server's view of the keyboard: the keys down (QueryKeymap), and the XKB
// per-client flag that makes held keys repeat without synthetic releases.

#include "keyboard/capture/DesktopKeyboard.h"

struct xcb_connection_t;

namespace pad {

class X11KeyboardState : public KeyboardState {
  public:
    // Null when the application does not run on X11.
    static std::unique_ptr<X11KeyboardState> Create();
    std::vector<unsigned> KeysDown() override;

  private:
    explicit X11KeyboardState(xcb_connection_t* connection) : connection_(connection) {}
    xcb_connection_t* connection_;
};

} // namespace pad
