#include "modes/ModeSwitcher.h"

#include "texts/ModeTitle.h"

#include <utility>

namespace pad {
namespace {

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
    case Outcome::NoAccess:
        return wanted + ": the keypad may not be written (the udev rule is missing); sent when "
                        "it may";
    case Outcome::AfterDownload:
        return wanted + ": a download is running; sent when it ends";
    case Outcome::Failed:
        return wanted + ": the keypad did not take it";
    case Outcome::KeypadGone:
        return "the keypad went away";
    }
    return {};
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
    if (decision.outcome != Outcome::Wanted || !port_.writes())
        return decision;
    const KeypadMode mode = *decision.match.mode;
    if (!port_.keypadPresent()) {
        decision.outcome = port_.keypadUnwritable() ? Outcome::NoAccess : Outcome::NoKeypad;
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

Decision ModeSwitcher::keypadUnwritable() {
    return follow(false);
}

Decision ModeSwitcher::rulesReloaded(RuleSet rules) {
    rules_ = std::move(rules);
    return follow(false);
}

Decision ModeSwitcher::downloadEnded() {
    return follow(false);
}

} // namespace pad
