#include "dialogs/TSelMSBtnDlg.h"

#include "dialogs/ActivateWhenShown.h"
#include "dialogs/ScreenCentre.h"

#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>

namespace pad {

TSelMSBtnDlg::TSelMSBtnDlg(const DialogContext& context, QWidget* parent)
    : QDialog(parent, Qt::Tool) {
    setObjectName(QStringLiteral("TSelMSBtnDlg"));
    setWindowTitle(context.text(SelectMouseButtonCaption));
    setModal(true);
    setFixedSize(200, 130);

    auto radio = [this](const char* name, const QString& text, int y) {
        auto* r = new QRadioButton(text, this);
        r->setObjectName(QLatin1String(name));
        r->setGeometry(16, y, 170, 22);
        return r;
    };
    left_ = radio("TntRadioButton1", context.text(LeftButtonText), 8);
    middle_ = radio("TntRadioButton2", context.text(MiddleButtonText), 32);
    right_ = radio("TntRadioButton3", context.text(RightButtonText), 56);
    left_->setChecked(true);

    auto button = [this](const char* name, const QString& text, int x) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(name));
        b->setGeometry(x, 92, 84, 26);
        return b;
    };
    ok_ = button("TntBitBtn1", context.text(OkText), 12);
    cancel_ = button("TntBitBtn2", context.text(CancelText), 104);
    ok_->setDefault(true);
    applyLanguageFont(*this, context);

    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

std::optional<MouseButton> TSelMSBtnDlg::run() {
    exec();
    return chosenButton();
}

std::optional<MouseButton> TSelMSBtnDlg::chosenButton() const {
    if (result() != QDialog::Accepted)
        return std::nullopt;
    if (middle_->isChecked())
        return MouseButton::Middle;
    if (right_->isChecked())
        return MouseButton::Right;
    return MouseButton::Left;
}

void TSelMSBtnDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        CentreOnScreen(*this);
        ActivateWhenShown(*this);
        setResult(QDialog::Rejected);
    }
}

} // namespace pad
