#pragma once
// Notices another program ending the service's KWin script: any program of the session
// may unload a KWin script by its name, or stop it through its object, and KWin tells
// nobody. A second connection to the session bus becomes a monitor of just those
// calls (org.freedesktop.DBus.Monitoring, allowed to the bus's own user), so that the
// service learns of them as they are made, without asking KWin again and again.

#include <QDBusVirtualObject>
#include <QString>

#include <functional>
#include <memory>
#include <string>

namespace pad {

// The D-Bus interface through which KWin loads, runs and unloads scripts.
inline constexpr const char* KWinScriptingInterface = "org.kde.kwin.Scripting";

class KWinScriptWatch : public QDBusVirtualObject {
    Q_OBJECT
  public:
    // Watches for unloadScript(pluginName) and for stop on the script object with that
    // id; made calls back from the event loop after each such call. nullptr, with the
    // reason in failure, when the bus refuses the monitor.
    static std::unique_ptr<KWinScriptWatch> start(const QString& pluginName, int scriptId,
                                                  std::function<void()> made, std::string& failure);
    ~KWinScriptWatch() override;

    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

  private:
    KWinScriptWatch(QString connectionName, QString pluginName, int scriptId,
                    std::function<void()> made);

    QString connectionName_, pluginName_;
    int scriptId_;
    std::function<void()> made_;
};

} // namespace pad
