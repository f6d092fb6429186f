#include "modes/ServiceCore.h"

#include "modes/ServiceText.h"

#include <cstdio>
#include <utility>

namespace pad {

void SayOnStderr(const std::string& line) {
    std::fprintf(stderr, "padconfig-modes: %s\n", line.c_str());
    std::fflush(stderr);
}

ServiceCore::ServiceCore(ServiceOptions options) : options_(std::move(options)) {}

void ServiceCore::useKeypad(KeypadModePort& port) {
    switcher_ = std::make_unique<ModeSwitcher>(port, rules_);
}

const std::optional<WindowInfo>& ServiceCore::focusedWindow() const {
    return switcher_ ? switcher_->focusedWindow() : window_;
}

void ServiceCore::rulesChanged(const RulesFileContents& contents, bool reloaded) {
    const auto& path = options_.rulesPath;
    if (contents.failure) {
        SayOnStderr(DescribeRuleError(path, {0, *contents.failure}) + "; no rules apply");
        rules_ = {};
    } else {
        const RulesDocument& document = contents.document;
        for (const std::string& line :
             DescribeRuleErrors(path, document.errors(), "", "; the line is skipped"))
            SayOnStderr(line);
        for (const std::string& line :
             DescribeRuleErrors(path, document.warnings(), "warning: ", ""))
            SayOnStderr(line);
        rules_ = document.ruleSet();
    }
    const std::string summary = contents.exists ? DescribeRuleSet(rules_) : "no file, no rules";
    const std::string event = std::string(reloaded ? "rules reloaded" : "rules") + " from " +
                              path.string() + ": " + summary;
    if (!reloaded)
        printLine(event);
    else if (switcher_)
        report(event, switcher_->rulesReloaded(rules_));
    else
        report(event, WantedMode(rules_, window_));
}

void ServiceCore::decideFocus(const std::optional<WindowInfo>& window) {
    const std::string event =
        window ? "focus: " + DescribeWindow(*window) : "focus left every window";
    if (switcher_)
        return report(event, window ? switcher_->focusChanged(*window) : switcher_->focusLeft());
    window_ = window;
    report(event, WantedMode(rules_, window_));
}

void ServiceCore::keypadAppeared() {
    report("keypad appeared", switcher_->keypadAppeared());
}

void ServiceCore::keypadGone() {
    report("keypad gone", switcher_->keypadGone());
}

void ServiceCore::keypadUnwritable(const std::string& why) {
    if (!toldNoAccess_)
        SayOnStderr(why);
    toldNoAccess_ = true;
    report("keypad connected, but it may not be written", switcher_->keypadUnwritable());
}

void ServiceCore::downloadEnded() {
    report("download ended", switcher_->downloadEnded());
}

void ServiceCore::report(const std::string& event, const Decision& decision) const {
    if (decision.outcome == Decision::Outcome::Failed)
        SayOnStderr(DescribeDecision(decision));
    printLine(event + " -> " + DescribeDecision(decision));
}

void ServiceCore::printLine(const std::string& line) const {
    if (!options_.print)
        return;
    std::fputs((line + "\n").c_str(), stdout);
    std::fflush(stdout);
}

} // namespace pad
