#include "modes/focus/CompositorFocusSource.h"

#include "modes/focus/ProcessInfo.h"

namespace pad {
namespace {

constexpr int CallTimeoutMs = 5000;

} // namespace

CompositorFocusSource::CompositorFocusSource(QDBusConnection bus, QString compositorName,
                                             Events events)
    : bus_(std::move(bus)), compositorName_(std::move(compositorName)), events_(std::move(events)),
      watcher_(compositorName_, bus_, QDBusServiceWatcher::WatchForUnregistration) {
    QObject::connect(&watcher_, &QDBusServiceWatcher::serviceUnregistered, this, [this] {
        if (events_.ended)
            events_.ended(compositorName_.toStdString() + " left the session bus");
    });
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
    QDBusMessage call = QDBusMessage::createMethodCall(compositorName_, path, interface, method);
    call.setArguments(arguments);
    return bus_.call(call, QDBus::Block, CallTimeoutMs);
}

std::string CallFailure(const QDBusMessage& reply) {
    return (reply.errorName() + ": " + reply.errorMessage()).toStdString();
}

} // namespace pad
