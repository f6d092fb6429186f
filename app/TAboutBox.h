#pragma once
// The About box: product name, version and licence notice.

#include <QDialog>

namespace pad {

class TAboutBox : public QDialog {
    Q_OBJECT
  public:
    explicit TAboutBox(QWidget* parent = nullptr);

  protected:
    void showEvent(QShowEvent* event) override;
};

} // namespace pad
