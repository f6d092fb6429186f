#include "dialogs/TModeRuleDlg.h"

#include "dialogs/ModeRuleTexts.h"
#include "modes/control/RulesEdit.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace pad {
namespace {

// In the order the rules file names them (app, exe, title).
constexpr RuleField OfferedFields[] = {RuleField::App, RuleField::Exe, RuleField::Title};

// A title longer than this is shown cut (the list is read aloud, too).
constexpr int ShownTitleCharacters = 200;

// "Dota 2 (steam_app_570)"; a window without a title by its id alone.
QString WindowText(const WindowInfo& window) {
    const QString id =
        QString::fromStdString(window.appId.empty() ? window.instance : window.appId);
    QString title = QString::fromStdString(window.title);
    if (title.size() > ShownTitleCharacters)
        title = title.left(ShownTitleCharacters) + u'\u2026';
    if (title.isEmpty())
        return id;
    return id.isEmpty() ? title : title + QStringLiteral(" (") + id + u')';
}

} // namespace

TModeRuleDlg::TModeRuleDlg(const DialogContext& context, ModeServiceLink& link,
                           const UiText& caption, const Rule& rule, QWidget* parent)
    : QDialog(parent), context_(context) {
    setObjectName(QStringLiteral("TModeRuleDlg"));
    setWindowTitle(context_.text(caption));
    setModal(true);
    applyLanguageFont(*this, context_);

    windowList_ = new QListWidget(this);
    windowList_->setObjectName(QStringLiteral("WindowList"));
    // A long title is shortened in its middle to the list's width, which it never widens.
    windowList_->setTextElideMode(Qt::ElideMiddle);
    windowList_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    windowList_->setResizeMode(QListView::Adjust);
    windowsNote_ = new QLabel(context_.text(SearchingWindowsText), this);
    windowsNote_->setWordWrap(true);
    field_ = new QComboBox(this);
    field_->setObjectName(QStringLiteral("FieldBox"));
    for (const RuleField field : OfferedFields) {
        field_->addItem(FieldText(context_, field));
        if (field == rule.field)
            field_->setCurrentIndex(field_->count() - 1);
    }
    pattern_ = new QLineEdit(QString::fromStdString(rule.pattern), this);
    pattern_->setObjectName(QStringLiteral("PatternEdit"));
    auto* hint = new QLabel(context_.text(PatternHint), this);
    hint->setWordWrap(true);
    pattern_->setAccessibleDescription(hint->text());
    mode_ = new QComboBox(this);
    mode_->setObjectName(QStringLiteral("RuleModeBox"));
    FillModeChoices(*mode_, context_, rule.mode);

    QDialogButtonBox* buttons = AddOkCancel(*this, context_);
    ok_ = buttons->button(QDialogButtonBox::Ok);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(AddLabel(*this, context_, OpenWindowsLabel, *windowList_));
    layout->addWidget(windowList_, 1);
    layout->addWidget(windowsNote_);
    auto* form = new QFormLayout;
    form->addRow(AddLabel(*this, context_, MatchOnLabel, *field_), field_);
    form->addRow(AddLabel(*this, context_, PatternLabel, *pattern_), pattern_);
    form->addRow(nullptr, hint);
    form->addRow(AddLabel(*this, context_, RuleModeLabel, *mode_), mode_);
    layout->addLayout(form);
    layout->addWidget(buttons);
    resize(520, 420);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    // Only a window the user chooses: the list makes its first window current, unchosen,
    // when it gets the focus.
    connect(windowList_, &QListWidget::itemSelectionChanged, this, &TModeRuleDlg::TakeWindow);
    connect(field_, &QComboBox::currentIndexChanged, this, &TModeRuleDlg::TakeWindow);
    connect(pattern_, &QLineEdit::textChanged, this, &TModeRuleDlg::UpdateOk);
    UpdateOk();

    QPointer<TModeRuleDlg> self(this);
    link.requestOpenWindows([self](const OpenWindows& open) {
        if (self)
            self->ShowWindows(open);
    });
}

Rule TModeRuleDlg::rule() const {
    return {OfferedFields[std::max(field_->currentIndex(), 0)], pattern_->text().toStdString(),
            ChosenMode(*mode_)};
}

void TModeRuleDlg::ShowWindows(const OpenWindows& open) {
    windows_ = open.windows;
    const QSignalBlocker quiet(windowList_); // listing them chooses none
    windowList_->clear();
    for (const WindowInfo& window : windows_)
        windowList_->addItem(WindowText(window));
    // Items as wide as the list, whatever their text, so that their text is elided.
    const int rowHeight = windowList_->count() > 0 ? windowList_->sizeHintForRow(0) : 0;
    for (int row = 0; row < windowList_->count(); ++row)
        windowList_->item(row)->setSizeHint(QSize(1, rowHeight));
    // No window is current either, so that the first Down chooses the first one.
    windowList_->setCurrentIndex(QModelIndex());
    windowsNote_->setVisible(!open.failure.empty());
    windowsNote_->setText(context_.text(NoWindowsText).arg(QString::fromStdString(open.failure)));
}

void TModeRuleDlg::TakeWindow() {
    const QList<QListWidgetItem*> chosen = windowList_->selectedItems();
    const int row = chosen.isEmpty() ? -1 : windowList_->row(chosen.front());
    if (row < 0 || std::size_t(row) >= windows_.size())
        return;
    const std::string pattern = PatternForWindow(rule().field, windows_[std::size_t(row)]);
    if (!pattern.empty())
        pattern_->setText(QString::fromStdString(pattern));
}

void TModeRuleDlg::UpdateOk() {
    ok_->setEnabled(!pattern_->text().isEmpty());
}

} // namespace pad
