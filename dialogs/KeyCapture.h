#pragma once
// The program's keystroke capture: an event filter on the application. While started
// it takes every key press and release addressed to any window of the program,
// withholds it from them and hands it, as one Keystroke per key transition, to the
// receiver the capture was started with. Shortcuts, menu accelerators and dialog keys
// (Escape, Enter) are withheld as well, so they are recorded instead of acted on.
// Print Screen is handed on its release only. Escape held down for a second is the
// keyboard's Stop: it clicks the capture's stop button and is neither handed on nor,
// until its release, passed to the windows.

#include "dialogs/UiServices.h"
#include "keyboard/capture/EscapeHold.h"
#include "keyboard/capture/Keystroke.h"
#include "keyboard/capture/DesktopKeyboard.h"

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class QAbstractButton;
class QKeyEvent;

namespace pad {

class KeyCapture : public QObject {
    Q_OBJECT
  public:
    using Receiver = std::function<void(const Keystroke&)>;

    // ui sounds the beep of a Stop without capture; keyboard names the keys and
    // tells the keys held as a capture starts.
    KeyCapture(UiServices& ui, DesktopKeyboard keyboard, QObject* parent = nullptr);
    ~KeyCapture() override;

    // Installs the capture: every keystroke goes to receive, in order. grabWidget,
    // when given and visible, also grabs the keyboard so that desktop shortcuts reach
    // us. A held Escape clicks stopButton.
    bool Start(QWidget* grabWidget, QAbstractButton* stopButton, Receiver receive);
    // Removes the capture; beeps when none was installed.
    void Stop();
    bool Installed() const { return installed_; }
    // The evdev codes of the keys that were down as the last capture started.
    const std::vector<unsigned>& keysDownAtStart() const { return keysDownAtStart_; }
    // The active keyboard layout, which names the keys; null: the US names.
    KeyLayout* layout() const { return keyboard_.layout.get(); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool Capture(QObject* watched, QEvent* event);
    bool DrainEscape(QEvent* event);
    void Hand(const QKeyEvent& key);
    void EscapeHeld();
    void Filter(bool on);

    UiServices& ui_;
    DesktopKeyboard keyboard_;
    std::vector<unsigned> keysDownAtStart_;
    bool installed_ = false;
    bool filtering_ = false; // the application's event filter is in place
    Receiver receive_;
    QPointer<QWidget> grabWidget_;
    QPointer<QAbstractButton> stopButton_;
    EscapeHold escape_;
    QTimer escapeWait_;
};

} // namespace pad
