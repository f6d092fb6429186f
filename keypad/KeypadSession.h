#pragma once
// One Qt program's session with the keypad, as PadConfig, qd6 and the mode service all
// hold it on Linux: it starts PadLink with itself as PadLink's host, keeps the last
// presence message, selects modes and runs downloads by the rules of
// keypad/KeypadSessionCore.h, waiting in Qt's event loop and telling of changes by
// signals.

#include "keypad/DownloadRunner.h"
#include "keypad/KeypadSessionCore.h"

#include <QFileSystemWatcher>
#include <QObject>

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>

namespace pad {

struct KeypadSessionHost;

class KeypadSession : public QObject, public KeypadSessionCore {
    Q_OBJECT

  public:
    // lockFile: the keypad lock; unset, the user's (KeypadLock::DefaultPath).
    explicit KeypadSession(DeviceLinkPort link,
                           std::optional<std::filesystem::path> lockFile = std::nullopt,
                           QObject* parent = nullptr);
    ~KeypadSession() override;

    // InitDriver with a host of the session's own: PadLink scans and reports. On Linux
    // the host is the session object (KeypadSessionQt.cpp), on Windows a message-only
    // window of the session (KeypadSessionWin32.cpp).
    void Start();
    // InitDriver with the program's own host: a window whose messages the program hands
    // to TakeHostMessage (on Windows, through a native event filter).
    void StartOn(HostWindow host);
    // One of PadLink's messages to the host; true when it was a presence message.
    bool TakeHostMessage(std::uint32_t message, std::intptr_t lParam);
    // Runs the event loop until PadLink has said whether a keypad is present (and, for
    // one that is, whether it is writable), at most timeout; false when it has not.
    bool WaitForPresence(std::chrono::milliseconds timeout);

    // While the keypad is present but not writable, watch its device nodes and scan
    // again when their permissions change (a udev rule applied, the seat's session
    // becoming active), so that keypadReady follows without a replug.
    void FollowAccessChanges();

    // Sends the mode-select report now, or, while a download holds the keypad, right
    // after it; a later select replaces one still waiting.
    void SelectMode(KeypadMode mode);

  signals:
    // After every presence message PadLink sends.
    void presenceChanged(std::uint32_t message);
    // The keypad became writable: present and open to this user.
    void keypadReady();
    // The keypad lock is free again after a select or a download found it held.
    void lockFreed();

  protected:
    bool event(QEvent* event) override;
    // Runs the event loop, without user input, until this session holds the keypad lock.
    void AcquireWaiting() override;
    // Runs the event loop without user input (PauseWithoutInput).
    void PauseUntil(std::chrono::steady_clock::time_point deadline) override {
        PauseWithoutInputUntil(deadline);
    }
    void LockBusy() override { WatchLock(); }
    void DownloadEnded() override { LockFreed(); }

  private:
    void WatchLock();
    void LockFreed();

    void WatchAccess();

    // The host of Start() on Windows; null elsewhere.
    std::shared_ptr<KeypadSessionHost> ownHost_; // shared: its type is complete only there
    QFileSystemWatcher* accessWatch_ = nullptr;
    bool watchingLock_ = false;
    std::optional<KeypadMode> waitingMode_;
    // Lets a lock watcher's thread find out whether the session still exists.
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};

} // namespace pad
