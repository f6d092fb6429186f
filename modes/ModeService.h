#pragma once
// The mode service of one program run: follows the focused window through the
// desktop's backend, the rules file through its watcher and the keypad through its
// port, and hands every event to the ServiceCore (the decisions and what --print and
// standard error say, which the Windows service shares). The
// instance that sets the modes answers on the session bus (modes/ModesBus.h).
// The desktop's focus and the keypad are given from outside: the program gives the
// real ones, the tests fakes; an instance that only prints gets a port that writes
// nothing.

#include "modes/KeypadModePort.h"
#include "modes/KeypadPortFactory.h"
#include "modes/ModesBus.h"
#include "modes/RulesWatcher.h"
#include "modes/ServiceCore.h"
#include "modes/focus/FocusConnection.h"
#include "modes/focus/FocusSource.h"

#include <QObject>
#include <QTimer>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

namespace pad {

// Where the service's focus and keypad come from.
struct ServiceParts {
    // Connects to the desktop's focus, at the start and again after it ended.
    std::function<FocusConnection(const FocusSource::Events&, const CompositorRoute&)> connectFocus;
    // The keypad port; owner is the QObject its Qt parts may hang on.
    std::function<std::unique_ptr<KeypadModePort>(QObject* owner, KeypadPortEvents)> makePort;
};

class ModeService : public QObject {
    Q_OBJECT
  public:
    ModeService(ServiceOptions options, ServiceParts parts, QObject* parent = nullptr);
    ~ModeService() override;

    // Connects to the desktop and the keypad and decides for the window focused now.
    // False, once it has said why, when the focused window cannot be learned here.
    bool start();

  private:
    void focusChanged(const std::optional<WindowInfo>& window);
    void decideFocus(const std::optional<WindowInfo>& window);
    // Makes the keypad port and the switcher that decides with it.
    void connectKeypad();
    FocusConnection connectDesktop();
    // Follows the focus through source from now on; the caller decides for the window
    // focused now once the keypad's side is there.
    void follow(std::unique_ptr<FocusSource> source, bool again);
    // The desktop stopped telling the focus: says why and connects again, with a
    // growing pause, until it can follow again.
    void desktopEnded(const std::string& why);
    void reconnect();
    void followingChanged();
    // Puts the service on the session bus; where the compositor's reports go.
    CompositorRoute openBus();
    FocusStatus status() const;

    ServiceCore core_;
    ServiceParts parts_;
    CompositorRoute route_;
    std::unique_ptr<RulesWatcher> watcher_;
    // Before focus_, which may unload a compositor script over the bus when it goes.
    std::unique_ptr<ModesBus> bus_;
    std::unique_ptr<FocusSource> focus_;
    // A source that ended, kept until its own call into the service has returned.
    std::unique_ptr<FocusSource> ended_;
    // While the desktop does not tell the focus: why (the latest reason), since when,
    // and the pause before the next try.
    std::optional<std::string> lost_;
    std::chrono::steady_clock::time_point lostSince_;
    std::chrono::milliseconds retryPause_{0};
    QTimer reconnectTimer_;
    std::unique_ptr<KeypadModePort> port_;
    // Window managers pass the focus through "no window" on its way from one window
    // to the next; a focus that has left every window counts once it stays so.
    QTimer focusLeftTimer_;
};

} // namespace pad
