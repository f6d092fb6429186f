#pragma once
// The Rec / Stop button of the Macro Editor and the single-key dialog. Enter acts on
// it as Space does, when the key is let go, so that the key that starts a capture
// does not end up in it.

#include <QPushButton>

namespace pad {

class RecButton : public QPushButton {
    Q_OBJECT
  public:
    using QPushButton::QPushButton;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

  private:
    bool enterDown_ = false;
};

} // namespace pad
