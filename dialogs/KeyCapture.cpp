#include "dialogs/KeyCapture.h"

#include "devicelink/WindowMessage.h"
#include "dialogs/capture/Keystroke.h"
#include "dialogs/capture/PcKeys.h"

#include <QApplication>
#include <QKeyEvent>

namespace pad {

namespace {

// Windowless platforms (offscreen, minimal) have no keyboard to grab.
bool CanGrabKeyboard() {
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

} // namespace

KeyCapture::KeyCapture(UiServices& ui, QObject* parent) : QObject(parent), ui_(ui) {}

KeyCapture::~KeyCapture() {
    if (installed_ && qApp)
        qApp->removeEventFilter(this);
    if (grabWidget_)
        grabWidget_->releaseKeyboard();
}

bool KeyCapture::Start(QObject* captureWindow, QWidget* grabWidget) {
    captureWindow_ = captureWindow;
    if (!installed_) {
        qApp->installEventFilter(this);
        installed_ = true;
    }
    if (grabWidget && grabWidget->isVisible() && CanGrabKeyboard()) {
        grabWidget_ = grabWidget;
        grabWidget->grabKeyboard();
    }
    return true;
}

void KeyCapture::Stop() {
    if (installed_)
        qApp->removeEventFilter(this);
    else
        ui_.beep();
    if (grabWidget_)
        grabWidget_->releaseKeyboard();
    installed_ = false;
    grabWidget_ = nullptr;
    captureWindow_ = nullptr;
}

bool KeyCapture::eventFilter(QObject* watched, QEvent* event) {
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
            Post(*static_cast<QKeyEvent*>(event));
        return true;
    }
    default:
        return false;
    }
}

void KeyCapture::Post(const QKeyEvent& key) {
    // Releases that belong to auto-repeat are not real releases.
    if (key.type() == QEvent::KeyRelease && key.isAutoRepeat())
        return;
    const auto pc = PcKeyFromEvdev(EvdevFromNativeScanCode(key.nativeScanCode()));
    if (!pc || !captureWindow_)
        return;
    // Every Print Screen notification counts as a release, so one keystroke posts
    // only its key-up; its key-down (and repeats) are withheld but not posted.
    if (pc->virtualKey == VkPrintScreen && key.type() == QEvent::KeyPress)
        return;
    KeyTransition transition = KeyTransition::Down;
    if (key.type() == QEvent::KeyRelease)
        transition = KeyTransition::Up;
    else if (key.isAutoRepeat())
        transition = KeyTransition::AutoRepeat;
    const bool alt = key.modifiers().testFlag(Qt::AltModifier);
    WindowMessage::post(captureWindow_, KeyCaptureMessage, pc->virtualKey,
                        std::intptr_t(KeystrokeFlags(*pc, transition, alt)));
}

} // namespace pad
