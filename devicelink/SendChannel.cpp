#include "devicelink/SendChannel.h"

namespace pad {

void SendChannel::abandon() {
    std::lock_guard lock(mutex_);
    abandoned_ = true;
    changed_.notify_all();
}

bool SendChannel::abandoned() const {
    std::lock_guard lock(mutex_);
    return abandoned_;
}

std::uint64_t SendChannel::nextTicket() {
    std::lock_guard lock(mutex_);
    return ++issued_;
}

void SendChannel::markHandled() {
    std::lock_guard lock(mutex_);
    ++handled_;
    changed_.notify_all();
}

bool SendChannel::waitHandled(std::uint64_t ticket) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return handled_ >= ticket || abandoned_; });
    return handled_ >= ticket;
}

} // namespace pad
