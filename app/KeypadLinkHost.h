#pragma once
// Starts the main window's keypad session with PadLink's host as each platform has it:
// on Linux the session itself (KeypadLinkHostQt.cpp); on Windows the main window's
// native handle, whose presence messages a native event filter hands to the session
// (KeypadLinkHostWin32.cpp). The host lives as long as the returned object.

#include <memory>

class QWidget;

namespace pad {

class KeypadSession;

class KeypadLinkHost {
  public:
    virtual ~KeypadLinkHost() = default;
};

std::unique_ptr<KeypadLinkHost> StartKeypadLink(KeypadSession& session, QWidget& window);

} // namespace pad
