#include "modes/ModeService.h"

#include "modes/ServiceText.h"
#include "modes/focus/CompositorFocusSource.h"

#include <QCoreApplication>

#include <cstdio>

namespace pad {
namespace {

// Long enough for a window manager's "no window" on the way between two windows.
constexpr int FocusLeftDelayMs = 150;

// Connecting again after the desktop stopped telling the focus: the first pause, the
// longest, and how long a desktop that cannot be reached at all is waited for (it may
// have ended with the session). A desktop that answers but breaks off is tried for as
// long as the service runs.
constexpr std::chrono::milliseconds FirstRetryPause{250};
constexpr std::chrono::milliseconds LongestRetryPause{4000};
constexpr std::chrono::minutes GiveUpAfter{2};

void SayOnStderr(const std::string& line) {
    std::fprintf(stderr, "padconfig-modes: %s\n", line.c_str());
    std::fflush(stderr);
}

} // namespace

ModeService::ModeService(ServiceOptions options, ServiceParts parts, QObject* parent)
    : QObject(parent), options_(std::move(options)), parts_(std::move(parts)) {
    focusLeftTimer_.setSingleShot(true);
    focusLeftTimer_.setInterval(FocusLeftDelayMs);
    connect(&focusLeftTimer_, &QTimer::timeout, this, [this] { decideFocus(std::nullopt); });
    reconnectTimer_.setSingleShot(true);
    connect(&reconnectTimer_, &QTimer::timeout, this, &ModeService::reconnect);
}

ModeService::~ModeService() = default;

bool ModeService::start() {
    watcher_ = std::make_unique<RulesWatcher>(
        options_.rulesPath,
        [this](const RulesFileContents& contents) { rulesChanged(contents, true); }, this);
    rulesChanged(watcher_->read(), false);

    route_ = openBus();
    FocusConnection connection = connectDesktop();
    if (!connection.source && !connection.brokenOff) {
        SayOnStderr(connection.failure);
        return false;
    }
    if (connection.source)
        follow(std::move(connection.source), false);

    if (options_.runningInstance)
        printLine("another padconfig-modes runs (pid " + std::to_string(*options_.runningInstance) +
                  ") and sets the modes; this one only prints what each window wants");
    connectKeypad();
    if (!focus_)
        desktopEnded(connection.failure);
    else if (focus_->focusKnown())
        decideFocus(focus_->focusedWindow());
    return true;
}

void ModeService::connectKeypad() {
    KeypadPortEvents keypad;
    keypad.appeared = [this] { report("keypad appeared", switcher_->keypadAppeared()); };
    keypad.gone = [this] { report("keypad gone", switcher_->keypadGone()); };
    keypad.noAccess = [this](const std::string& why) {
        if (!toldNoAccess_)
            SayOnStderr(why);
        toldNoAccess_ = true;
        report("keypad connected, but it may not be written", switcher_->keypadUnwritable());
    };
    keypad.downloadEnded = [this] { report("download ended", switcher_->downloadEnded()); };
    port_ = parts_.makePort(this, std::move(keypad));
    switcher_ = std::make_unique<ModeSwitcher>(*port_, rules_);
}

FocusConnection ModeService::connectDesktop() {
    FocusSource::Events events;
    events.focusChanged = [this](const std::optional<WindowInfo>& window) { focusChanged(window); };
    events.ended = [this](const std::string& why) { desktopEnded(why); };
    events.followingChanged = [this] { followingChanged(); };
    return parts_.connectFocus(events, route_);
}

void ModeService::follow(std::unique_ptr<FocusSource> source, bool again) {
    focus_ = std::move(source);
    lost_.reset();
    const std::string following =
        "following the focus on " + focus_->description() + (again ? " again" : "");
    if (again)
        SayOnStderr(following);
    printLine(following);
    if (const std::string notice = focus_->notice(); !notice.empty())
        SayOnStderr(notice);
    if (const std::string hint = focus_->hint(); !hint.empty()) {
        SayOnStderr(hint);
        printLine("not following yet: " + hint);
    }
}

void ModeService::desktopEnded(const std::string& why) {
    if (!focus_ && lost_)
        return; // told already (a source that ends for two reasons at once)
    SayOnStderr(why);
    // A --print beside the service only shows what each window wants: it ends with
    // the source it followed (the running service's, on KDE Plasma and GNOME).
    if (options_.runningInstance && focus_)
        return QCoreApplication::exit(1);
    printLine("not following: " + why);
    ended_ = std::move(focus_);
    lost_ = why;
    lostSince_ = std::chrono::steady_clock::now();
    retryPause_ = FirstRetryPause;
    reconnectTimer_.start(retryPause_);
}

void ModeService::reconnect() {
    ended_.reset();
    FocusConnection connection = connectDesktop();
    if (connection.source) {
        follow(std::move(connection.source), true);
        if (focus_->focusKnown())
            decideFocus(focus_->focusedWindow());
        return;
    }
    if (connection.failure != lost_) {
        SayOnStderr(connection.failure);
        printLine("not following: " + connection.failure);
        lost_ = connection.failure;
    }
    if (!connection.brokenOff && std::chrono::steady_clock::now() - lostSince_ > GiveUpAfter) {
        SayOnStderr("the desktop has not answered for " + std::to_string(GiveUpAfter.count()) +
                    " minutes; padconfig-modes ends");
        return QCoreApplication::exit(1);
    }
    retryPause_ = std::min(retryPause_ * 2, LongestRetryPause);
    reconnectTimer_.start(retryPause_);
}

CompositorRoute ModeService::openBus() {
    if (options_.runningInstance)
        return {CompositorRoute::To::RunningService, {}};
    if (!options_.onSessionBus)
        return {CompositorRoute::To::Nobody, {}};
    ModesBus::Handler handler;
    handler.openWindows = [this] {
        return focus_ ? focus_->openWindows() : std::vector<WindowInfo>();
    };
    handler.status = [this] { return status(); };
    handler.compositor = [this] { return dynamic_cast<CompositorFocusSource*>(focus_.get()); };
    std::string failure;
    bus_ = ModesBus::open(std::move(handler), failure);
    if (!bus_) {
        // Where the service follows the focus itself it runs on, but PadConfig's dialog
        // cannot ask it for the open windows and its status.
        SayOnStderr("not on the session bus: " + failure);
        printLine("not on the session bus: " + failure);
        return {CompositorRoute::To::Nobody, failure};
    }
    return {CompositorRoute::To::ThisInstance, {}};
}

FocusStatus ModeService::status() const {
    if (!focus_)
        return {DesktopName(DesktopSession::fromEnvironment()), false,
                lost_ ? *lost_ + "; padconfig-modes tries again" : std::string()};
    const std::string hint = focus_->hint();
    return {focus_->description(), hint.empty(), hint};
}

void ModeService::followingChanged() {
    const std::string hint = focus_->hint();
    if (hint.empty()) {
        printLine("following the focus on " + focus_->description() + " now");
    } else {
        SayOnStderr(hint);
        printLine("not following: " + hint);
    }
}

void ModeService::rulesChanged(const RulesFileContents& contents, bool reloaded) {
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
    else
        report(event, switcher_->rulesReloaded(rules_));
}

void ModeService::focusChanged(const std::optional<WindowInfo>& window) {
    if (!window)
        return focusLeftTimer_.start();
    const bool passingThrough = focusLeftTimer_.isActive();
    focusLeftTimer_.stop();
    if (passingThrough && window == switcher_->focusedWindow())
        return; // the focus came back to the window it had left
    decideFocus(window);
}

void ModeService::decideFocus(const std::optional<WindowInfo>& window) {
    if (bus_)
        bus_->announceFocus(window);
    const std::string event =
        window ? "focus: " + DescribeWindow(*window) : "focus left every window";
    report(event, window ? switcher_->focusChanged(*window) : switcher_->focusLeft());
}

void ModeService::report(const std::string& event, const Decision& decision) {
    if (decision.outcome == Decision::Outcome::Failed)
        SayOnStderr(DescribeDecision(decision));
    printLine(event + " -> " + DescribeDecision(decision));
}

void ModeService::printLine(const std::string& line) {
    if (!options_.print)
        return;
    std::fputs((line + "\n").c_str(), stdout);
    std::fflush(stdout);
}

} // namespace pad
