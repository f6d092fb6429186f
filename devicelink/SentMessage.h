#pragma once
// "Sending" a window message to a QObject: the sender blocks until the receiver's
// thread has handled it. Across threads the message is posted and the sender waits
// until Qt has delivered and deleted the event (or the target was destroyed and its
// queue dropped), counted on a SendChannel (devicelink/SendChannel.h).

#include "devicelink/SendChannel.h"
#include "devicelink/WindowMessage.h"

#include <memory>

namespace pad {

// A window message whose sender waits; the receiver sees an ordinary WindowMessage.
class SentWindowMessage : public WindowMessage {
  public:
    SentWindowMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam,
                      std::shared_ptr<SendChannel> channel, std::shared_ptr<const void> keepAlive)
        : WindowMessage(message, wParam, lParam), channel_(std::move(channel)),
          keepAlive_(std::move(keepAlive)) {}
    ~SentWindowMessage() override { channel_->markHandled(); }

    bool abandoned() const { return channel_->abandoned(); }

  private:
    std::shared_ptr<SendChannel> channel_;
    std::shared_ptr<const void> keepAlive_; // whatever lParam points into
};

// Delivers the message to target and returns after target's thread handled it: at
// once on target's own thread, else through its event queue. Returns false when
// target is null or channel was abandoned before the message was handled. keepAlive
// holds the memory lParam points to for as long as the event exists.
bool sendWindowMessage(QObject* target, std::uint32_t message, std::uintptr_t wParam,
                       std::intptr_t lParam, std::shared_ptr<SendChannel> channel = nullptr,
                       std::shared_ptr<const void> keepAlive = nullptr);

} // namespace pad
