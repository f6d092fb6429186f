#include "modes/focus/RelayedFocusSource.h"

#include "modes/bus/BusContract.h"

#include <QDBusMessage>

namespace pad {
namespace {

constexpr int CallTimeoutMs = 5000;

QDBusMessage CallService(const QDBusConnection& bus, const char* method) {
    return bus.call(
        QDBusMessage::createMethodCall(ModesBusName, ModesObjectPath, ModesInterface, method),
        QDBus::Block, CallTimeoutMs);
}

} // namespace

RelayedFocusSource::RelayedFocusSource(QDBusConnection bus, Events events)
    : bus_(std::move(bus)), events_(std::move(events)),
      watcher_(ModesBusName, bus_, QDBusServiceWatcher::WatchForUnregistration) {
    QObject::connect(&watcher_, &QDBusServiceWatcher::serviceUnregistered, this, [this] {
        if (events_.ended)
            events_.ended("the running padconfig-modes stopped");
    });
}

std::unique_ptr<RelayedFocusSource> RelayedFocusSource::connect(QDBusConnection bus, Events events,
                                                                std::string& failure) {
    RegisterBusTypes();
    std::unique_ptr<RelayedFocusSource> source(
        new RelayedFocusSource(std::move(bus), std::move(events)));
    if (!source->bus_.connect(ModesBusName, ModesObjectPath, ModesInterface, "FocusChanged",
                              source.get(),
                              SLOT(focusAnnounced(QString, QString, QString, QString, uint)))) {
        failure = "cannot follow the running padconfig-modes on the session bus";
        return nullptr;
    }
    const QDBusMessage status = CallService(source->bus_, "Status");
    if (status.type() != QDBusMessage::ReplyMessage) {
        failure = "the running padconfig-modes does not answer on the session bus (" +
                  (status.errorName() + ": " + status.errorMessage()).toStdString() + ")";
        return nullptr;
    }
    source->desktop_ = status.arguments().value(0).toString().toStdString();
    source->hint_ = status.arguments().value(2).toString().toStdString();
    return source;
}

std::string RelayedFocusSource::description() const {
    return desktop_ + ", through the running padconfig-modes";
}

std::vector<WindowInfo> RelayedFocusSource::openWindows() {
    const QDBusMessage reply = CallService(bus_, "OpenWindows");
    std::vector<WindowInfo> windows;
    for (const BusWindow& window : qdbus_cast<BusWindowList>(reply.arguments().value(0)))
        windows.push_back(FromBusWindow(window));
    return windows;
}

void RelayedFocusSource::focusAnnounced(const QString& appId, const QString& instance,
                                        const QString& title, const QString& executable, uint pid) {
    std::optional<WindowInfo> window;
    if (!appId.isEmpty() || !title.isEmpty())
        window = FromBusWindow({appId, instance, title, executable, pid});
    if (focusKnown_ && window == focused_)
        return;
    focusKnown_ = true;
    focused_ = std::move(window);
    if (events_.focusChanged)
        events_.focusChanged(focused_);
}

} // namespace pad
