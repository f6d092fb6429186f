#pragma once
// The program's keystroke capture: an event filter on the application. While started
// it takes every key press and release addressed to any window of the program,
// withholds it from them and posts it to the capture window as a KeyCaptureMessage,
// a WindowMessage event (wParam = virtual-key code, lParam = keystroke flags word).
// Shortcuts, menu accelerators and dialog keys (Escape, Enter) are withheld as well,
// so they are recorded instead of acted on. Print Screen is posted on its release
// only. Escape held down for a second is the keyboard's Stop: it clicks the
// capture's stop button and is neither posted nor, until its release, passed to the
// windows.

#include "dialogs/UiServices.h"
#include "keyboard/capture/EscapeHold.h"

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <span>

class QAbstractButton;
class QKeyEvent;

namespace pad {

class KeyCapture : public QObject {
    Q_OBJECT
  public:
    // ui sounds the beep of a Stop without capture.
    explicit KeyCapture(UiServices& ui, QObject* parent = nullptr);
    ~KeyCapture() override;

    // Installs the capture for captureWindow. grabWidget, when given and
    // visible, also grabs the keyboard so that desktop shortcuts reach us.
    // A held Escape clicks stopButton; keysDown are the evdev codes of the keys
    // down as the capture starts.
    bool Start(QObject* captureWindow, QWidget* grabWidget, QAbstractButton* stopButton,
               std::span<const unsigned> keysDown);
    // Removes the capture; beeps when none was installed.
    void Stop();
    bool Installed() const { return installed_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool Capture(QObject* watched, QEvent* event);
    bool DrainEscape(QEvent* event);
    void Post(const QKeyEvent& key);
    void EscapeHeld();
    void Filter(bool on);

    UiServices& ui_;
    bool installed_ = false;
    bool filtering_ = false; // the application's event filter is in place
    QPointer<QObject> captureWindow_;
    QPointer<QWidget> grabWidget_;
    QPointer<QAbstractButton> stopButton_;
    EscapeHold escape_;
    QTimer escapeWait_;
};

} // namespace pad
