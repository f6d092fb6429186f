#include "devicelink/ReaderMailbox.h"

#include <QObject>
#include <QSocketNotifier>

#include <sys/eventfd.h>
#include <unistd.h>

namespace pad {

ReaderMailbox::ReaderMailbox() : eventFd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

ReaderMailbox::~ReaderMailbox() {
    if (eventFd_ >= 0)
        ::close(eventFd_);
}

bool ReaderMailbox::attach(QObject* receiver) {
    if (eventFd_ < 0)
        return false;
    auto* notifier = new QSocketNotifier(eventFd_, QSocketNotifier::Read, receiver);
    QObject::connect(notifier, &QSocketNotifier::activated, receiver,
                     [this, receiver] { deliver(receiver); });
    return true;
}

void ReaderMailbox::put(Letter letter) {
    {
        std::lock_guard lock(mutex_);
        letters_.push_back(std::move(letter));
    }
    std::uint64_t one = 1;
    // The counter only has to become non-zero to wake the receiver.
    [[maybe_unused]] ssize_t written = ::write(eventFd_, &one, sizeof one);
}

void ReaderMailbox::post(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    put({message, wParam, lParam, nullptr, nullptr});
}

bool ReaderMailbox::send(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam,
                         const std::shared_ptr<SendChannel>& channel,
                         std::shared_ptr<const void> keepAlive) {
    if (channel->abandoned())
        return false;
    std::uint64_t ticket = channel->nextTicket();
    put({message, wParam, lParam, channel, std::move(keepAlive)});
    return channel->waitHandled(ticket);
}

void ReaderMailbox::deliver(QObject* receiver) {
    std::uint64_t count = 0;
    [[maybe_unused]] ssize_t got = ::read(eventFd_, &count, sizeof count);
    std::deque<Letter> letters;
    {
        std::lock_guard lock(mutex_);
        letters.swap(letters_);
    }
    for (Letter& letter : letters) {
        // A stopped reader no longer waits for its message; drop it.
        if (!letter.channel || !letter.channel->abandoned()) {
            WindowMessage message(letter.message, letter.wParam, letter.lParam);
            QCoreApplication::sendEvent(receiver, &message);
        }
        if (letter.channel)
            letter.channel->markHandled();
    }
}

} // namespace pad
