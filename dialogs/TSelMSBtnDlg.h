#pragma once
// The mouse-button dialog: makes the selected keypad key act as the left,
// middle or right mouse button.

#include "dialogs/DialogHost.h"
#include "editing/Workspace.h"

#include <QDialog>

class QPushButton;
class QRadioButton;

namespace pad {

class TSelMSBtnDlg : public QDialog {
    Q_OBJECT
  public:
    TSelMSBtnDlg(Workspace& ws, DialogHost& host, QWidget* parent = nullptr);

  protected:
    void showEvent(QShowEvent* event) override;

  private slots:
    void OkClick();

  private:
    Workspace& ws_;
    DialogHost& host_;
    QRadioButton* left_;   // TntRadioButton1
    QRadioButton* middle_; // TntRadioButton2
    QRadioButton* right_;  // TntRadioButton3
    QPushButton* ok_;      // TntBitBtn1
    QPushButton* cancel_;  // TntBitBtn2
};

} // namespace pad
