#pragma once
// How reader threads hand their messages to the link window: a queue guarded by a
// mutex plus an eventfd that a socket watcher on the link window's thread listens to.
// The readers make no Qt calls at all, so the hand-over is one that thread checkers
// can follow, and the queue keeps the order in which a reader produced its messages.

#include "devicelink/SentMessage.h"

#include <deque>
#include <mutex>

class QObject;

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

    ReaderMailbox();
    ~ReaderMailbox();
    ReaderMailbox(const ReaderMailbox&) = delete;
    ReaderMailbox& operator=(const ReaderMailbox&) = delete;

    // Delivers every letter to receiver as a WindowMessage, on receiver's thread (the
    // calling thread). False when no eventfd could be had.
    bool attach(QObject* receiver);

    // From any thread: queue a message and return.
    void post(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);
    // From any thread but the receiver's: queue a message and wait until the receiver
    // handled it or channel was abandoned; true when it was handled.
    bool send(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam,
              const std::shared_ptr<SendChannel>& channel, std::shared_ptr<const void> keepAlive);

  private:
    void put(Letter letter);
    void deliver(QObject* receiver);

    std::mutex mutex_;
    std::deque<Letter> letters_;
    int eventFd_ = -1;
};

} // namespace pad
