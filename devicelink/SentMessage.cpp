#include "devicelink/SentMessage.h"

#include <QThread>

namespace pad {

bool sendWindowMessage(QObject* target, std::uint32_t message, std::uintptr_t wParam,
                       std::intptr_t lParam, std::shared_ptr<SendChannel> channel,
                       std::shared_ptr<const void> keepAlive) {
    if (!target)
        return false;
    if (!channel)
        channel = std::make_shared<SendChannel>();
    if (channel->abandoned())
        return false;
    if (target->thread() == QThread::currentThread()) {
        WindowMessage event(message, wParam, lParam);
        QCoreApplication::sendEvent(target, &event);
        return true;
    }
    std::uint64_t ticket = channel->nextTicket();
    QCoreApplication::postEvent(
        target, new SentWindowMessage(message, wParam, lParam, channel, std::move(keepAlive)));
    return channel->waitHandled(ticket);
}

} // namespace pad
