#pragma once
// What PadConfig learns of the mode service and the desktop: whether the service
// runs, the windows open now and whether the focused window can be followed. Nothing
// here holds up the event loop, and PadConfig runs no focus backend of its own. One
// link per platform: ServiceLink.cpp asks the running service over the session bus
// (org.padconfig.Modes) and, when it does not run or answer, `padconfig-modes
// --list-windows`; ServiceLinkWin32.cpp asks `padconfig-modes.exe --list-windows`.
// QtCore.

#include "modes/bus/WindowList.h"
#include "modes/rules/WindowInfo.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace pad {

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

// This platform's link. serviceProgram: padconfig-modes, which lists the windows.
std::unique_ptr<ModeServiceLink> MakeServiceLink(QString serviceProgram);

} // namespace pad
