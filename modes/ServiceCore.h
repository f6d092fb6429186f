#pragma once
// What the mode service does with its events, whatever event loop brings them: the
// rules file's contents, the focused window and the keypad's changes go to the
// ModeSwitcher (or, beside a running instance, only to WantedMode), and with --print
// each event and the decision is printed on standard output; problems go to standard
// error. The Linux service (ModeService, Qt) and the Windows one (win32/) run it.
// Qt-free.

#include "modes/KeypadModePort.h"
#include "modes/ModeSwitcher.h"
#include "modes/rules/RulesFile.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <sys/types.h>

namespace pad {

struct ServiceOptions {
    bool print = false;
    std::filesystem::path rulesPath;
    // Another instance runs with this pid and sets the modes: this one only prints
    // what the windows want.
    std::optional<pid_t> runningInstance;
    // Linux: whether the instance that sets the modes takes the service's name on the
    // session bus (the tests' instances do not).
    bool onSessionBus = true;
};

// "padconfig-modes: LINE" on standard error.
void SayOnStderr(const std::string& line);

class ServiceCore {
  public:
    explicit ServiceCore(ServiceOptions options);

    const ServiceOptions& options() const { return options_; }
    // From now on the modes go to port's keypad; never called beside a running instance.
    void useKeypad(KeypadModePort& port);
    bool setsModes() const { return switcher_ != nullptr; }

    // The rules file's contents, read at the start or again after a change.
    void rulesChanged(const RulesFileContents& contents, bool reloaded);
    void decideFocus(const std::optional<WindowInfo>& window);
    const std::optional<WindowInfo>& focusedWindow() const;
    void keypadAppeared();
    void keypadGone();
    // A keypad is plugged in that may not be written: why, said once a run.
    void keypadUnwritable(const std::string& why);
    void downloadEnded();

    // A line for --print.
    void printLine(const std::string& line) const;

  private:
    // --print's line for an event and what came of it.
    void report(const std::string& event, const Decision& decision) const;

    ServiceOptions options_;
    RuleSet rules_;
    std::optional<WindowInfo> window_; // while only printing
    std::unique_ptr<ModeSwitcher> switcher_;
    bool toldNoAccess_ = false;
};

} // namespace pad
