// The mode service as PadConfig sees it on Linux: the running service answers over the
// session bus; when it does not run or answer, `padconfig-modes --list-windows`
// answers once per request, as a child process.

#include "modes/control/ServiceLink.h"

#include "modes/bus/BusContract.h"
#include "modes/bus/InstanceLock.h"
#include "modes/control/ChildProcess.h"
#include "modes/rules/ModeRules.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusServiceWatcher>
#include <QMetaObject>

namespace pad {
namespace {

class BusServiceLink : public ModeServiceLink {
  public:
    explicit BusServiceLink(QString serviceProgram);

    // It holds its instance lock. (Another program may own the service's bus name; the
    // running service is asked only when the name is its own.)
    bool serviceRuns() const override;
    void requestOpenWindows(std::function<void(const OpenWindows&)> done) override;
    void requestStatus(std::function<void(const FocusStatus&)> done) override;

  private:
    // Calls back with the service's reply, or with null when it does not answer.
    void callService(const char* method, std::function<void(const QDBusMessage*)> done);

    QString serviceProgram_;
    QDBusServiceWatcher watcher_;
};

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

BusServiceLink::BusServiceLink(QString serviceProgram)
    : serviceProgram_(std::move(serviceProgram)) {
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

void BusServiceLink::requestOpenWindows(std::function<void(const OpenWindows&)> done) {
    callService("OpenWindows", [this, done](const QDBusMessage* reply) {
        auto answer = [done](OpenWindows open) {
            std::erase_if(open.windows, IsOwnWindow);
            done(open);
        };
        if (auto fromService = reply ? WindowsOfReply(*reply) : std::nullopt)
            return answer({std::move(*fromService), {}});
        ListWindows(this, serviceProgram_, [answer](const WindowList& list) {
            answer({list.windows, list.failure});
        });
    });
}

void BusServiceLink::requestStatus(std::function<void(const FocusStatus&)> done) {
    callService("Status", [this, done](const QDBusMessage* reply) {
        if (auto fromService = reply ? StatusOfReply(*reply) : std::nullopt)
            return done(*fromService);
        ListWindows(this, serviceProgram_, [done](const WindowList& list) { done(list.status); });
    });
}

} // namespace

std::unique_ptr<ModeServiceLink> MakeServiceLink(QString serviceProgram) {
    return std::make_unique<BusServiceLink>(std::move(serviceProgram));
}

} // namespace pad
