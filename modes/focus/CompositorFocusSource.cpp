#include "modes/focus/CompositorFocusSource.h"

#include "modes/bus/BusContract.h"
#include "modes/focus/ProcessInfo.h"

namespace pad {

CompositorFocusSource::CompositorFocusSource(QDBusConnection bus, QString compositorName,
                                             Events events)
    : bus_(std::move(bus)), compositorName_(std::move(compositorName)), events_(std::move(events)) {
    watcher_.setConnection(bus_);
    watcher_.setWatchMode(QDBusServiceWatcher::WatchForUnregistration);
    QObject::connect(&watcher_, &QDBusServiceWatcher::serviceUnregistered, this, [this] {
        if (events_.ended)
            events_.ended(compositorName_.toStdString() + " left the session bus");
    });
}

QDBusMessage CompositorFocusSource::callBus(const QString& method, const QVariantList& arguments) {
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), method);
    call.setArguments(arguments);
    return bus_.call(call, QDBus::Block, BusCallTimeoutMs);
}

std::string CompositorFocusSource::bindReporter(const TrustedProcess& trusted) {
    const std::string name = compositorName_.toStdString();
    const QDBusMessage owner = callBus(QStringLiteral("GetNameOwner"), {compositorName_});
    if (owner.type() != QDBusMessage::ReplyMessage)
        return name + " does not answer on the session bus (" + CallFailure(owner) + ")";
    const QString connection = owner.arguments().value(0).toString();
    if (trusted.pid) {
        const QDBusMessage asked =
            callBus(QStringLiteral("GetConnectionUnixProcessID"), {connection});
        const std::int64_t pid = asked.arguments().value(0).toLongLong();
        const bool isTrusted =
            asked.type() == QDBusMessage::ReplyMessage &&
            (pid == *trusted.pid || (trusted.childToo && ParentPid(pid) == *trusted.pid));
        if (!isTrusted) {
            const std::string program = ExecutableName(pid);
            return "the session bus name " + name + " belongs to another program (pid " +
                   std::to_string(pid) + (program.empty() ? "" : ", " + program) + ") than " +
                   trusted.what + " (pid " + std::to_string(*trusted.pid) +
                   "); padconfig-modes takes reports only from " + trusted.what;
        }
    }
    reporter_ = connection;
    watcher_.setWatchedServices({reporter_});
    // The reporter may have gone between the question and the watch.
    if (callBus(QStringLiteral("GetNameOwner"), {reporter_}).type() != QDBusMessage::ReplyMessage)
        return name + " left the session bus";
    return {};
}

void CompositorFocusSource::reportFocus(std::optional<WindowInfo> window) {
    if (window)
        AddExecutable(*window);
    if (focusKnown_ && window == focused_)
        return;
    focusKnown_ = true;
    focused_ = std::move(window);
    if (events_.focusChanged)
        events_.focusChanged(focused_);
}

// The compositor reports the list on every change of any window's title; only the
// rules dialog reads it, so the executables are looked up when it asks.
void CompositorFocusSource::reportWindows(std::vector<WindowInfo> windows) {
    windows_ = std::move(windows);
}

std::vector<WindowInfo> CompositorFocusSource::openWindows() {
    std::vector<WindowInfo> windows = windows_;
    for (WindowInfo& window : windows)
        AddExecutable(window);
    return windows;
}

QDBusMessage CompositorFocusSource::callCompositor(const QString& path, const QString& interface,
                                                   const QString& method,
                                                   const QVariantList& arguments) {
    QDBusMessage call = QDBusMessage::createMethodCall(reporter_, path, interface, method);
    call.setArguments(arguments);
    return bus_.call(call, QDBus::Block, BusCallTimeoutMs);
}

std::string CallFailure(const QDBusMessage& reply) {
    return (reply.errorName() + ": " + reply.errorMessage()).toStdString();
}

} // namespace pad
