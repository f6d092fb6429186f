#include "devicelink/ReaderMailbox.h"

namespace pad {

ReaderMailbox::ReaderMailbox(std::function<void()> wakeReceiver)
    : wakeReceiver_(std::move(wakeReceiver)) {}

void ReaderMailbox::put(Letter letter) {
    {
        std::lock_guard lock(mutex_);
        letters_.push_back(std::move(letter));
    }
    wakeReceiver_();
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

void ReaderMailbox::deliver(const std::function<void(const Letter&)>& handle) {
    std::deque<Letter> letters;
    {
        std::lock_guard lock(mutex_);
        letters.swap(letters_);
    }
    for (Letter& letter : letters) {
        // A stopped reader no longer waits for its message; drop it.
        if (!letter.channel || !letter.channel->abandoned())
            handle(letter);
        if (letter.channel)
            letter.channel->markHandled();
    }
}

} // namespace pad
