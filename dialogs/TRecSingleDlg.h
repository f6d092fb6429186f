#pragma once
// The single-key dialog: captures one key of the keyboard, either to give it
// to the selected keypad key or to hand it to the Macro Editor's Insert.

#include "dialogs/DialogHost.h"
#include "editing/Workspace.h"
#include "keyboard/capture/SingleKeyCapture.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace pad {

class TRecDlg;

class TRecSingleDlg : public QDialog {
    Q_OBJECT
  public:
    // editor owns the keystroke capture; captured keys arrive through it.
    TRecSingleDlg(Workspace& ws, DialogHost& host, TRecDlg& editor, QWidget* parent = nullptr);

    // Called by the editor's keystroke handler while the capture target is
    // the single key or the key for Insert.
    void ApplySingleKeyRules(const KeystrokeInfo& key);
    const CapturedKey& Captured() const { return captured_; }

  protected:
    void showEvent(QShowEvent* event) override;

  public slots:
    void done(int result) override;

  private slots:
    void RecClick();
    void OkClick();
    void CancelClick();

  private:
    void SetRecCaption(bool capturing);

    Workspace& ws_;
    DialogHost& host_;
    TRecDlg& editor_;
    CapturedKey captured_;

    QLabel* keyName_;     // TntLabel1
    QLineEdit* label_;    // TntEdit1
    QPushButton* rec_;    // TntBitBtn1
    QPushButton* ok_;     // TntBitBtn2
    QPushButton* cancel_; // TntBitBtn3
    QRadioButton* focus_; // TntRadioButton1, outside the visible area
};

} // namespace pad
