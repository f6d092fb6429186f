#pragma once
// The mode service's decisions. The focused window's mode comes from the rules; it is
// sent only when it differs from the mode our programs last set, and again whenever a
// keypad appears, so a keypad plugged in mid-game gets the game's mode at once.
// While one of PadConfig's own windows has the focus the mode is left to PadConfig,
// and a mode that a download kept from the keypad is sent when the download ends.
// With a port that writes nothing, each decision is what the window wants. Qt-free.

#include "modes/KeypadModePort.h"
#include "modes/rules/ModeRules.h"
#include "modes/rules/WindowInfo.h"

#include <optional>
#include <string>

namespace pad {

struct Decision {
    enum class Outcome {
        NoWindow,      // no window has the focus: nothing to follow
        OwnWindow,     // PadConfig or its loader has the focus: it sets the mode itself
        Keep,          // the rules say keep
        Wanted,        // the window wants match.mode (WantedMode, or a port that writes nothing)
        AlreadySet,    // the keypad is in that mode already
        Sent,          // the mode was sent
        NoKeypad,      // no keypad: the mode goes to the next one that appears
        NoAccess,      // the keypad may not be written: the mode goes once it may
        AfterDownload, // a download holds the keypad: the mode follows when it ends
        Failed,        // the keypad did not take the report
        KeypadGone,    // the keypad went away
    };
    Outcome outcome = Outcome::NoWindow;
    RuleMatch match;

    bool operator==(const Decision&) const = default;
};

// One line for --print: "Mode B (rule on line 3): sent".
std::string DescribeDecision(const Decision& decision);

// What the window wants by the rules, without touching the keypad: NoWindow,
// OwnWindow, Keep or Wanted.
Decision WantedMode(const RuleSet& rules, const std::optional<WindowInfo>& window);

class ModeSwitcher {
  public:
    explicit ModeSwitcher(KeypadModePort& port, RuleSet rules = {});

    Decision focusChanged(const WindowInfo& window);
    Decision focusLeft();
    Decision keypadAppeared();
    Decision keypadGone();
    // A keypad is plugged in but may not be written: says what waits for it.
    Decision keypadUnwritable();
    Decision rulesReloaded(RuleSet rules);
    // A download that kept a mode from the keypad (a Busy send) has ended.
    Decision downloadEnded();

    const std::optional<WindowInfo>& focusedWindow() const { return window_; }

  private:
    // Sends the wanted mode when the keypad is not in it already, or (keypad
    // appeared) in any case.
    Decision follow(bool evenIfSet);

    KeypadModePort& port_;
    RuleSet rules_;
    std::optional<WindowInfo> window_;
};

} // namespace pad
