#pragma once
// The Windows mode service's keypad: a keypad session over PadLink.dll on the
// service's thread. Its presence is looked at after the thread's messages were
// handled; a mode that a download kept from the keypad waits for the keypad lock on
// a thread of its own, which tells the service's window with a message when the
// lock is free.

#include "keypad/Win32KeypadSession.h"
#include "modes/KeypadModePort.h"

namespace pad {

class Win32KeypadModePort : public KeypadModePort {
  public:
    // window (an HWND) gets lockFreedMessage when a download has ended.
    Win32KeypadModePort(void* window, unsigned lockFreedMessage, KeypadPortEvents events);

    bool keypadPresent() const override { return session_.Writable(); }
    std::optional<KeypadMode> lastSetMode() const override;
    Send sendMode(KeypadMode mode) override;

    // After the thread's messages: tells of a keypad that appeared or went away.
    void presenceMayHaveChanged();
    // The window got lockFreedMessage.
    void lockFreed();

  private:
    void watchLock();

    // The session reads the keypad lock's record, which a const port may ask for.
    mutable Win32KeypadSession session_;
    void* window_;
    unsigned lockFreedMessage_;
    KeypadPortEvents events_;
    bool writable_ = false;
    bool watchingLock_ = false;
};

} // namespace pad
