#pragma once
// Icons from the artwork, drawn at the size and device pixel ratio they are shown
// at: the compiled-in bitmap at the artwork's own size, the SVG rendered afresh at
// any other size.

#include <QIcon>
#include <QLabel>

namespace pad {

QIcon ArtworkIcon(const char* name);

// A label that shows an icon filling its contents, drawn for the screen it is on.
class IconLabel : public QLabel {
    Q_OBJECT
  public:
    IconLabel(const QIcon& icon, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QIcon icon_;
};

} // namespace pad
