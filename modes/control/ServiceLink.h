#pragma once
// What PadConfig learns of the mode service and the desktop: whether the service
// runs, the windows open now and whether the focused window can be followed. The
// running service answers over the session bus (org.padconfig.Modes); when it does
// not run or answer, `padconfig-modes --list-windows` answers once per request, as a
// child process. Nothing here holds up the event loop, and PadConfig runs no focus
// backend of its own. QtCore and QtDBus.

#include "modes/bus/BusContract.h"
#include "modes/rules/WindowInfo.h"

#include <QDBusServiceWatcher>
#include <QObject>
#include <QString>

#include <functional>
#include <string>
#include <vector>

class QDBusMessage;

namespace pad {

struct WindowList;

struct OpenWindows {
    std::vector<WindowInfo> windows; // without PadConfig's own
    std::string failure;             // when they cannot be listed: why
};

// The dialogs' view of the service; the tests give a fake.
class ModeServiceLink : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;

    // Whether padconfig-modes runs for this user.
    virtual bool serviceRuns() const = 0;
    // Each calls back once, from the event loop, and never once this object is gone.
    virtual void requestOpenWindows(std::function<void(const OpenWindows&)> done) = 0;
    virtual void requestStatus(std::function<void(const FocusStatus&)> done) = 0;

  signals:
    // The service may have started or ended.
    void serviceRunsChanged();
};

class BusServiceLink : public ModeServiceLink {
    Q_OBJECT
  public:
    // serviceProgram: padconfig-modes, which lists the windows while the service is off.
    explicit BusServiceLink(QString serviceProgram, QObject* parent = nullptr);

    // It holds its instance lock. (Another program may own the service's bus name; the
    // running service is asked only when the name is its own.)
    bool serviceRuns() const override;
    void requestOpenWindows(std::function<void(const OpenWindows&)> done) override;
    void requestStatus(std::function<void(const FocusStatus&)> done) override;

  private:
    // Calls back with the service's reply, or with null when it does not answer.
    void callService(const char* method, std::function<void(const QDBusMessage*)> done);
    // Runs `padconfig-modes --list-windows`; the failure's text in the status's hint.
    void listWindows(std::function<void(const WindowList&)> done);

    QString serviceProgram_;
    QDBusServiceWatcher watcher_;
};

} // namespace pad
