#pragma once
// What PadConfig learns of the mode service and the desktop: whether the service
// runs, the windows open now and whether the focused window can be followed. The
// running service answers over the session bus (org.padconfig.Modes); when it does
// not answer, the desktop's focus backends answer in this process. QtCore and QtDBus.

#include "modes/WindowInfo.h"
#include "modes/control/FocusStatus.h"

#include <QObject>

#include <functional>
#include <string>
#include <vector>

class QDBusMessage;

namespace pad {

struct OpenWindows {
    std::vector<WindowInfo> windows; // without PadConfig's own
    std::string failure;             // when they cannot be listed: why
};

class ModeServiceLink : public QObject {
    Q_OBJECT
  public:
    explicit ModeServiceLink(QObject* parent = nullptr);

    // Whether padconfig-modes runs for this user: it holds its instance lock. (Another
    // program may own the service's bus name; the running service is asked only when
    // the name is its own.)
    static bool ServiceRuns();

    // Each calls back once, from the event loop, and never once this object is gone.
    void requestOpenWindows(std::function<void(const OpenWindows&)> done);
    void requestStatus(std::function<void(const FocusStatus&)> done);

  private:
    // Calls back with the service's reply, or with null when it does not answer.
    void callService(const char* method, std::function<void(const QDBusMessage*)> done);
};

} // namespace pad
