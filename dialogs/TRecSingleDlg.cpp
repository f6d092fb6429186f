#include "dialogs/TRecSingleDlg.h"

#include "dialogs/DialogTexts.h"
#include "dialogs/RecButton.h"
#include "dialogs/ScreenCentre.h"
#include "dialogs/TRecDlg.h"
#include "dialogs/TextLimit.h"
#include "editing/Assignment.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>

namespace pad {

TRecSingleDlg::TRecSingleDlg(Workspace& ws, DialogHost& host, TRecDlg& editor, QWidget* parent)
    : QDialog(parent, Qt::Tool), ws_(ws), host_(host), editor_(editor) {
    setObjectName(QStringLiteral("TRecSingleDlg"));
    setWindowTitle(QStringLiteral("Single Key"));
    setAccessibleDescription(RunTimeText(host_, RecordingDescription));
    setModal(true);
    setFixedSize(191, 132);

    keyName_ = new QLabel(this);
    keyName_->setObjectName(QStringLiteral("TntLabel1"));
    keyName_->setAccessibleDescription(RunTimeText(host_, CapturedKeyName));
    keyName_->setAlignment(Qt::AlignCenter);
    keyName_->setFrameShape(QFrame::StyledPanel);
    keyName_->setGeometry(8, 8, 175, 24);

    label_ = new QLineEdit(this);
    label_->setObjectName(QStringLiteral("TntEdit1"));
    label_->setAccessibleName(RunTimeText(host_, KeyLabelName));
    LimitToLabelLength(*label_);
    label_->setGeometry(8, 38, 175, 24);

    auto place = [](QPushButton* b, const char* name, int x, int y) {
        b->setObjectName(QLatin1String(name));
        b->setGeometry(x, y, 84, 26);
        return b;
    };
    rec_ = place(new RecButton(BuiltIn(RecText), this), "TntBitBtn1", 8, 70);
    rec_->setAccessibleDescription(accessibleDescription());
    ok_ = place(new QPushButton(BuiltIn(OkText), this), "TntBitBtn2", 8, 100);
    cancel_ = place(new QPushButton(BuiltIn(CancelText), this), "TntBitBtn3", 99, 100);
    ok_->setEnabled(false);
    // Enter anywhere but on another button accepts, as in every dialog.
    ok_->setDefault(true);

    // Holds the keyboard focus while capturing, so no visible control has it.
    focus_ = new QRadioButton(this);
    focus_->setObjectName(QStringLiteral("TntRadioButton1"));
    focus_->setGeometry(894, 70, 16, 16);
    focus_->setFocusPolicy(Qt::ClickFocus); // given the focus, never reached by Tab

    if (ApplyLanguageFont(*this, host_)) {
        ApplyWindowTitle(*this, host_, SingleKeyText);
        ApplyButtonText(*rec_, host_, RecText);
        ApplyButtonText(*ok_, host_, OkText);
        ApplyButtonText(*cancel_, host_, CancelText);
    }

    connect(rec_, &QPushButton::clicked, this, &TRecSingleDlg::RecClick);
    connect(ok_, &QPushButton::clicked, this, &TRecSingleDlg::OkClick);
    connect(cancel_, &QPushButton::clicked, this, &TRecSingleDlg::CancelClick);
}

void TRecSingleDlg::ApplySingleKeyRules(const KeystrokeInfo& key) {
    ApplySingleKey(captured_, key);
    const QString name = QString::fromUtf8(key.keyName);
    keyName_->setText(name);
    if (ws_.requests.captureTarget == TargetSingleKey)
        label_->setText(name);
    else
        label_->clear();
}

void TRecSingleDlg::SetRecCaption(bool capturing) {
    rec_->setText(capturing ? RunTimeText(host_, StopText) : RunTimeText(host_, RecText));
}

void TRecSingleDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    CentreOnScreen(*this);
    captured_.Clear();
    if (editor_.KeyCaptureInstalled())
        editor_.StopKeyCapture();
    label_->clear();
    keyName_->clear();
    SetRecCaption(false);
    ok_->setEnabled(false);
    label_->setEnabled(true);
    label_->setVisible(ws_.requests.captureTarget == TargetSingleKey);
    rec_->setFocus();
}

void TRecSingleDlg::RecClick() {
    if (editor_.KeyCaptureInstalled()) {
        editor_.StopKeyCapture();
        SetRecCaption(false);
        label_->setEnabled(true);
    } else {
        editor_.StartKeyCapture(this, rec_);
        captured_.held.Reset(editor_.KeysDownAtCaptureStart());
        focus_->setFocus();
        SetRecCaption(true);
        label_->setEnabled(false);
    }
    ok_->setEnabled(!keyName_->text().isEmpty());
    focus_->setFocus();
}

void TRecSingleDlg::OkClick() {
    editor_.StopKeyCapture();
    SetRecCaption(false);
    if (ws_.requests.captureTarget == TargetSingleKey)
        Assign(ws_, host_, KeyAction::direct(captured_.pressCode), ToU16(label_->text()),
               KindSingleKey);
    ws_.requests.captureTarget = TargetAccepted;
    accept();
}

void TRecSingleDlg::CancelClick() {
    editor_.StopKeyCapture();
    ws_.requests.captureTarget = TargetMacro;
    reject();
}

void TRecSingleDlg::done(int result) {
    editor_.StopKeyCapture();
    if (ws_.requests.captureTarget <= TargetInsertKey)
        ws_.requests.captureTarget = TargetMacro;
    QDialog::done(result);
}

} // namespace pad
