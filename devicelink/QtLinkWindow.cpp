// The link window on Linux (devicelink/LinkWindow.h): a hidden QObject on the host's
// thread, named after the window title, with a QObject as the host. The readers wake
// it through an eventfd that its event loop watches, so they make no Qt calls at all
// and thread checkers can follow the hand-over.

#include "devicelink/LinkWindow.h"

#include "devicelink/SentMessage.h"
#include "devicelink/WindowMessage.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QObject>
#include <QPointer>
#include <QSocketNotifier>

#include <sys/eventfd.h>
#include <unistd.h>

namespace pad {
namespace {

// The object that stands in for the window: reader messages reach the link through
// it, on its thread.
class WindowObject : public QObject {
  public:
    explicit WindowObject(LinkWindow::Receiver& receiver) : receiver_(receiver) {}

    bool event(QEvent* event) override {
        const WindowMessage* message = WindowMessage::from(event);
        if (!message)
            return QObject::event(event);
        receiver_.onReaderMessage(message->message(), message->wParam(), message->lParam());
        return true;
    }

  private:
    LinkWindow::Receiver& receiver_;
};

class QtLinkWindow : public LinkWindow {
  public:
    QtLinkWindow(const char* title, Receiver& receiver)
        : eventFd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)), object_(receiver) {
        object_.setObjectName(QString::fromLatin1(title));
        if (eventFd_ < 0)
            return;
        auto* wake = new QSocketNotifier(eventFd_, QSocketNotifier::Read, &object_);
        QObject::connect(wake, &QSocketNotifier::activated, &object_, [this] { deliver(); });
        mailbox_ = std::make_shared<ReaderMailbox>([fd = eventFd_] {
            std::uint64_t one = 1;
            // The counter only has to become non-zero to wake the window.
            [[maybe_unused]] ssize_t written = ::write(fd, &one, sizeof one);
        });
    }

    ~QtLinkWindow() override {
        // The socket notifier and the file watcher are children of the object and go
        // with it, before the descriptor they watch.
        while (!object_.children().isEmpty())
            delete object_.children().back();
        if (eventFd_ >= 0)
            ::close(eventFd_);
    }

    void setHost(HostWindow host) override { host_ = host; }

    bool postToHost(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override {
        return WindowMessage::post(host_.data(), message, wParam, lParam);
    }

    bool sendToHost(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override {
        return sendWindowMessage(host_.data(), message, wParam, lParam);
    }

    void queue(std::function<void()> work) override {
        QMetaObject::invokeMethod(&object_, std::move(work), Qt::QueuedConnection);
    }

    void followFile(const std::filesystem::path& file, std::function<void()> changed) override {
        auto* watcher = new QFileSystemWatcher(&object_);
        watcher->addPath(QFileInfo(QString::fromStdString(file.string())).absolutePath());
        QObject::connect(watcher, &QFileSystemWatcher::directoryChanged, &object_,
                         [changed = std::move(changed)] { changed(); });
    }

    std::shared_ptr<void> watchRemoval(const HidHandle&) override { return nullptr; }

    void* nativeHandle() const override { return const_cast<WindowObject*>(&object_); }

  private:
    void deliver() {
        std::uint64_t count = 0;
        [[maybe_unused]] ssize_t got = ::read(eventFd_, &count, sizeof count);
        mailbox_->deliver([this](const ReaderMailbox::Letter& letter) {
            WindowMessage message(letter.message, letter.wParam, letter.lParam);
            QCoreApplication::sendEvent(&object_, &message);
        });
    }

    int eventFd_;
    WindowObject object_;
    QPointer<QObject> host_; // cleared by Qt if the host goes away first
};

} // namespace

std::unique_ptr<LinkWindow> LinkWindow::create(const char*, const char* title, Receiver& receiver) {
    return std::make_unique<QtLinkWindow>(title, receiver);
}

void LinkWindow::keepUntilProgramEnd(void (*end)()) {
    qAddPostRoutine(end);
}

} // namespace pad
