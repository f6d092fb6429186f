#include "dialogs/TRecSingleDlg.h"

#include "dialogs/ActivateWhenShown.h"
#include "dialogs/RecButton.h"
#include "dialogs/ScreenCentre.h"
#include "dialogs/TextLimit.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>

namespace pad {

TRecSingleDlg::TRecSingleDlg(const DialogContext& context, KeyCapture& capture, QWidget* parent)
    : QDialog(parent, Qt::Tool), context_(context), capture_(capture) {
    setObjectName(QStringLiteral("TRecSingleDlg"));
    setWindowTitle(context_.text(SingleKeyCaption));
    setAccessibleDescription(context_.text(RecordingDescription));
    setModal(true);
    setFixedSize(191, 132);

    keyName_ = new QLabel(this);
    keyName_->setObjectName(QStringLiteral("TntLabel1"));
    keyName_->setAccessibleDescription(context_.text(CapturedKeyName));
    keyName_->setAlignment(Qt::AlignCenter);
    keyName_->setFrameShape(QFrame::StyledPanel);
    keyName_->setGeometry(8, 8, 175, 24);

    label_ = new QLineEdit(this);
    label_->setObjectName(QStringLiteral("TntEdit1"));
    label_->setAccessibleName(context_.text(KeyLabelName));
    LimitToLabelLength(*label_);
    label_->setGeometry(8, 38, 175, 24);

    auto place = [](QPushButton* b, const char* name, int x, int y) {
        b->setObjectName(QLatin1String(name));
        b->setGeometry(x, y, 84, 26);
        return b;
    };
    rec_ = place(new RecButton(context_.text(RecText), this), "TntBitBtn1", 8, 70);
    rec_->setAccessibleDescription(accessibleDescription());
    ok_ = place(new QPushButton(context_.text(OkText), this), "TntBitBtn2", 8, 100);
    cancel_ = place(new QPushButton(context_.text(CancelText), this), "TntBitBtn3", 99, 100);
    ok_->setEnabled(false);
    // Enter anywhere but on another button accepts, as in every dialog.
    ok_->setDefault(true);

    // Holds the keyboard focus while capturing, so no visible control has it.
    focus_ = new QRadioButton(this);
    focus_->setObjectName(QStringLiteral("TntRadioButton1"));
    focus_->setGeometry(894, 70, 16, 16);
    focus_->setFocusPolicy(Qt::ClickFocus); // given the focus, never reached by Tab
    applyLanguageFont(*this, context_);

    connect(rec_, &QPushButton::clicked, this, &TRecSingleDlg::RecClick);
    connect(ok_, &QPushButton::clicked, this, &TRecSingleDlg::OkClick);
    connect(cancel_, &QPushButton::clicked, this, &TRecSingleDlg::CancelClick);
}

std::optional<SingleKeyResult> TRecSingleDlg::run(CaptureTarget target) {
    prepare(target);
    exec();
    return capturedKey();
}

std::optional<SingleKeyResult> TRecSingleDlg::capturedKey() const {
    if (result() != QDialog::Accepted)
        return std::nullopt;
    return SingleKeyResult{captured_.pressCode, captured_.releaseCode,
                           captured_.lastKeystroke.keyName, ToU16(label_->text())};
}

void TRecSingleDlg::ApplySingleKeyRules(const Keystroke& stroke) {
    const KeystrokeInfo key = DecodeKeystroke(stroke, capture_.layout());
    ApplySingleKey(captured_, key);
    const QString name = QString::fromUtf8(key.keyName);
    keyName_->setText(name);
    if (target_ == CaptureTarget::SingleKey)
        label_->setText(name);
    else
        label_->clear();
}

void TRecSingleDlg::SetRecCaption(bool capturing) {
    rec_->setText(context_.text(capturing ? StopText : RecText));
}

void TRecSingleDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    CentreOnScreen(*this);
    ActivateWhenShown(*this);
    setResult(QDialog::Rejected);
    captured_.Clear();
    if (capture_.Installed())
        capture_.Stop();
    label_->clear();
    keyName_->clear();
    SetRecCaption(false);
    ok_->setEnabled(false);
    label_->setEnabled(true);
    label_->setVisible(target_ == CaptureTarget::SingleKey);
    rec_->setFocus();
}

void TRecSingleDlg::RecClick() {
    if (capture_.Installed()) {
        capture_.Stop();
        SetRecCaption(false);
        label_->setEnabled(true);
    } else {
        capture_.Start(this, rec_,
                       [this](const Keystroke& stroke) { ApplySingleKeyRules(stroke); });
        captured_.held.Reset(capture_.keysDownAtStart());
        focus_->setFocus();
        SetRecCaption(true);
        label_->setEnabled(false);
    }
    ok_->setEnabled(!keyName_->text().isEmpty());
    focus_->setFocus();
}

void TRecSingleDlg::OkClick() {
    capture_.Stop();
    SetRecCaption(false);
    accept();
}

void TRecSingleDlg::CancelClick() {
    capture_.Stop();
    reject();
}

void TRecSingleDlg::done(int result) {
    capture_.Stop();
    QDialog::done(result);
}

} // namespace pad
