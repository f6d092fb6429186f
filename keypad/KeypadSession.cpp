#include "keypad/KeypadSession.h"

#include "devicelink/WindowMessage.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QTimer>

#include <thread>

namespace pad {

KeypadSession::KeypadSession(DeviceLinkPort link, std::optional<std::filesystem::path> lockFile,
                             QObject* parent)
    : QObject(parent), KeypadSessionCore(std::move(link), std::move(lockFile)) {}

KeypadSession::~KeypadSession() = default;

bool KeypadSession::WaitForPresence(std::chrono::milliseconds timeout) {
    if (PresenceMessage() == 0) {
        QEventLoop loop;
        QTimer::singleShot(timeout, &loop, &QEventLoop::quit);
        connect(this, &KeypadSession::presenceChanged, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    // The no-access notice is posted right behind the presence message.
    QCoreApplication::sendPostedEvents(this);
    return PresenceMessage() != 0;
}

void KeypadSession::StartOn(HostWindow host) {
    StartLink(host);
}

bool KeypadSession::event(QEvent* event) {
    const WindowMessage* message = WindowMessage::from(event);
    if (!message)
        return QObject::event(event);
    TakeHostMessage(message->message(), message->lParam());
    return true;
}

bool KeypadSession::TakeHostMessage(std::uint32_t message, std::intptr_t lParam) {
    if (!TakeLinkMessage(message, lParam))
        return false;
    if (message == MSG_KEYPAD_PRESENT) {
        // Writable unless the no-access notice, posted right behind, says otherwise.
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (PresenceMessage() == MSG_KEYPAD_PRESENT)
                    emit keypadReady();
            },
            Qt::QueuedConnection);
    } else if (message == MSG_KEYPAD_NO_ACCESS) {
        WatchAccess();
    }
    emit presenceChanged(PresenceMessage());
    return true;
}

void KeypadSession::FollowAccessChanges() {
    if (accessWatch_)
        return;
    accessWatch_ = new QFileSystemWatcher(this);
    connect(accessWatch_, &QFileSystemWatcher::fileChanged, this, [this] {
        if (PresenceMessage() == MSG_KEYPAD_NO_ACCESS && Link().deviceArrival)
            Link().deviceArrival();
    });
    if (PresenceMessage() == MSG_KEYPAD_NO_ACCESS)
        WatchAccess();
}

void KeypadSession::WatchAccess() {
    if (!accessWatch_ || !Link().keypadNodes)
        return;
    if (!accessWatch_->files().isEmpty())
        accessWatch_->removePaths(accessWatch_->files());
    for (const std::string& node : Link().keypadNodes())
        if (QFileInfo::exists(QString::fromStdString(node))) // not the simulated keypad's
            accessWatch_->addPath(QString::fromStdString(node));
}

void KeypadSession::SelectMode(KeypadMode mode) {
    waitingMode_.reset();
    if (TrySelectMode(mode) == SelectResult::Busy)
        waitingMode_ = mode;
}

// Waits for the lock on a thread of its own, which holds it for no longer than it
// takes to see it free, then tells the session on its own thread.
void KeypadSession::WatchLock() {
    if (watchingLock_ || Downloading())
        return; // a download of this session ends with LockFreed
    watchingLock_ = true;
    std::weak_ptr<int> alive = alive_;
    std::thread([this, alive, path = Lock().path()] {
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
    while (!Lock().TryAcquire()) {
        QEventLoop loop;
        connect(this, &KeypadSession::lockFreed, &loop, &QEventLoop::quit);
        WatchLock();
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
}

} // namespace pad
