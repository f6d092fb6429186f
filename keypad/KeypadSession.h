#pragma once
// One program's session with the keypad, as PadConfig, qd6 and the mode service all
// hold it: it starts PadLink with itself as PadLink's host, keeps the last presence
// message (present, absent, present but not writable), selects modes and runs
// downloads. Downloads and mode selects of all the user's programs are kept apart by
// the keypad lock (keypad/KeypadLock.h), which also records the mode last selected.

#include "common/KeypadMode.h"
#include "keypad/DeviceLinkPort.h"
#include "keypad/DownloadRunner.h"
#include "keypad/KeypadLock.h"
#include "keypad/KeypadReports.h"

#include <QFileSystemWatcher>
#include <QObject>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

namespace pad {

class KeypadSession : public QObject {
    Q_OBJECT

  public:
    // lockFile: the keypad lock; unset, the user's (KeypadLock::DefaultPath).
    explicit KeypadSession(DeviceLinkPort link,
                           std::optional<std::filesystem::path> lockFile = std::nullopt,
                           QObject* parent = nullptr);
    ~KeypadSession() override;

    // InitDriver(this, HostMessage, KEYPAD_USAGE_PAGE): PadLink scans and reports.
    void Start();
    // Runs the event loop until PadLink has said whether a keypad is present (and, for
    // one that is, whether it is writable), at most timeout; false when it has not.
    bool WaitForPresence(std::chrono::milliseconds timeout);

    // PadLink's last presence message: 0 none yet, else MSG_KEYPAD_PRESENT,
    // MSG_KEYPAD_ABSENT or MSG_KEYPAD_NO_ACCESS.
    std::uint32_t PresenceMessage() const { return presence_; }
    bool Writable() const { return presence_ == MSG_KEYPAD_PRESENT; }
    // While the keypad is present but not writable, watch its device nodes and scan
    // again when their permissions change (a udev rule applied, the seat's session
    // becoming active), so that keypadReady follows without a replug.
    void FollowAccessChanges();
    // The errno of the last failed open, with MSG_KEYPAD_NO_ACCESS.
    int AccessError() const { return accessError_; }

    // The mode a program of the user selected last (nullopt: none recorded).
    std::optional<KeypadMode> LastSelectedMode();
    // Sends the mode-select report now, or, while a download holds the keypad, right
    // after it; a later select replaces one still waiting.
    void SelectMode(KeypadMode mode);
    enum class SelectResult { Sent, Busy, NotTaken };
    // Sends the mode-select report unless a download holds the keypad (Busy: nothing
    // is sent, and lockFreed follows once the download has ended). NotTaken: no keypad
    // interface took the report, and the mode is not recorded as selected.
    SelectResult TrySelectMode(KeypadMode mode);
    // Runs the event loop, without user input, until no download holds the keypad.
    void WaitUntilFree();
    // True while another program's download holds the keypad.
    bool HeldElsewhere();

    // Downloads the image: waits (as WaitUntilFree) for another program's download,
    // then holds the keypad lock for all of its reports. hooks.sendReport and
    // hooks.keypadGone are the session's; reportDone and pauseUntil are passed on.
    DownloadResult Download(const DownloadImage& image, std::chrono::milliseconds pause,
                            DownloadHooks hooks = {});
    bool Downloading() const { return downloading_; }

  signals:
    // After every presence message PadLink sends.
    void presenceChanged(std::uint32_t message);
    // The keypad became writable: present and open to this user.
    void keypadReady();
    // The keypad lock is free again after a select or a download found it held.
    void lockFreed();

  protected:
    bool event(QEvent* event) override;

  private:
    // Sends the report and records the mode when a keypad took it; false when none did.
    bool Send(KeypadMode mode);
    // Runs the event loop, without user input, until this session holds the keypad lock.
    void AcquireWaiting();
    void WatchLock();
    void LockFreed();

    void WatchAccess();

    DeviceLinkPort link_;
    QFileSystemWatcher* accessWatch_ = nullptr;
    KeypadLock lock_;
    std::uint32_t presence_ = 0;
    int accessError_ = 0;
    bool downloading_ = false;
    bool watchingLock_ = false;
    std::optional<KeypadMode> waitingMode_;
    // Lets a lock watcher's thread find out whether the session still exists.
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};

} // namespace pad
