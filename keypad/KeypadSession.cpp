#include "keypad/KeypadSession.h"

#include "devicelink/WindowMessage.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QTimer>

#include <cstdio>
#include <thread>

namespace pad {
namespace {

std::filesystem::path DefaultLockFile() {
    std::string error;
    std::filesystem::path path = KeypadLock::DefaultPath(&error);
    if (path.empty())
        std::fprintf(stderr, "Keypad lock not used: %s\n", error.c_str());
    return path;
}

} // namespace

KeypadSession::KeypadSession(DeviceLinkPort link, std::optional<std::filesystem::path> lockFile,
                             QObject* parent)
    : QObject(parent), link_(std::move(link)),
      lock_(lockFile ? std::move(*lockFile) : DefaultLockFile()) {}

KeypadSession::~KeypadSession() = default;

void KeypadSession::Start() {
    if (link_.initDriver)
        link_.initDriver(this, HostMessage, KEYPAD_USAGE_PAGE);
}

bool KeypadSession::WaitForPresence(std::chrono::milliseconds timeout) {
    if (presence_ == 0) {
        QEventLoop loop;
        QTimer::singleShot(timeout, &loop, &QEventLoop::quit);
        connect(this, &KeypadSession::presenceChanged, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    // The no-access notice is posted right behind the presence message.
    QCoreApplication::sendPostedEvents(this);
    return presence_ != 0;
}

bool KeypadSession::event(QEvent* event) {
    const WindowMessage* message = WindowMessage::from(event);
    if (!message)
        return QObject::event(event);
    switch (message->message()) {
    case MSG_KEYPAD_PRESENT:
        presence_ = message->message();
        // Writable unless the no-access notice, posted right behind, says otherwise.
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (presence_ == MSG_KEYPAD_PRESENT)
                    emit keypadReady();
            },
            Qt::QueuedConnection);
        emit presenceChanged(presence_);
        break;
    case MSG_KEYPAD_ABSENT:
        presence_ = message->message();
        emit presenceChanged(presence_);
        break;
    case MSG_KEYPAD_NO_ACCESS:
        presence_ = message->message();
        accessError_ = int(message->lParam());
        WatchAccess();
        emit presenceChanged(presence_);
        break;
    default:
        break; // the host message: no reader is ever started
    }
    return true;
}

void KeypadSession::FollowAccessChanges() {
    if (accessWatch_)
        return;
    accessWatch_ = new QFileSystemWatcher(this);
    connect(accessWatch_, &QFileSystemWatcher::fileChanged, this, [this] {
        if (presence_ == MSG_KEYPAD_NO_ACCESS && link_.deviceArrival)
            link_.deviceArrival();
    });
    if (presence_ == MSG_KEYPAD_NO_ACCESS)
        WatchAccess();
}

void KeypadSession::WatchAccess() {
    if (!accessWatch_ || !link_.keypadNodes)
        return;
    if (!accessWatch_->files().isEmpty())
        accessWatch_->removePaths(accessWatch_->files());
    for (const std::string& node : link_.keypadNodes())
        if (QFileInfo::exists(QString::fromStdString(node))) // not the simulated keypad's
            accessWatch_->addPath(QString::fromStdString(node));
}

std::optional<KeypadMode> KeypadSession::LastSelectedMode() {
    return lock_.RecordedMode();
}

bool KeypadSession::Send(KeypadMode mode) {
    const Report report = ModeSelectReport(mode);
    bool taken = true;
    if (link_.writeReport)
        taken = link_.writeReport(KEYPAD_USAGE_PAGE, KEYPAD_USAGE, report.data()) > 0;
    else if (link_.setKbdFeatures)
        link_.setKbdFeatures(KEYPAD_USAGE_PAGE, KEYPAD_USAGE, report.data());
    // A mode no keypad took is not the keypad's mode: the next select of it is sent.
    if (taken)
        lock_.RecordMode(mode);
    return taken;
}

KeypadSession::SelectResult KeypadSession::TrySelectMode(KeypadMode mode) {
    if (downloading_ || !lock_.TryAcquire()) {
        WatchLock();
        return SelectResult::Busy;
    }
    const bool taken = Send(mode);
    lock_.Release();
    return taken ? SelectResult::Sent : SelectResult::NotTaken;
}

void KeypadSession::SelectMode(KeypadMode mode) {
    waitingMode_.reset();
    if (TrySelectMode(mode) == SelectResult::Busy)
        waitingMode_ = mode;
}

// Waits for the lock on a thread of its own, which holds it for no longer than it
// takes to see it free, then tells the session on its own thread.
void KeypadSession::WatchLock() {
    if (watchingLock_ || downloading_)
        return; // a download of this session ends with LockFreed
    watchingLock_ = true;
    std::weak_ptr<int> alive = alive_;
    std::thread([this, alive, path = lock_.path()] {
        KeypadLock watcher(path);
        watcher.Acquire();
        watcher.Release();
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [this, alive] {
                if (alive.lock())
                    LockFreed();
            },
            Qt::QueuedConnection);
    }).detach();
}

void KeypadSession::LockFreed() {
    watchingLock_ = false;
    if (waitingMode_) {
        const KeypadMode mode = *waitingMode_;
        SelectMode(mode);
        if (waitingMode_)
            return; // another download took the keypad first
    }
    emit lockFreed();
}

void KeypadSession::AcquireWaiting() {
    while (!lock_.TryAcquire()) {
        QEventLoop loop;
        connect(this, &KeypadSession::lockFreed, &loop, &QEventLoop::quit);
        WatchLock();
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
}

void KeypadSession::WaitUntilFree() {
    AcquireWaiting();
    lock_.Release();
}

bool KeypadSession::HeldElsewhere() {
    if (lock_.Held())
        return false;
    const bool free = lock_.TryAcquire();
    lock_.Release();
    return !free;
}

DownloadResult KeypadSession::Download(const DownloadImage& image, std::chrono::milliseconds pause,
                                       DownloadHooks hooks) {
    AcquireWaiting();
    downloading_ = true;
    hooks.sendReport = [this](const Report& report) {
        if (link_.writeReport)
            return link_.writeReport(KEYPAD_USAGE_PAGE, KEYPAD_USAGE, report.data()) > 0;
        if (link_.setKbdFeatures)
            link_.setKbdFeatures(KEYPAD_USAGE_PAGE, KEYPAD_USAGE, report.data());
        return true;
    };
    // PadLink's presence messages are handled during the pauses.
    hooks.keypadGone = [this] { return presence_ != MSG_KEYPAD_PRESENT; };
    const DownloadResult result = RunDownload(image, hooks, pause);
    downloading_ = false;
    lock_.Release();
    LockFreed();
    return result;
}

} // namespace pad
