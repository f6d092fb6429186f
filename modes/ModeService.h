#pragma once
// The mode service of one program run: follows the focused window through the
// desktop's backend, the rules file through its watcher and the keypad through its
// port, and hands every event to the ServiceCore. The instance that sets the modes
// answers on the session bus (modes/bus/ModesBus.h).

#include "modes/KeypadModePort.h"
#include "modes/RulesWatcher.h"
#include "modes/ServiceCore.h"
#include "modes/bus/ModesBus.h"
#include "modes/focus/FocusConnection.h"
#include "modes/focus/FocusSource.h"

#include <QObject>
#include <QTimer>

#include <filesystem>
#include <memory>
#include <optional>

namespace pad {

class ModeService : public QObject {
    Q_OBJECT
  public:
    explicit ModeService(ServiceOptions options, QObject* parent = nullptr);
    ~ModeService() override;

    // Connects to the desktop and the keypad and decides for the window focused now.
    // False, once it has said why, when the focused window cannot be learned here.
    bool start();

  private:
    void focusChanged(const std::optional<WindowInfo>& window);
    void decideFocus(const std::optional<WindowInfo>& window);
    void desktopEnded(const std::string& why);
    void followingChanged();
    // Puts the service on the session bus; where the compositor's reports go.
    CompositorRoute openBus();
    ServiceStatus status() const;

    ServiceCore core_;
    std::unique_ptr<RulesWatcher> watcher_;
    // Before focus_, which may unload a compositor script over the bus when it goes.
    std::unique_ptr<ModesBus> bus_;
    std::unique_ptr<FocusSource> focus_;
    std::unique_ptr<KeypadModePort> port_;
    // Window managers pass the focus through "no window" on its way from one window
    // to the next; a focus that has left every window counts once it stays so.
    QTimer focusLeftTimer_;
};

} // namespace pad
