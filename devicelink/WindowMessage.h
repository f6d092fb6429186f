#pragma once
// A window message as a Qt event: (message number, wParam, lParam). The device-link
// libraries post and send these to their host object, and PadConfig's windows use
// them for their own private messages. The event type is fixed so that every
// module, loaded or linked, agrees on it.

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

#include <cstdint>

namespace pad {

class WindowMessage : public QEvent {
  public:
    static constexpr QEvent::Type Type = QEvent::Type(QEvent::User + 0x464);

    WindowMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam)
        : QEvent(Type), message_(message), wParam_(wParam), lParam_(lParam) {}

    std::uint32_t message() const { return message_; }
    std::uintptr_t wParam() const { return wParam_; }
    std::intptr_t lParam() const { return lParam_; }

    // The message carried by event, or nullptr when event is not a window message.
    static const WindowMessage* from(const QEvent* event) {
        return event && event->type() == Type ? static_cast<const WindowMessage*>(event) : nullptr;
    }

    // Queues the message for target's thread; returns false when target is null.
    static bool post(QObject* target, std::uint32_t message, std::uintptr_t wParam,
                     std::intptr_t lParam) {
        if (!target)
            return false;
        QCoreApplication::postEvent(target, new WindowMessage(message, wParam, lParam));
        return true;
    }

  private:
    std::uint32_t message_;
    std::uintptr_t wParam_;
    std::intptr_t lParam_;
};

} // namespace pad
