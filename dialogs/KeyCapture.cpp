#include "dialogs/KeyCapture.h"

#include "dialogs/NativeKey.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>

#include <optional>

namespace pad {

namespace {

// Windowless platforms (offscreen, minimal) have no keyboard to grab.
bool CanGrabKeyboard() {
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

bool IsKeyEvent(const QEvent* event) {
    return event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease ||
           event->type() == QEvent::ShortcutOverride;
}

// The keystroke a key event stands for; none for keys that are not in the table,
// for the releases of auto-repeat, which are not real releases, and for Print
// Screen's press: every Print Screen notification counts as a release, so one
// keystroke hands on only its key-up.
std::optional<Keystroke> StrokeOf(const QKeyEvent& key) {
    if (key.type() == QEvent::KeyRelease && key.isAutoRepeat())
        return std::nullopt;
    const PhysicalKey* physical = PhysicalKeyOf(key);
    if (!physical || (physical->usage == PrintScreenUsage && key.type() == QEvent::KeyPress))
        return std::nullopt;
    KeyTransition transition = KeyTransition::Down;
    if (key.type() == QEvent::KeyRelease)
        transition = KeyTransition::Up;
    else if (key.isAutoRepeat())
        transition = KeyTransition::AutoRepeat;
    return Keystroke{physical, transition, key.modifiers().testFlag(Qt::AltModifier)};
}

} // namespace

KeyCapture::KeyCapture(UiServices& ui, DesktopKeyboard keyboard, QObject* parent)
    : QObject(parent), ui_(ui), keyboard_(std::move(keyboard)) {
    escapeWait_.setSingleShot(true);
    escapeWait_.setInterval(EscapeHold::StopAfter);
    connect(&escapeWait_, &QTimer::timeout, this, &KeyCapture::EscapeHeld);
}

KeyCapture::~KeyCapture() {
    if (filtering_ && qApp)
        qApp->removeEventFilter(this);
    if (grabWidget_)
        grabWidget_->releaseKeyboard();
}

void KeyCapture::Filter(bool on) {
    if (on && !filtering_)
        qApp->installEventFilter(this);
    else if (!on && filtering_)
        qApp->removeEventFilter(this);
    filtering_ = on;
}

bool KeyCapture::Start(QWidget* grabWidget, QAbstractButton* stopButton, Receiver receive) {
    keysDownAtStart_ = keyboard_.state ? keyboard_.state->KeysDown() : std::vector<unsigned>();
    receive_ = std::move(receive);
    stopButton_ = stopButton;
    escape_.Start(keysDownAtStart_);
    installed_ = true;
    Filter(true);
    if (grabWidget && grabWidget->isVisible() && CanGrabKeyboard()) {
        grabWidget_ = grabWidget;
        grabWidget->grabKeyboard();
    }
    return true;
}

void KeyCapture::Stop() {
    escapeWait_.stop();
    escape_.Cancel();
    if (!installed_)
        ui_.beep();
    installed_ = false;
    // The Escape that ended the capture stays withheld until it is released.
    Filter(escape_.Draining());
    if (grabWidget_)
        grabWidget_->releaseKeyboard();
    grabWidget_ = nullptr;
    receive_ = nullptr;
    stopButton_ = nullptr;
}

void KeyCapture::EscapeHeld() {
    escape_.Expire();
    if (stopButton_)
        stopButton_->click();
}

bool KeyCapture::eventFilter(QObject* watched, QEvent* event) {
    return installed_ ? Capture(watched, event) : DrainEscape(event);
}

bool KeyCapture::Capture(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // Claiming the key keeps shortcuts and accelerators from firing; the
        // key press itself follows and is captured below.
        event->accept();
        return true;
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        // Qt sends one key event to a widget and then to its parents and
        // window while it is ignored; capture it once, at its first receiver.
        event->accept();
        if (watched->isWidgetType() || watched->isWindowType())
            Hand(*static_cast<QKeyEvent*>(event));
        return true;
    }
    default:
        return false;
    }
}

bool KeyCapture::DrainEscape(QEvent* event) {
    // Once the program is left, the Escape's release goes elsewhere.
    if (event->type() == QEvent::ApplicationDeactivate) {
        escape_.Start({});
        Filter(false);
        return false;
    }
    if (!IsKeyEvent(event))
        return false;
    const auto stroke = StrokeOf(*static_cast<QKeyEvent*>(event));
    if (!stroke || !IsEscapeStroke(*stroke))
        return false;
    event->accept();
    if (event->type() == QEvent::KeyRelease) {
        escape_.Take(*stroke);
        Filter(escape_.Draining());
    }
    return true;
}

void KeyCapture::Hand(const QKeyEvent& key) {
    const auto stroke = StrokeOf(key);
    if (!stroke || !receive_)
        return;
    // The receiver may stop the capture, which lets go of it.
    const Receiver receive = receive_;
    for (const Keystroke& s : escape_.Take(*stroke))
        receive(s);
    if (!escape_.Waiting())
        escapeWait_.stop();
    else if (!escapeWait_.isActive())
        escapeWait_.start();
}

} // namespace pad
