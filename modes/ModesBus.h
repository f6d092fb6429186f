#pragma once
// The mode service's object on the session bus (the interface is described in
// BusContract.h). The reports of windows are taken only from the compositor's own
// connection, which the backend settled when it connected (CompositorFocusSource.h),
// and only they reach the switching logic: nothing else on the interface can change
// the keypad's mode.

#include "modes/bus/BusContract.h"
#include "modes/focus/CompositorFocusSource.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QObject>
#include <QVariantList>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace pad {

class ModesBus : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.padconfig.Modes1")
  public:
    struct Handler {
        std::function<std::vector<WindowInfo>()> openWindows;
        std::function<FocusStatus()> status;
        // The backend the compositor reports to; nullptr while another backend runs.
        std::function<CompositorFocusSource*()> compositor;
    };

    // Puts the object on the session bus and takes the service's name. nullptr, with
    // the reason in failure, when there is no session bus or the name has an owner.
    static std::unique_ptr<ModesBus> open(Handler handler, std::string& failure);
    ~ModesBus() override;

    // Tells the listeners of FocusChanged.
    void announceFocus(const std::optional<WindowInfo>& window);

  public slots:
    Q_SCRIPTABLE void ReportFocus(const QString& appId, const QString& instance,
                                  const QString& title, uint pid);
    Q_SCRIPTABLE void ReportFocus(const QString& appId, const QString& instance,
                                  const QString& title, int pid);
    Q_SCRIPTABLE void ReportWindows(const QVariantList& windows);
    Q_SCRIPTABLE QList<pad::BusWindow> OpenWindows();
    Q_SCRIPTABLE QString Status(bool& follows, QString& hint);

  signals:
    Q_SCRIPTABLE void FocusChanged(const QString& appId, const QString& instance,
                                   const QString& title, const QString& executable, uint pid);

  private:
    ModesBus(QDBusConnection bus, Handler handler);
    void reportFocus(const QString& appId, const QString& instance, const QString& title,
                     qint64 pid);
    // The backend, when the caller is its compositor; otherwise refuses the call.
    CompositorFocusSource* reportingCompositor();

    QDBusConnection bus_;
    Handler handler_;
};

} // namespace pad
