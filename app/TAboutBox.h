#pragma once
// The About box: product name, version and licence notice.

#include <QDialog>

namespace pad {

inline constexpr const char* ProductVersion = "1.7.0.0";

class TAboutBox : public QDialog {
    Q_OBJECT
  public:
    explicit TAboutBox(QWidget* parent = nullptr);

  protected:
    void showEvent(QShowEvent* event) override;
};

} // namespace pad
