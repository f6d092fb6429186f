#include "dialogs/TSelMSBtnDlg.h"

#include "dialogs/DialogTexts.h"
#include "dialogs/ScreenCentre.h"
#include "editing/Assignment.h"
#include "model/KeyCodes.h"

#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>

namespace pad {

TSelMSBtnDlg::TSelMSBtnDlg(Workspace& ws, DialogHost& host, QWidget* parent)
    : QDialog(parent, Qt::Tool), ws_(ws), host_(host) {
    setObjectName(QStringLiteral("TSelMSBtnDlg"));
    setWindowTitle(BuiltIn(SelectMouseButtonCaption));
    setModal(true);
    setFixedSize(200, 130);

    auto radio = [this](const char* name, const QString& text, int y) {
        auto* r = new QRadioButton(text, this);
        r->setObjectName(QLatin1String(name));
        r->setGeometry(16, y, 170, 22);
        return r;
    };
    left_ = radio("TntRadioButton1", BuiltIn(LeftButtonText), 8);
    middle_ = radio("TntRadioButton2", BuiltIn(MiddleButtonText), 32);
    right_ = radio("TntRadioButton3", BuiltIn(RightButtonText), 56);
    left_->setChecked(true);

    auto button = [this](const char* name, const QString& text, int x) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(name));
        b->setGeometry(x, 92, 84, 26);
        return b;
    };
    ok_ = button("TntBitBtn1", BuiltIn(OkText), 12);
    cancel_ = button("TntBitBtn2", BuiltIn(CancelText), 104);
    ok_->setDefault(true);

    if (ApplyLanguageFont(*this, host_)) {
        ApplyWindowTitle(*this, host_, SelectMouseButtonCaption);
        ApplyButtonText(*left_, host_, LeftButtonText);
        ApplyButtonText(*middle_, host_, MiddleButtonText);
        ApplyButtonText(*right_, host_, RightButtonText);
        ApplyButtonText(*ok_, host_, OkText);
        ApplyButtonText(*cancel_, host_, CancelText);
    }

    connect(ok_, &QPushButton::clicked, this, &TSelMSBtnDlg::OkClick);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

void TSelMSBtnDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        CentreOnScreen(*this);
}

void TSelMSBtnDlg::OkClick() {
    if (middle_->isChecked())
        Assign(ws_, host_, KeyAction::direct(MouseMiddleCode), u"M-Mouse", KindMouseButton);
    else if (right_->isChecked())
        Assign(ws_, host_, KeyAction::direct(MouseRightCode), u"R-Mouse", KindMouseButton);
    else
        Assign(ws_, host_, KeyAction::direct(MouseLeftCode), u"L-Mouse", KindMouseButton);
    accept();
}

} // namespace pad
