#include "dialogs/TMacroMngDlg.h"

#include "dialogs/ActivateWhenShown.h"
#include "dialogs/MacroListModel.h"
#include "dialogs/ScreenCentre.h"
#include "editing/MacroOps.h"

#include <QListView>
#include <QPushButton>
#include <QShowEvent>

namespace pad {

TMacroMngDlg::TMacroMngDlg(const DialogContext& context, const MacroList& macros, ManagerPort& port,
                           QWidget* parent)
    : QDialog(parent, Qt::Tool), context_(context), macros_(macros), port_(port) {
    setObjectName(QStringLiteral("TMacroMngDlg"));
    setWindowTitle(context_.text(MacroManagerCaption));
    setModal(true);
    setFixedSize(325, 280);

    model_ = new MacroListModel(macros_, this);
    list_ = new QListView(this);
    list_->setObjectName(QStringLiteral("TntListBox1"));
    list_->setAccessibleName(context_.text(MacrosName));
    list_->setModel(model_);
    list_->setUniformItemSizes(true); // keeps very long lists fast
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setGeometry(8, 8, 201, 264);

    auto button = [this](const char* name, const QString& text, int y) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        b->setGeometry(217, y, 100, 26);
        return b;
    };
    edit_ = button("TntBitBtn2", context_.text(EditText), 8);
    delete_ = button("TntBitBtn3", context_.text(DeleteMacroText), 40);
    newMacro_ = button("TntBitBtn4", context_.text(ManagerNewMacroText), 72);
    assign_ = button("TntBitBtn5", context_.text(AssignText), 104);
    close_ = button("TntBitBtn1", context_.text(CloseText), 246);
    assign_->hide();
    applyLanguageFont(*this, context_);

    connect(edit_, &QPushButton::clicked, this, &TMacroMngDlg::EditClick);
    connect(delete_, &QPushButton::clicked, this, &TMacroMngDlg::DeleteClick);
    connect(newMacro_, &QPushButton::clicked, this, &TMacroMngDlg::NewMacroClick);
    connect(assign_, &QPushButton::clicked, this, &TMacroMngDlg::AssignClick);
    connect(close_, &QPushButton::clicked, this, &QDialog::accept);
}

std::optional<std::size_t> TMacroMngDlg::run(const ManagerRequest& request) {
    prepare(request);
    exec();
    return assignedMacro();
}

void TMacroMngDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    CentreOnScreen(*this);
    ActivateWhenShown(*this);
    assigned_.reset();
    assign_->setVisible(request_.offerAssign);
    // AssignRequested holds for one showing only.
    request_ = {};
    RefreshList();
}

void TMacroMngDlg::RefreshList() {
    model_->Refresh();
}

std::optional<std::size_t> TMacroMngDlg::SelectedMacro() const {
    const auto rows = list_->selectionModel()->selectedIndexes();
    if (rows.isEmpty())
        return std::nullopt;
    const int row = rows.first().row();
    if (row < 0 || std::size_t(row) >= macros_.count())
        return std::nullopt;
    return std::size_t(row);
}

void TMacroMngDlg::SelectMacro(std::size_t n) {
    RefreshList();
    const QModelIndex index = model_->index(int(n), 0);
    if (index.isValid())
        list_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
}

void TMacroMngDlg::EditClick() {
    const auto n = SelectedMacro();
    if (!n)
        return;
    if (const auto m = port_.editMacro(*n))
        SelectMacro(*m);
}

void TMacroMngDlg::NewMacroClick() {
    port_.newMacro();
    RefreshList();
}

void TMacroMngDlg::DeleteClick() {
    const auto n = SelectedMacro();
    port_.deleteMacro(n);
    if (n)
        RefreshList();
}

void TMacroMngDlg::AssignClick() {
    const auto n = SelectedMacro();
    if (!n)
        return;
    // The macro moves to the end of the list, from where the key must reach it.
    if (!MovedMacroAssignable(macros_)) {
        showMacroRefusal(this, context_, MacroOk::NotAssignable);
        return;
    }
    assigned_ = n;
    accept();
}

} // namespace pad
