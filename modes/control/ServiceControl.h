#pragma once
// Finds out how the mode service is set up for the user and switches it on or off
// (modes/control/ServiceSwitch.h), without holding up the event loop. On Linux
// (ServiceControl.cpp) systemctl runs as a child process; on Windows
// (ServiceControlWin32.cpp) the Run keys are read and written (Autostart.h) and the
// service is started and stopped on a thread of its own. QtCore.

#include "modes/control/ServiceSwitch.h"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>
#include <string>

namespace pad {

// The service's program of the PadConfig in programFolder: beside it in the build tree,
// in bin/ of its prefix when installed, else from PATH (on Windows beside it alone);
// empty when there is none.
QString FindServiceProgram(const QString& programFolder);

class ModeServiceControl : public QObject {
    Q_OBJECT
  public:
    // programFolder: PadConfig's folder, near which the service's program and its
    // autostart entry lie (in the build tree and installed).
    explicit ModeServiceControl(QString programFolder, QObject* parent = nullptr);

    // Each calls back once, from the event loop, and never once this object is gone.
    void probe(std::function<void(const ServiceSetup&)> done);
    // Calls back with what went wrong, or nullopt.
    void switchService(bool on, const ServiceSetup& setup,
                       std::function<void(const std::optional<std::string>&)> done);

  private:
    QString programFolder_;
};

} // namespace pad
