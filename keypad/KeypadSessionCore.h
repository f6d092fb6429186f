#pragma once
// The keypad session's rules, without an event loop of its own: PadLink's presence
// messages (present, absent, present but not writable), the keypad lock, mode selects
// and downloads. The sessions of the programs put it on their event loop: KeypadSession
// (Qt) and, for Windows programs without Qt, Win32KeypadSession. Downloads and mode
// selects of all the user's programs are kept apart by the keypad lock
// (keypad/KeypadLock.h), which also records the mode last selected. Qt-free.

#include "common/KeypadMode.h"
#include "devicelink/HostWindow.h"
#include "keypad/DeviceLinkPort.h"
#include "keypad/DownloadRun.h"
#include "keypad/KeypadLock.h"
#include "keypad/KeypadReports.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>

namespace pad {

class KeypadSessionCore {
  public:
    enum class SelectResult { Sent, Busy, NotTaken };

    // lockFile: the keypad lock; unset, the user's (KeypadLock::DefaultPath).
    explicit KeypadSessionCore(DeviceLinkPort link,
                               std::optional<std::filesystem::path> lockFile = std::nullopt);
    virtual ~KeypadSessionCore() = default;
    KeypadSessionCore(const KeypadSessionCore&) = delete;
    KeypadSessionCore& operator=(const KeypadSessionCore&) = delete;

    // PadLink's last presence message: 0 none yet, else MSG_KEYPAD_PRESENT,
    // MSG_KEYPAD_ABSENT or MSG_KEYPAD_NO_ACCESS.
    std::uint32_t PresenceMessage() const { return presence_; }
    bool Writable() const { return presence_ == MSG_KEYPAD_PRESENT; }
    // The errno of the last failed open, with MSG_KEYPAD_NO_ACCESS.
    int AccessError() const { return accessError_; }

    // The mode a program of the user selected last (nullopt: none recorded).
    std::optional<KeypadMode> LastSelectedMode();
    // Sends the mode-select report unless a download holds the keypad (Busy: nothing
    // is sent). NotTaken: no keypad interface took the report, and the mode is not
    // recorded as selected.
    SelectResult TrySelectMode(KeypadMode mode);
    // Waits, without user input, until no download holds the keypad.
    void WaitUntilFree();
    // True while another program's download holds the keypad.
    bool HeldElsewhere();

    // Downloads the image: waits (as WaitUntilFree) for another program's download,
    // then holds the keypad lock for all of its reports. hooks.sendReport and
    // hooks.keypadGone are the session's; reportDone and pauseUntil are passed on, and
    // without a pauseUntil the session pauses with PauseUntil.
    DownloadResult Download(const DownloadImage& image, std::chrono::milliseconds pause,
                            DownloadHooks hooks = {});
    bool Downloading() const { return downloading_; }

    // InitDriver(host, HostMessage, KEYPAD_USAGE_PAGE): PadLink scans and reports to
    // host, which hands the messages it receives to TakeLinkMessage.
    void StartLink(HostWindow host);
    // Takes one of PadLink's messages to the host; true when it was a presence message.
    bool TakeLinkMessage(std::uint32_t message, std::intptr_t lParam);

  protected:
    const DeviceLinkPort& Link() const { return link_; }
    KeypadLock& Lock() { return lock_; }

    // Returns once this session holds the keypad lock, waiting the program's way.
    virtual void AcquireWaiting() = 0;
    // Waits until the deadline the program's way, handling PadLink's messages.
    virtual void PauseUntil(std::chrono::steady_clock::time_point deadline) = 0;
    // A select found the keypad held by a download.
    virtual void LockBusy() {}
    // This session's download has released the keypad lock.
    virtual void DownloadEnded() {}

  private:
    // Sends the report and records the mode when a keypad took it; false when none did.
    bool Send(KeypadMode mode);
    // The report, to every keypad interface; false when none took it.
    bool Write(const Report& report);

    DeviceLinkPort link_;
    KeypadLock lock_;
    std::uint32_t presence_ = 0;
    int accessError_ = 0;
    bool downloading_ = false;
};

} // namespace pad
