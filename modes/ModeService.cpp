#include "modes/ModeService.h"

#include "modes/focus/CompositorFocusSource.h"

#include <QCoreApplication>

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

} // namespace

ModeService::ModeService(ServiceOptions options, ServiceParts parts, QObject* parent)
    : QObject(parent), core_(std::move(options)), parts_(std::move(parts)) {
    focusLeftTimer_.setSingleShot(true);
    focusLeftTimer_.setInterval(FocusLeftDelayMs);
    connect(&focusLeftTimer_, &QTimer::timeout, this, [this] { decideFocus(std::nullopt); });
    reconnectTimer_.setSingleShot(true);
    connect(&reconnectTimer_, &QTimer::timeout, this, &ModeService::reconnect);
}

ModeService::~ModeService() = default;

bool ModeService::start() {
    watcher_ = std::make_unique<RulesWatcher>(
        core_.options().rulesPath,
        [this](const RulesFileContents& contents) { core_.rulesChanged(contents, true); }, this);
    core_.rulesChanged(watcher_->read(), false);

    route_ = openBus();
    FocusConnection connection = connectDesktop();
    if (!connection.source && !connection.brokenOff) {
        SayOnStderr(connection.failure);
        return false;
    }
    if (connection.source)
        follow(std::move(connection.source), false);

    if (const auto& other = core_.options().runningInstance)
        core_.printLine("another padconfig-modes runs (pid " + std::to_string(*other) +
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
    keypad.appeared = [this] { core_.keypadAppeared(); };
    keypad.gone = [this] { core_.keypadGone(); };
    keypad.noAccess = [this](const std::string& why) { core_.keypadUnwritable(why); };
    keypad.downloadEnded = [this] { core_.downloadEnded(); };
    port_ = parts_.makePort(this, std::move(keypad));
    core_.useKeypad(*port_);
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
    core_.printLine(following);
    if (const std::string notice = focus_->notice(); !notice.empty())
        SayOnStderr(notice);
    if (const std::string hint = focus_->hint(); !hint.empty()) {
        SayOnStderr(hint);
        core_.printLine("not following yet: " + hint);
    }
}

void ModeService::desktopEnded(const std::string& why) {
    if (!focus_ && lost_)
        return; // told already (a source that ends for two reasons at once)
    SayOnStderr(why);
    // A --print beside the service only shows what each window wants: it ends with
    // the source it followed (the running service's, on KDE Plasma and GNOME).
    if (core_.options().runningInstance && focus_)
        return QCoreApplication::exit(1);
    core_.printLine("not following: " + why);
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
        core_.printLine("not following: " + connection.failure);
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
    if (core_.options().runningInstance)
        return {CompositorRoute::To::RunningService, {}};
    if (!core_.options().onSessionBus)
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
        core_.printLine("not on the session bus: " + failure);
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
        core_.printLine("following the focus on " + focus_->description() + " now");
    } else {
        SayOnStderr(hint);
        core_.printLine("not following: " + hint);
    }
}

void ModeService::focusChanged(const std::optional<WindowInfo>& window) {
    if (!window)
        return focusLeftTimer_.start();
    const bool passingThrough = focusLeftTimer_.isActive();
    focusLeftTimer_.stop();
    if (passingThrough && window == core_.focusedWindow())
        return; // the focus came back to the window it had left
    decideFocus(window);
}

void ModeService::decideFocus(const std::optional<WindowInfo>& window) {
    if (bus_)
        bus_->announceFocus(window);
    core_.decideFocus(window);
}

} // namespace pad
