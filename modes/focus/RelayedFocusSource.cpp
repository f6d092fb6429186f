#include "modes/focus/RelayedFocusSource.h"

#include "modes/bus/BusContract.h"
#include "modes/bus/InstanceLock.h"

namespace pad {

std::unique_ptr<RelayedFocusSource> RelayedFocusSource::connect(QDBusConnection bus, Events events,
                                                                std::string& failure) {
    RegisterBusTypes();
    std::unique_ptr<RelayedFocusSource> source(
        new RelayedFocusSource(std::move(bus), ModesBusName, std::move(events)));
    // The name's owner must be the instance that holds the service's lock.
    const auto holder = InstanceLock::holder();
    failure = source->bindReporter(
        {holder && *holder > 0 ? std::optional<std::int64_t>(*holder) : std::nullopt, false,
         "the running padconfig-modes"});
    if (!failure.empty())
        return nullptr;
    if (!source->bus_.connect(source->reporter(), ModesObjectPath, ModesInterface, "FocusChanged",
                              source.get(),
                              SLOT(focusAnnounced(QString, QString, QString, QString, uint)))) {
        failure = "cannot follow the running padconfig-modes on the session bus";
        return nullptr;
    }
    const QDBusMessage status = source->callCompositor(ModesObjectPath, ModesInterface, "Status");
    if (status.type() != QDBusMessage::ReplyMessage) {
        failure = "the running padconfig-modes does not answer on the session bus (" +
                  CallFailure(status) + ")";
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
    const QDBusMessage reply = callCompositor(ModesObjectPath, ModesInterface, "OpenWindows");
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
    reportFocus(std::move(window));
}

} // namespace pad
