#include "modes/focus/KWinScriptWatch.h"

#include "modes/bus/BusContract.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QMetaObject>

namespace pad {
namespace {

constexpr const char* ScriptInterface = "org.kde.kwin.Script";

} // namespace

KWinScriptWatch::KWinScriptWatch(QString connectionName, QString pluginName, int scriptId,
                                 std::function<void()> made)
    : connectionName_(std::move(connectionName)), pluginName_(std::move(pluginName)),
      scriptId_(scriptId), made_(std::move(made)) {}

std::unique_ptr<KWinScriptWatch> KWinScriptWatch::start(const QString& pluginName, int scriptId,
                                                        std::function<void()> made,
                                                        std::string& failure) {
    const QString name = QStringLiteral("padconfig-modes-kwin-script-watch");
    QDBusConnection monitor = QDBusConnection::connectToBus(QDBusConnection::SessionBus, name);
    std::unique_ptr<KWinScriptWatch> watch(
        new KWinScriptWatch(name, pluginName, scriptId, std::move(made)));
    // A monitor must never send: every call it sees goes to this object, which answers none.
    if (!monitor.isConnected() || !monitor.registerVirtualObject(QStringLiteral("/"), watch.get(),
                                                                 QDBusConnection::SubPath)) {
        failure = "no second connection to the session bus";
        return nullptr;
    }
    const QStringList rules{
        QStringLiteral("type='method_call',interface='%1',member='unloadScript',arg0='%2'")
            .arg(QLatin1String(KWinScriptingInterface), pluginName),
        QStringLiteral("type='method_call',interface='%1',member='stop'")
            .arg(QLatin1String(ScriptInterface)),
    };
    QDBusMessage become = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus.Monitoring"), QStringLiteral("BecomeMonitor"));
    become << rules << 0u;
    const QDBusMessage reply = monitor.call(become, QDBus::Block, BusCallTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage) {
        failure = (reply.errorName() + ": " + reply.errorMessage()).toStdString();
        return nullptr;
    }
    return watch;
}

KWinScriptWatch::~KWinScriptWatch() {
    QDBusConnection::disconnectFromBus(connectionName_);
}

bool KWinScriptWatch::handleMessage(const QDBusMessage& message, const QDBusConnection&) {
    const bool unloads = message.interface() == QLatin1String(KWinScriptingInterface) &&
                         message.arguments().value(0).toString() == pluginName_;
    // KWin 5.27 and 6 put a script at /Scripting/Script<id>, earlier ones at /<id>.
    const QString id = QString::number(scriptId_);
    const bool stops =
        message.interface() == QLatin1String(ScriptInterface) &&
        (message.path() == QStringLiteral("/Scripting/Script") + id || message.path() == u'/' + id);
    if (unloads || stops)
        QMetaObject::invokeMethod(this, made_, Qt::QueuedConnection);
    return true;
}

} // namespace pad
