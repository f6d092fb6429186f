#pragma once
// The program's keystroke capture. While started it takes every key press and
// release addressed to any window of the program, withholds it from them and
// posts it to the capture window as a KeyCaptureMessage (wParam = virtual-key
// code, lParam = keystroke flags word). Shortcuts, menu accelerators and
// dialog keys (Escape, Enter) are withheld as well, so they are recorded
// instead of acted on. Print Screen is posted on its release only.

#include "dialogs/UiServices.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

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
    bool Start(QObject* captureWindow, QWidget* grabWidget);
    // Removes the capture; beeps when none was installed.
    void Stop();
    bool Installed() const { return installed_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Post(const QKeyEvent& key);

    UiServices& ui_;
    bool installed_ = false;
    QPointer<QObject> captureWindow_;
    QPointer<QWidget> grabWidget_;
};

} // namespace pad
