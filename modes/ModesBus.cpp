#include "modes/ModesBus.h"

#include "modes/focus/ProcessInfo.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>

namespace pad {
namespace {

// One window of ReportWindows: [appId, instance, title, pid], as variants.
std::optional<WindowInfo> WindowOfReport(const QVariant& item) {
    QVariantList fields = item.toList();
    if (item.canConvert<QDBusArgument>())
        fields = qdbus_cast<QVariantList>(item);
    if (fields.size() != 4)
        return std::nullopt;
    bool numeric = false;
    const qint64 pid = fields[3].toLongLong(&numeric);
    return ReportedWindow(fields[0].toString(), fields[1].toString(), fields[2].toString(),
                          numeric ? pid : 0);
}

} // namespace

ModesBus::ModesBus(QDBusConnection bus, Handler handler)
    : bus_(std::move(bus)), handler_(std::move(handler)) {}

std::unique_ptr<ModesBus> ModesBus::open(Handler handler, std::string& failure) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        failure = "no session bus: " + bus.lastError().message().toStdString();
        return nullptr;
    }
    RegisterBusTypes();
    std::unique_ptr<ModesBus> object(new ModesBus(bus, std::move(handler)));
    // The object first, so that the calls that come as soon as the name is ours find it.
    if (!bus.registerObject(ModesObjectPath, object.get(),
                            QDBusConnection::ExportScriptableSlots |
                                QDBusConnection::ExportScriptableSignals)) {
        failure = std::string("cannot put ") + ModesObjectPath + " on the session bus";
        return nullptr;
    }
    const auto registered = bus.interface()->registerService(ModesBusName);
    if (!registered.isValid() ||
        registered.value() != QDBusConnectionInterface::ServiceRegistered) {
        const auto owner = bus.interface()->servicePid(ModesBusName);
        const std::string program = owner.isValid() ? ExecutableName(owner.value()) : "";
        failure = std::string("the session bus name ") + ModesBusName +
                  " belongs to another program" +
                  (owner.isValid() ? " (pid " + std::to_string(owner.value()) +
                                         (program.empty() ? "" : ", " + program) + ")"
                                   : "") +
                  ", so PadConfig's By Application dialog cannot ask this padconfig-modes for "
                  "the open windows and its status";
        bus.unregisterObject(ModesObjectPath);
        return nullptr;
    }
    return object;
}

ModesBus::~ModesBus() {
    bus_.unregisterService(ModesBusName);
    bus_.unregisterObject(ModesObjectPath);
}

void ModesBus::announceFocus(const std::optional<WindowInfo>& window) {
    const BusWindow announced = window ? ToBusWindow(*window) : BusWindow{};
    emit FocusChanged(announced.appId, announced.instance, announced.title, announced.executable,
                      announced.pid);
}

void ModesBus::ReportFocus(const QString& appId, const QString& instance, const QString& title,
                           uint pid) {
    reportFocus(appId, instance, title, pid);
}

void ModesBus::ReportFocus(const QString& appId, const QString& instance, const QString& title,
                           int pid) {
    reportFocus(appId, instance, title, pid);
}

void ModesBus::reportFocus(const QString& appId, const QString& instance, const QString& title,
                           qint64 pid) {
    if (CompositorFocusSource* source = reportingCompositor())
        source->reportFocus(ReportedWindow(appId, instance, title, pid));
}

void ModesBus::ReportWindows(const QVariantList& windows) {
    CompositorFocusSource* source = reportingCompositor();
    if (!source)
        return;
    std::vector<WindowInfo> reported;
    for (const QVariant& item : windows)
        if (auto window = WindowOfReport(item))
            reported.push_back(std::move(*window));
    source->reportWindows(std::move(reported));
}

QList<BusWindow> ModesBus::OpenWindows() {
    QList<BusWindow> windows;
    for (const WindowInfo& window : handler_.openWindows())
        windows.append(ToBusWindow(window));
    return windows;
}

QString ModesBus::Status(bool& follows, QString& hint) {
    const auto status = handler_.status();
    follows = status.follows;
    hint = QString::fromStdString(status.hint);
    return QString::fromStdString(status.desktop);
}

CompositorFocusSource* ModesBus::reportingCompositor() {
    CompositorFocusSource* source = handler_.compositor();
    if (!source) {
        sendErrorReply(QDBusError::AccessDenied,
                       "padconfig-modes takes no reports of windows now: it follows the focus "
                       "on " +
                           QString::fromStdString(handler_.status().desktop) +
                           " itself, or does not follow it");
        return nullptr;
    }
    // The compositor's connection, settled when the service connected to it; the
    // name it owns may have been taken by another program since.
    if (message().service() != source->reporter()) {
        sendErrorReply(QDBusError::AccessDenied,
                       "only " + source->compositorName() + " reports windows to padconfig-modes");
        return nullptr;
    }
    return source;
}

} // namespace pad
