#pragma once
// Finds out how the mode service is set up for the user and switches it on or off
// (modes/control/ServiceSwitch.h), without holding up the event loop: systemctl runs
// as a child process. QtCore.

#include "modes/control/ServiceSwitch.h"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace pad {

// The service's program of the PadConfig in programFolder: beside it in the build tree,
// in bin/ of its prefix when installed, else from PATH; empty when there is none.
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
    using Finished =
        std::function<void(int exitCode, const std::string& output, const std::string& errors)>;
    // Runs systemctl; a systemctl that cannot start or does not end gives exit code -1.
    void systemctl(const std::vector<std::string>& arguments, Finished done);
    void runSteps(std::vector<SwitchStep> steps, std::size_t next,
                  std::function<void(const std::optional<std::string>&)> done);
    std::optional<std::string> copyAutostartEntry() const;
    std::optional<std::string> removeAutostartEntry() const;
    std::optional<std::string> startService() const;
    std::optional<std::string> stopService() const;

    QString programFolder_;
};

} // namespace pad
