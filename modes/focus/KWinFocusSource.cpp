#include "modes/focus/KWinFocusSource.h"

#include "modes/focus/ProcessInfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace pad {
namespace {

constexpr const char* ScriptingPath = "/Scripting";

} // namespace

QString KWinScriptPath() {
    return QDir::cleanPath(QCoreApplication::applicationDirPath() +
                           "/../share/padconfig/kwin/padconfig-modes.js");
}

std::unique_ptr<KWinFocusSource> KWinFocusSource::connect(QDBusConnection bus, Events events,
                                                          std::string& failure) {
    const QString path = KWinScriptPath();
    if (!QFileInfo(path).isReadable()) {
        failure = "the KWin script that tells padconfig-modes the focused window is missing (" +
                  path.toStdString() + "): install PadConfig again";
        return nullptr;
    }
    std::unique_ptr<KWinFocusSource> source(
        new KWinFocusSource(std::move(bus), BusName, std::move(events)));
    failure = source->bindReporter({WaylandCompositorPid(), true, "the Wayland compositor"});
    if (!failure.empty())
        return nullptr;
    // A service that crashed left its script running: KWin loads no second one by
    // the same name.
    source->callScripting("unloadScript", {PluginName});
    const QDBusMessage loaded = source->callScripting("loadScript", {path, PluginName});
    const int id = loaded.arguments().value(0, -1).toInt();
    if (loaded.type() != QDBusMessage::ReplyMessage || id < 0) {
        failure = "KWin did not load the script " + path.toStdString() +
                  (loaded.type() == QDBusMessage::ErrorMessage ? " (" + CallFailure(loaded) + ")"
                                                               : std::string());
        return nullptr;
    }
    source->loaded_ = true;
    const QDBusMessage started = source->callScripting("start", {});
    if (started.type() != QDBusMessage::ReplyMessage) {
        failure = "KWin did not start the script " + path.toStdString() + " (" +
                  CallFailure(started) + ")";
        return nullptr;
    }
    std::string watchFailure;
    KWinFocusSource* self = source.get();
    source->watch_ = KWinScriptWatch::start(
        PluginName, id,
        [self] {
            if (self->events().ended)
                self->events().ended("another program unloaded or stopped padconfig-modes' "
                                     "KWin script");
        },
        watchFailure);
    if (!source->watch_)
        source->notice_ = "cannot watch the session bus for a program that unloads the KWin "
                          "script (" +
                          watchFailure + "): should one do so, the focus is no longer followed";
    return source;
}

KWinFocusSource::~KWinFocusSource() {
    watch_.reset(); // before the service's own unloading, which is no one else's
    if (loaded_)
        callScripting("unloadScript", {PluginName});
}

QDBusMessage KWinFocusSource::callScripting(const QString& method, const QVariantList& arguments) {
    return callCompositor(ScriptingPath, KWinScriptingInterface, method, arguments);
}

} // namespace pad
