#include "dialogs/TMacroMngDlg.h"

#include "dialogs/DialogTexts.h"
#include "dialogs/MacroListModel.h"
#include "dialogs/ScreenCentre.h"
#include "dialogs/TRecDlg.h"
#include "editing/MacroOps.h"

#include <QListView>
#include <QPushButton>
#include <QShowEvent>

namespace pad {

TMacroMngDlg::TMacroMngDlg(Workspace& ws, DialogHost& host, TRecDlg& editor, QWidget* parent)
    : QDialog(parent, Qt::Tool), ws_(ws), host_(host), editor_(editor) {
    setObjectName(QStringLiteral("TMacroMngDlg"));
    setWindowTitle(BuiltIn(MacroManagerCaption));
    setModal(true);
    setFixedSize(325, 280);

    model_ = new MacroListModel(ws_.profile.macros(), this);
    list_ = new QListView(this);
    list_->setObjectName(QStringLiteral("TntListBox1"));
    list_->setAccessibleName(RunTimeText(host_, MacrosName));
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
    edit_ = button("TntBitBtn2", BuiltIn(EditText), 8);
    delete_ = button("TntBitBtn3", BuiltIn(DeleteMacroText), 40);
    newMacro_ = button("TntBitBtn4", BuiltIn(NewMacroText), 72);
    assign_ = button("TntBitBtn5", BuiltIn(AssignText), 104);
    close_ = button("TntBitBtn1", BuiltIn(CloseText), 246);
    assign_->hide();

    if (ApplyLanguageFont(*this, host_)) {
        ApplyWindowTitle(*this, host_, MacroManagerCaption);
        ApplyButtonText(*edit_, host_, EditText);
        ApplyButtonText(*delete_, host_, DeleteMacroText);
        ApplyButtonText(*newMacro_, host_, KeyNewMacroText);
        ApplyButtonText(*assign_, host_, AssignText);
        ApplyButtonText(*close_, host_, CloseText);
    }

    connect(edit_, &QPushButton::clicked, this, &TMacroMngDlg::EditSelected);
    connect(delete_, &QPushButton::clicked, this, &TMacroMngDlg::DeleteClick);
    connect(newMacro_, &QPushButton::clicked, this, &TMacroMngDlg::NewMacroClick);
    connect(assign_, &QPushButton::clicked, this, &TMacroMngDlg::AssignClick);
    connect(close_, &QPushButton::clicked, this, &QDialog::accept);
}

void TMacroMngDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    CentreOnScreen(*this);
    assign_->setVisible(ws_.requests.assignRequested == 1);
    ws_.requests.assignRequested = 0;
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
    if (row < 0 || std::size_t(row) >= ws_.profile.macros().count())
        return std::nullopt;
    return std::size_t(row);
}

void TMacroMngDlg::SelectMacro(std::size_t n) {
    RefreshList();
    const QModelIndex index = model_->index(int(n), 0);
    if (index.isValid())
        list_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
}

std::u16string TMacroMngDlg::DisappearLabel() const {
    return ToU16(RunTimeText(host_, MacroDisappearText));
}

void TMacroMngDlg::EditSelected() {
    if (!SelectedMacro())
        return;
    ws_.requests.editorPurpose = PurposeEditMacro;
    editor_.exec();
}

void TMacroMngDlg::NewMacroClick() {
    ws_.requests.editorPurpose = PurposeNewFromManager;
    editor_.exec();
    RefreshList();
}

void TMacroMngDlg::DeleteClick() {
    const auto n = SelectedMacro();
    DeleteFromManager(ws_, host_, n, DisappearLabel());
    if (n)
        RefreshList();
}

void TMacroMngDlg::AssignMacroToCurrentKeyAndRefresh(std::size_t m) {
    SelectMacro(m);
    AssignMacroToCurrentKey(ws_, host_, m);
}

void TMacroMngDlg::AssignClick() {
    const auto outcome = AssignFromManager(ws_, host_, host_, SelectedMacro());
    if (!outcome)
        return;
    if (outcome->result == MacroOk::NotAssignable) {
        ShowMacroNotAssignable(this, host_);
        return;
    }
    editor_.SelectPlayMode(ws_.requests.workingMacro.action.playMode);
    SelectMacro(*outcome->macro);
    accept();
}

} // namespace pad
