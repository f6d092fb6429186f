#pragma once
// The focus ring: a frame drawn around the control that has the keyboard focus,
// in every window of the program. It shows once the user has moved the focus with
// the keyboard in that window, or came to the window from one where they had (a
// dialog opened from the keyboard), as the platform shows focus frames. The ring
// is a child of the control's window, above all other children, so that no parent
// of the control clips it, and lets the mouse through.

#include <QPointer>
#include <QWidget>

namespace pad {

class FocusRing : public QWidget {
    Q_OBJECT
  public:
    // The ring is Width pixels wide in the ring colour with a one-pixel dark edge
    // outside, and leaves no gap to the control.
    static constexpr int Width = 2;
    static constexpr int Reach = Width + 1;

    // Follows the application's focus from now on.
    static void Install();
    // The control whose ring is on screen, or null.
    static QWidget* Target();

    explicit FocusRing(QWidget* window);
    // Draws the ring around target, a control in this ring's window; null hides it.
    void Follow(QWidget* target);
    QWidget* Followed() const { return target_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Place();

    QPointer<QWidget> target_;
};

} // namespace pad
