#pragma once
// What a sender that waits for its message to be handled holds: the count of its
// messages handled so far. Abandoning the channel releases a waiting sender, which is
// how a stopping reader stops waiting for a busy link window. Portable.

#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace pad {

class SendChannel {
  public:
    // Releases a waiting sender; messages still queued on this channel are marked
    // abandoned so that their receiver can drop them.
    void abandon();
    bool abandoned() const;

    std::uint64_t nextTicket();
    void markHandled();
    // Waits until the ticket's message was handled or the channel was abandoned.
    // Returns true when it was handled.
    bool waitHandled(std::uint64_t ticket);

  private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::uint64_t issued_ = 0;
    std::uint64_t handled_ = 0;
    bool abandoned_ = false;
};

} // namespace pad
