#include "modes/control/ServiceLink.h"

#include "modes/InstanceLock.h"
#include "modes/ModeSwitcher.h"
#include "modes/bus/BusContract.h"
#include "modes/focus/FocusConnection.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QMetaObject>

namespace pad {
namespace {

// The service answers at once; a hung one must not keep the dialog waiting long.
constexpr int CallTimeoutMs = 2000;

// OpenWindows() -> a(ssssu): application id, instance, title, executable, pid.
std::optional<std::vector<WindowInfo>> WindowsOfReply(const QDBusMessage& reply) {
    if (reply.arguments().size() != 1)
        return std::nullopt;
    const auto argument = reply.arguments().at(0).value<QDBusArgument>();
    if (argument.currentSignature() != QLatin1String("a(ssssu)"))
        return std::nullopt;
    std::vector<WindowInfo> windows;
    for (const BusWindow& window : qdbus_cast<BusWindowList>(argument))
        windows.push_back(FromBusWindow(window));
    return windows;
}

// Status() -> s desktop, b follows, s hint.
std::optional<FocusStatus> StatusOfReply(const QDBusMessage& reply) {
    const QVariantList values = reply.arguments();
    if (values.size() != 3 || values.at(0).typeId() != QMetaType::QString ||
        values.at(1).typeId() != QMetaType::Bool || values.at(2).typeId() != QMetaType::QString)
        return std::nullopt;
    return FocusStatus{values.at(0).toString().toStdString(), values.at(1).toBool(),
                       values.at(2).toString().toStdString()};
}

OpenWindows LocalOpenWindows() {
    const FocusConnection connection =
        ConnectFocusSource(DesktopSession::fromEnvironment(), FocusSource::Events{});
    if (!connection.source)
        return {{}, connection.failure};
    return {connection.source->openWindows(), {}};
}

FocusStatus LocalStatus() {
    const DesktopSession session = DesktopSession::fromEnvironment();
    const FocusConnection connection = ConnectFocusSource(session, FocusSource::Events{});
    return StatusOfSession(session, connection.source ? connection.source->description() : "",
                           connection.failure);
}

} // namespace

ModeServiceLink::ModeServiceLink(QObject* parent) : QObject(parent) {}

bool ModeServiceLink::ServiceRuns() {
    return InstanceLock::holder().has_value();
}

namespace {

// The service's bus name is believed only while the instance that holds the service's
// lock owns it: another program that took the name is asked nothing.
bool OwnedByService(const QDBusConnection& bus) {
    const auto holder = InstanceLock::holder();
    if (!holder || !bus.isConnected() || !bus.interface())
        return false;
    if (*holder == 0) // the holder's pid cannot be told here
        return true;
    const auto owner = bus.interface()->servicePid(QString::fromLatin1(ModesBusName));
    return owner.isValid() && pid_t(owner.value()) == *holder;
}

} // namespace

void ModeServiceLink::callService(const char* method,
                                  std::function<void(const QDBusMessage*)> done) {
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (!OwnedByService(bus)) {
        QMetaObject::invokeMethod(
            this, [done] { done(nullptr); }, Qt::QueuedConnection);
        return;
    }
    const QDBusMessage call = QDBusMessage::createMethodCall(
        QString::fromLatin1(ModesBusName), QString::fromLatin1(ModesObjectPath),
        QString::fromLatin1(ModesInterface), QString::fromLatin1(method));
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, CallTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [watcher, done] {
        watcher->deleteLater();
        const QDBusMessage reply = watcher->reply();
        done(reply.type() == QDBusMessage::ReplyMessage ? &reply : nullptr);
    });
}

void ModeServiceLink::requestOpenWindows(std::function<void(const OpenWindows&)> done) {
    callService("OpenWindows", [done](const QDBusMessage* reply) {
        auto fromService = reply ? WindowsOfReply(*reply) : std::nullopt;
        OpenWindows open =
            fromService ? OpenWindows{std::move(*fromService), {}} : LocalOpenWindows();
        std::erase_if(open.windows, IsOwnWindow);
        done(open);
    });
}

void ModeServiceLink::requestStatus(std::function<void(const FocusStatus&)> done) {
    callService("Status", [done](const QDBusMessage* reply) {
        auto fromService = reply ? StatusOfReply(*reply) : std::nullopt;
        done(fromService ? *fromService : LocalStatus());
    });
}

} // namespace pad
