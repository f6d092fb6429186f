#pragma once
// The keypad session of a Windows program without Qt (qd6.exe): PadLink's host is a
// hidden message-only window of the calling thread, whose messages are handled while
// the session waits: for PadLink's presence message, for the keypad lock, and during
// a download's pauses, so that a keypad pulled out ends the download. The rules are
// KeypadSessionCore's.

#include "keypad/KeypadSessionCore.h"
#include "keypad/Win32HostWindow.h"

#include <chrono>

namespace pad {

class Win32KeypadSession : public KeypadSessionCore {
  public:
    explicit Win32KeypadSession(DeviceLinkPort link,
                                std::optional<std::filesystem::path> lockFile = std::nullopt);
    ~Win32KeypadSession() override;

    // InitDriver with the session's window: PadLink scans and reports.
    void Start();
    // Handles the thread's messages until PadLink has said whether a keypad is present
    // (and, for one that is, whether it is writable), at most timeout; false when not.
    bool WaitForPresence(std::chrono::milliseconds timeout);

  protected:
    void AcquireWaiting() override;
    // Handles the thread's messages until the deadline, which it keeps to the
    // millisecond.
    void PauseUntil(std::chrono::steady_clock::time_point deadline) override;

  private:
    Win32HostWindow window_;
};

} // namespace pad
