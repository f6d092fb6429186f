#pragma once
// BkImg: the surface behind every control of the main window. It keeps the last
// picture drawn by RedrawKeypad and shows the screen image, on which the hover
// highlight and the LOAD button's pressed look are drawn without touching the
// kept picture.

#include <QImage>
#include <QWidget>

namespace pad {

class KeypadView : public QWidget {
    Q_OBJECT
  public:
    explicit KeypadView(QWidget* parent = nullptr);

    // RedrawKeypad's result: kept, and shown.
    void SetPicture(const QImage& picture);
    const QImage& Picture() const { return picture_; }
    // What the window shows; draw on it, then call Show().
    QImage& Screen() { return screen_; }
    void Show() { update(); }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QImage picture_;
    QImage screen_;
};

} // namespace pad
