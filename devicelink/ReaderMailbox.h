#pragma once
// How reader threads hand their messages to the link window: a queue guarded by a
// mutex, and a wake-up of the link window's thread that the platform's link window
// provides (an eventfd its event loop watches on Linux, a posted window message on
// Windows). The readers call nothing of the window system but that wake-up, and the
// queue keeps the order in which a reader produced its messages. Portable.

#include "devicelink/SendChannel.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

namespace pad {

class ReaderMailbox {
  public:
    struct Letter {
        std::uint32_t message;
        std::uintptr_t wParam;
        std::intptr_t lParam;
        std::shared_ptr<SendChannel> channel;  // set when the sender waits
        std::shared_ptr<const void> keepAlive; // what lParam points to
    };

    // wakeReceiver: called, from the putting thread, after every letter; the receiver's
    // thread then calls deliver.
    explicit ReaderMailbox(std::function<void()> wakeReceiver);
    ReaderMailbox(const ReaderMailbox&) = delete;
    ReaderMailbox& operator=(const ReaderMailbox&) = delete;

    // From any thread: queue a message and return.
    void post(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);
    // From any thread but the receiver's: queue a message and wait until the receiver
    // handled it or channel was abandoned; true when it was handled.
    bool send(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam,
              const std::shared_ptr<SendChannel>& channel, std::shared_ptr<const void> keepAlive);

    // On the receiver's thread: hands every queued letter to handle, in order, except
    // those of a sender that no longer waits (a stopped reader).
    void deliver(const std::function<void(const Letter&)>& handle);

  private:
    void put(Letter letter);

    std::function<void()> wakeReceiver_;
    std::mutex mutex_;
    std::deque<Letter> letters_;
};

} // namespace pad
