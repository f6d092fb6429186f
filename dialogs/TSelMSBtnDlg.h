#pragma once
// The mouse-button dialog: chooses the left, middle or right mouse button for the
// selected keypad key. It ends, when left by OK, with the button chosen.

#include "dialogs/DialogContext.h"
#include "editing/Assignment.h"

#include <QDialog>

#include <optional>

class QPushButton;
class QRadioButton;

namespace pad {

class TSelMSBtnDlg : public QDialog {
    Q_OBJECT
  public:
    explicit TSelMSBtnDlg(const DialogContext& context, QWidget* parent = nullptr);

    // Shows the dialog modally; the button chosen when it was left by OK.
    std::optional<MouseButton> run();
    // What the dialog ends with: the button chosen when it was left by OK.
    std::optional<MouseButton> chosenButton() const;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    QRadioButton* left_;   // TntRadioButton1
    QRadioButton* middle_; // TntRadioButton2
    QRadioButton* right_;  // TntRadioButton3
    QPushButton* ok_;      // TntBitBtn1
    QPushButton* cancel_;  // TntBitBtn2
};

} // namespace pad
