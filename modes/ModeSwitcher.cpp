#include "modes/ModeSwitcher.h"

#include "texts/ModeTitle.h"

#include "common/Version.h"

#include <algorithm>
#include <iterator>
#include <string_view>
#include <utility>

namespace pad {
namespace {

// The loader's window class on Windows, and the programs whose windows are PadConfig's.
constexpr std::string_view LoaderWindowClass = "TQd6LdrSDlg";
constexpr std::string_view OwnPrograms[] = {"PadConfig.exe", "Qd6LoaderS.exe"};

std::string Source(const RuleMatch& match) {
    if (!match.byDefault)
        return "rule on line " + std::to_string(match.line);
    if (match.line != 0)
        return "default on line " + std::to_string(match.line);
    return "no rule matches";
}

std::string ChoiceText(const RuleMatch& match) {
    return (match.mode ? ModeTitle(*match.mode) : std::string("keep")) + " (" + Source(match) + ")";
}

} // namespace

std::string DescribeDecision(const Decision& decision) {
    using Outcome = Decision::Outcome;
    const std::string wanted = ChoiceText(decision.match);
    switch (decision.outcome) {
    case Outcome::NoWindow:
        return "no window has the focus: the mode stays";
    case Outcome::OwnWindow:
        return "PadConfig has the focus: it sets the mode itself";
    case Outcome::Keep:
        return wanted + ": the mode stays";
    case Outcome::Wanted:
        return wanted;
    case Outcome::AlreadySet:
        return wanted + ": the keypad is in it already";
    case Outcome::Sent:
        return wanted + ": sent";
    case Outcome::NoKeypad:
        return wanted + ": no keypad; sent when one appears";
    case Outcome::AfterDownload:
        return wanted + ": a download is running; sent when it ends";
    case Outcome::Failed:
        return wanted + ": the keypad did not take it";
    case Outcome::KeypadGone:
        return "the keypad went away";
    }
    return {};
}

bool IsOwnWindow(const WindowInfo& window) {
    if (window.appId == AppId || window.appId == PadConfigApplicationName ||
        window.appId == LoaderApplicationName || window.appId == LoaderWindowClass)
        return true;
    // On Windows PadConfig's windows have Qt's window classes, which every Qt program
    // shares: its program is known by its name.
    const std::string_view exe = window.executable;
    return std::any_of(std::begin(OwnPrograms), std::end(OwnPrograms),
                       [exe](std::string_view own) { return EqualIgnoringAsciiCase(exe, own); });
}

Decision WantedMode(const RuleSet& rules, const std::optional<WindowInfo>& window) {
    using Outcome = Decision::Outcome;
    if (!window)
        return {Outcome::NoWindow, {}};
    if (IsOwnWindow(*window))
        return {Outcome::OwnWindow, {}};
    const RuleMatch match = MatchWindow(rules, *window);
    return {match.mode ? Outcome::Wanted : Outcome::Keep, match};
}

ModeSwitcher::ModeSwitcher(KeypadModePort& port, RuleSet rules)
    : port_(port), rules_(std::move(rules)) {}

Decision ModeSwitcher::follow(bool evenIfSet) {
    using Outcome = Decision::Outcome;
    Decision decision = WantedMode(rules_, window_);
    if (decision.outcome != Outcome::Wanted)
        return decision;
    const KeypadMode mode = *decision.match.mode;
    if (!port_.keypadPresent()) {
        decision.outcome = Outcome::NoKeypad;
    } else if (!evenIfSet && port_.lastSetMode() == mode) {
        decision.outcome = Outcome::AlreadySet;
    } else {
        switch (port_.sendMode(mode)) {
        case KeypadModePort::Send::Sent:
            decision.outcome = Outcome::Sent;
            break;
        case KeypadModePort::Send::Busy:
            decision.outcome = Outcome::AfterDownload;
            break;
        case KeypadModePort::Send::Failed:
            decision.outcome = Outcome::Failed;
            break;
        }
    }
    return decision;
}

Decision ModeSwitcher::focusChanged(const WindowInfo& window) {
    window_ = window;
    return follow(false);
}

Decision ModeSwitcher::focusLeft() {
    window_.reset();
    return follow(false);
}

Decision ModeSwitcher::keypadAppeared() {
    return follow(true);
}

Decision ModeSwitcher::keypadGone() {
    return {Decision::Outcome::KeypadGone, {}};
}

Decision ModeSwitcher::rulesReloaded(RuleSet rules) {
    rules_ = std::move(rules);
    return follow(false);
}

Decision ModeSwitcher::downloadEnded() {
    return follow(false);
}

} // namespace pad
