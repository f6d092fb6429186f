#include "modes/control/ServiceLink.h"

#include "modes/bus/InstanceLock.h"
#include "modes/bus/WindowList.h"
#include "modes/control/ChildProcess.h"
#include "modes/control/ServiceSwitch.h"
#include "modes/rules/ModeRules.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QMetaObject>

namespace pad {
namespace {

// Connecting to the desktop and listing its windows takes a moment; one that does not
// end by then is not waiting for anything good.
constexpr int ListWindowsTimeoutMs = 10000;

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

BusServiceLink::BusServiceLink(QString serviceProgram, QObject* parent)
    : ModeServiceLink(parent), serviceProgram_(std::move(serviceProgram)) {
    // The service takes its bus name as it starts and loses it as it ends.
    watcher_.setConnection(QDBusConnection::sessionBus());
    watcher_.addWatchedService(QString::fromLatin1(ModesBusName));
    connect(&watcher_, &QDBusServiceWatcher::serviceOwnerChanged, this,
            &ModeServiceLink::serviceRunsChanged);
}

bool BusServiceLink::serviceRuns() const {
    return InstanceLock::holder().has_value();
}

void BusServiceLink::callService(const char* method,
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
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, BusCallTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [watcher, done] {
        watcher->deleteLater();
        const QDBusMessage reply = watcher->reply();
        done(reply.type() == QDBusMessage::ReplyMessage ? &reply : nullptr);
    });
}

void BusServiceLink::listWindows(std::function<void(const WindowList&)> done) {
    const std::string program(ServiceProgramName);
    auto failed = [done](const std::string& why) { done({{{}, false, why}, {}, why}); };
    if (serviceProgram_.isEmpty()) {
        QMetaObject::invokeMethod(
            this, [failed, program] { failed(program + NotInstalledText); }, Qt::QueuedConnection);
        return;
    }
    RunChildProcess(this, serviceProgram_, {QStringLiteral("--list-windows")}, ListWindowsTimeoutMs,
                    [done, failed, program](const ChildEnd& end) {
                        if (auto list = ReadWindowList(QByteArray::fromStdString(end.output)))
                            return done(*list);
                        failed(end.errors.empty() ? program + " --list-windows failed"
                                                  : end.errors);
                    });
}

void BusServiceLink::requestOpenWindows(std::function<void(const OpenWindows&)> done) {
    callService("OpenWindows", [this, done](const QDBusMessage* reply) {
        auto answer = [done](OpenWindows open) {
            std::erase_if(open.windows, IsOwnWindow);
            done(open);
        };
        if (auto fromService = reply ? WindowsOfReply(*reply) : std::nullopt)
            return answer({std::move(*fromService), {}});
        listWindows([answer](const WindowList& list) { answer({list.windows, list.failure}); });
    });
}

void BusServiceLink::requestStatus(std::function<void(const FocusStatus&)> done) {
    callService("Status", [this, done](const QDBusMessage* reply) {
        if (auto fromService = reply ? StatusOfReply(*reply) : std::nullopt)
            return done(*fromService);
        listWindows([done](const WindowList& list) { done(list.status); });
    });
}

} // namespace pad
