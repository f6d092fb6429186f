#pragma once
// The single-key dialog: captures one key of the keyboard, either to give it to the
// selected keypad key or to hand it to the Macro Editor's Insert. It is opened with
// the CaptureTarget and ends, when left by OK, with the captured key.

#include "dialogs/DialogContext.h"
#include "dialogs/DialogRequests.h"
#include "dialogs/KeyCapture.h"
#include "keyboard/capture/SingleKeyCapture.h"

#include <QDialog>

#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace pad {

class TRecSingleDlg : public QDialog {
    Q_OBJECT
  public:
    TRecSingleDlg(const DialogContext& context, KeyCapture& capture, QWidget* parent = nullptr);

    // Shows the dialog modally for target; the captured key when it was left by OK.
    std::optional<SingleKeyResult> run(CaptureTarget target);
    // The target of the next showing, for a showing without run.
    void prepare(CaptureTarget target) { target_ = target; }
    CaptureTarget target() const { return target_; }
    // What the dialog ends with: the captured key when it was left by OK.
    std::optional<SingleKeyResult> capturedKey() const;

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
    // The single-key rules for one keystroke while capturing.
    void ApplySingleKeyRules(const Keystroke& stroke);
    void SetRecCaption(bool capturing);

    DialogContext context_;
    KeyCapture& capture_;
    CaptureTarget target_ = CaptureTarget::SingleKey;
    CapturedKey captured_;

    QLabel* keyName_;     // TntLabel1
    QLineEdit* label_;    // TntEdit1
    QPushButton* rec_;    // TntBitBtn1
    QPushButton* ok_;     // TntBitBtn2
    QPushButton* cancel_; // TntBitBtn3
    QRadioButton* focus_; // TntRadioButton1, outside the visible area
};

} // namespace pad
