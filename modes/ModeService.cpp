#include "modes/ModeService.h"

#include "modes/KeypadPortFactory.h"
#include "modes/ServiceText.h"
#include "modes/focus/CompositorFocusSource.h"

#include <QCoreApplication>

namespace pad {
namespace {

// Long enough for a window manager's "no window" on the way between two windows.
constexpr int FocusLeftDelayMs = 150;

} // namespace

ModeService::ModeService(ServiceOptions options, QObject* parent)
    : QObject(parent), core_(std::move(options)) {
    focusLeftTimer_.setSingleShot(true);
    focusLeftTimer_.setInterval(FocusLeftDelayMs);
    connect(&focusLeftTimer_, &QTimer::timeout, this, [this] { decideFocus(std::nullopt); });
}

ModeService::~ModeService() = default;

bool ModeService::start() {
    watcher_ = std::make_unique<RulesWatcher>(
        core_.options().rulesPath,
        [this](const RulesFileContents& contents) { core_.rulesChanged(contents, true); }, this);
    core_.rulesChanged(watcher_->read(), false);

    FocusSource::Events events;
    events.focusChanged = [this](const std::optional<WindowInfo>& window) { focusChanged(window); };
    events.ended = [this](const std::string& why) { desktopEnded(why); };
    events.followingChanged = [this] { followingChanged(); };
    FocusConnection connection =
        ConnectFocusSource(DesktopSession::fromEnvironment(), events, openBus());
    if (!connection.source) {
        SayOnStderr(connection.failure);
        return false;
    }
    focus_ = std::move(connection.source);
    core_.printLine("following the focus on " + focus_->description());
    if (const std::string hint = focus_->hint(); !hint.empty()) {
        SayOnStderr(hint);
        core_.printLine("not following yet: " + hint);
    }

    if (const auto& other = core_.options().runningInstance) {
        core_.printLine("another padconfig-modes runs (pid " + std::to_string(*other) +
                        ") and sets the modes; this one only prints what each window wants");
    } else {
        KeypadPortEvents keypad;
        keypad.appeared = [this] { core_.keypadAppeared(); };
        keypad.gone = [this] { core_.keypadGone(); };
        keypad.downloadEnded = [this] { core_.downloadEnded(); };
        port_ = makeKeypadModePort(this, std::move(keypad));
        core_.useKeypad(*port_);
    }
    if (focus_->focusKnown())
        decideFocus(focus_->focusedWindow());
    return true;
}

CompositorRoute ModeService::openBus() {
    if (core_.options().runningInstance)
        return {CompositorRoute::To::RunningService, {}};
    ModesBus::Handler handler;
    handler.openWindows = [this] {
        return focus_ ? focus_->openWindows() : std::vector<WindowInfo>();
    };
    handler.status = [this] { return status(); };
    handler.compositor = [this] { return dynamic_cast<CompositorFocusSource*>(focus_.get()); };
    std::string failure;
    bus_ = ModesBus::open(std::move(handler), failure);
    if (!bus_) {
        core_.printLine("not on the session bus: " + failure);
        return {CompositorRoute::To::Nobody, failure};
    }
    return {CompositorRoute::To::ThisInstance, {}};
}

ServiceStatus ModeService::status() const {
    if (!focus_)
        return {DesktopName(DesktopSession::fromEnvironment()), false, {}};
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

void ModeService::desktopEnded(const std::string& why) {
    SayOnStderr(why);
    QCoreApplication::exit(1);
}

} // namespace pad
