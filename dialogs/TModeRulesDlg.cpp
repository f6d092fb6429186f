#include "dialogs/TModeRulesDlg.h"

#include "dialogs/ModeRuleTexts.h"
#include "dialogs/TModeRuleDlg.h"
#include "modes/ServiceText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace pad {
namespace {

// The path as the system writes it, from its UTF-8 form on every platform.
QString PathText(const std::filesystem::path& path) {
    const std::u8string utf8 = path.u8string();
    return QDir::toNativeSeparators(
        QString::fromUtf8(reinterpret_cast<const char*>(utf8.data()), qsizetype(utf8.size())));
}

QPushButton* AddButton(QWidget* parent, const DialogContext& context, const UiText& text) {
    return new QPushButton(context.text(text), parent);
}

} // namespace

TModeRulesDlg::TModeRulesDlg(const DialogContext& context, ModeServiceLink& link,
                             const QString& programFolder, const std::filesystem::path& rulesPath,
                             QWidget* parent)
    : QDialog(parent), context_(context), rulesFile_(rulesPath), link_(link),
      control_(programFolder) {
    setObjectName(QStringLiteral("TModeRulesDlg"));
    setWindowTitle(context_.text(ModeRulesCaption));
    setModal(true);
    applyLanguageFont(*this, context_);
    BuildControls();
    ShowRules(0);

    // The service may start or end by itself; its status is asked again then.
    connect(&link_, &ModeServiceLink::serviceRunsChanged, this, &TModeRulesDlg::AskStatus);
    ShowServiceState();
    ProbeService();
    AskStatus();
}

void TModeRulesDlg::BuildControls() {
    // Made in the order Tab visits them.
    rules_ = new QTreeWidget(this);
    rules_->setObjectName(QStringLiteral("RuleList"));
    rules_->setRootIsDecorated(false);
    rules_->setUniformRowHeights(true);
    rules_->setAllColumnsShowFocus(true);
    rules_->setHeaderLabels(
        {context_.text(MatchOnColumn), context_.text(PatternColumn), context_.text(ModeColumn)});
    rules_->header()->setStretchLastSection(false);
    rules_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    rules_->header()->setSectionResizeMode(1, QHeaderView::Stretch);
    rules_->header()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    addButton_ = AddButton(this, context_, AddRuleButton);
    editButton_ = AddButton(this, context_, EditRuleButton);
    removeButton_ = AddButton(this, context_, RemoveRuleButton);
    upButton_ = AddButton(this, context_, RuleUpButton);
    downButton_ = AddButton(this, context_, RuleDownButton);
    fileNote_ = new QLabel(this);
    fileNote_->setWordWrap(true);
    defaultMode_ = new QComboBox(this);
    defaultMode_->setObjectName(QStringLiteral("DefaultModeBox"));
    FillModeChoices(*defaultMode_, context_, rulesFile_.document().defaultMode());
    switch_ = new QCheckBox(context_.text(SwitchAutomaticallyText), this);
    switch_->setObjectName(QStringLiteral("SwitchBox"));
    switch_->setEnabled(false); // until the service's setup is known
    running_ = new QLabel(this);
    running_->setObjectName(QStringLiteral("RunningLabel"));
    status_ = new QLabel(context_.text(ProbingServiceText), this);
    status_->setObjectName(QStringLiteral("StatusLabel"));
    status_->setWordWrap(true);
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QDialogButtonBox* buttons = AddOkCancel(*this, context_);
    for (QPushButton* button : {addButton_, editButton_, removeButton_, upButton_, downButton_})
        button->setAutoDefault(false);

    auto* side = new QVBoxLayout;
    for (QPushButton* button : {addButton_, editButton_, removeButton_})
        side->addWidget(button);
    side->addStretch(1);
    side->addWidget(upButton_);
    side->addWidget(downButton_);
    auto* ruleRow = new QHBoxLayout;
    ruleRow->addWidget(rules_, 1);
    ruleRow->addLayout(side);
    auto* defaultRow = new QHBoxLayout;
    defaultRow->addWidget(AddLabel(*this, context_, DefaultModeLabel, *defaultMode_));
    defaultRow->addWidget(defaultMode_);
    defaultRow->addStretch(1);
    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(AddLabel(*this, context_, RulesListLabel, *rules_));
    layout->addLayout(ruleRow, 1);
    layout->addWidget(fileNote_);
    layout->addLayout(defaultRow);
    layout->addWidget(line);
    layout->addWidget(switch_);
    layout->addWidget(running_);
    layout->addWidget(status_);
    layout->addWidget(buttons);
    resize(600, 460);

    if (const auto& failure = rulesFile_.readFailure()) {
        fileNote_->setText(context_.text(UnusableRulesWarning)
                               .arg(PathText(rulesFile_.path()), QString::fromStdString(*failure)));
        for (QWidget* control : std::initializer_list<QWidget*>{rules_, defaultMode_})
            control->setEnabled(false);
    } else if (const auto errors = rulesFile_.document().errors(); !errors.empty()) {
        QStringList lines;
        for (const RuleError& error : errors)
            if (lines.size() < int(MaxToldRuleErrors))
                lines << QString::number(error.line);
        if (errors.size() > MaxToldRuleErrors)
            lines << QStringLiteral("\u2026");
        fileNote_->setText(context_.text(SkippedLinesNote).arg(lines.join(QStringLiteral(", "))));
    } else {
        fileNote_->hide();
    }

    connect(rules_, &QTreeWidget::currentItemChanged, this, &TModeRulesDlg::UpdateButtons);
    connect(rules_, &QTreeWidget::itemDoubleClicked, this, &TModeRulesDlg::EditClick);
    auto* removeKey =
        new QShortcut(QKeySequence::Delete, rules_, nullptr, nullptr, Qt::WidgetShortcut);
    connect(removeKey, &QShortcut::activated, this, &TModeRulesDlg::RemoveClick);
    connect(addButton_, &QPushButton::clicked, this, &TModeRulesDlg::AddClick);
    connect(editButton_, &QPushButton::clicked, this, &TModeRulesDlg::EditClick);
    connect(removeButton_, &QPushButton::clicked, this, &TModeRulesDlg::RemoveClick);
    connect(upButton_, &QPushButton::clicked, this, [this] { MoveClick(-1); });
    connect(downButton_, &QPushButton::clicked, this, [this] { MoveClick(1); });
    connect(switch_, &QCheckBox::clicked, this, [this](bool on) { chosen_ = on; });
    connect(buttons, &QDialogButtonBox::accepted, this, &TModeRulesDlg::OkClick);
}

void TModeRulesDlg::ShowRules(int current) {
    rules_->clear();
    for (const Rule& rule : rulesFile_.document().rules())
        new QTreeWidgetItem(rules_,
                            {FieldText(context_, rule.field), QString::fromStdString(rule.pattern),
                             ModeChoiceText(context_, rule.mode)});
    if (QTreeWidgetItem* item =
            rules_->topLevelItem(std::min(current, rules_->topLevelItemCount() - 1)))
        rules_->setCurrentItem(item);
    UpdateButtons();
}

void TModeRulesDlg::UpdateButtons() {
    const bool usable = !rulesFile_.readFailure();
    const int row = rules_->currentItem() ? rules_->indexOfTopLevelItem(rules_->currentItem()) : -1;
    const int count = rules_->topLevelItemCount();
    addButton_->setEnabled(usable);
    editButton_->setEnabled(usable && row >= 0);
    removeButton_->setEnabled(usable && row >= 0);
    upButton_->setEnabled(usable && row > 0);
    downButton_->setEnabled(usable && row >= 0 && row + 1 < count);
}

bool TModeRulesDlg::EditRule(const UiText& caption, const Rule& rule, const RulePut& put) {
    TModeRuleDlg dialog(context_, link_, caption, rule, this);
    while (dialog.exec() == QDialog::Accepted) {
        const auto problem = put(dialog.rule());
        if (!problem)
            return true;
        context_.ui.inform(this,
                           context_.text(BadPatternWarning).arg(QString::fromStdString(*problem)),
                           WarningCaption());
    }
    return false;
}

void TModeRulesDlg::AddClick() {
    const std::size_t count = rulesFile_.document().rules().size();
    const Rule fresh{RuleField::App, {}, KeypadMode::A};
    if (EditRule(AddRuleCaption, fresh,
                 [&](const Rule& rule) { return rulesFile_.document().insertRule(count, rule); }))
        ShowRules(int(count));
    rules_->setFocus();
}

void TModeRulesDlg::EditClick() {
    const int row = rules_->indexOfTopLevelItem(rules_->currentItem());
    const auto rules = rulesFile_.document().rules();
    if (row < 0 || std::size_t(row) >= rules.size() || rulesFile_.readFailure())
        return;
    if (EditRule(EditRuleCaption, rules[std::size_t(row)], [&](const Rule& rule) {
            return rulesFile_.document().replaceRule(std::size_t(row), rule);
        }))
        ShowRules(row);
    rules_->setFocus();
}

void TModeRulesDlg::RemoveClick() {
    const int row = rules_->indexOfTopLevelItem(rules_->currentItem());
    if (row < 0 || rulesFile_.readFailure() || !rulesFile_.document().removeRule(std::size_t(row)))
        return;
    ShowRules(row);
}

void TModeRulesDlg::MoveClick(int by) {
    const int row = rules_->indexOfTopLevelItem(rules_->currentItem());
    if (row < 0 || row + by < 0 || rulesFile_.readFailure() ||
        !rulesFile_.document().moveRule(std::size_t(row), std::size_t(row + by)))
        return;
    ShowRules(row + by);
}

void TModeRulesDlg::OkClick() {
    if (switching_)
        return;
    if (!rulesFile_.readFailure()) {
        rulesFile_.setDefaultMode(ChosenMode(*defaultMode_));
        if (rulesFile_.modified()) {
            if (rulesFile_.changedElsewhere() &&
                !context_.ui.askYesNo(
                    this, context_.text(ChangedElsewhereQuestion).arg(PathText(rulesFile_.path())),
                    windowTitle(), UiServices::Answer::No))
                return;
            if (const auto failure = rulesFile_.save()) {
                context_.ui.inform(
                    this, context_.text(RulesNotSavedWarning).arg(QString::fromStdString(*failure)),
                    WarningCaption());
                return;
            }
        }
    }
    if (setup_ && chosen_ && *chosen_ != ServiceOn())
        return SwitchAndClose(*chosen_);
    accept();
}

void TModeRulesDlg::done(int result) {
    if (switching_)
        return; // OK was pressed: the dialog closes once the service is switched
    QDialog::done(result);
}

void TModeRulesDlg::ProbeService() {
    switch_->setEnabled(false);
    control_.probe([this](const ServiceSetup& setup) {
        setup_ = setup;
        switch_->setEnabled(true);
        ShowServiceState();
    });
}

bool TModeRulesDlg::ServiceOn() const {
    return (setup_ && SwitchedOn(*setup_)) || link_.serviceRuns();
}

void TModeRulesDlg::SwitchAndClose(bool on) {
    switching_ = true;
    setEnabled(false);
    control_.switchService(on, *setup_, [this](const std::optional<std::string>& failure) {
        switching_ = false;
        setEnabled(true);
        if (failure)
            context_.ui.inform(
                this, context_.text(SwitchFailedWarning).arg(QString::fromStdString(*failure)),
                WarningCaption());
        QDialog::done(QDialog::Accepted);
    });
}

void TModeRulesDlg::ShowServiceState() {
    const bool runs = link_.serviceRuns();
    const QString text = context_.text(runs ? ServiceRunsText : ServiceStoppedText);
    if (running_->text() != text)
        running_->setText(text);
    // Until the user sets it, the switch follows the service, which may start or end
    // by itself.
    if (setup_ && !chosen_)
        switch_->setChecked(ServiceOn());
    // Read with the switch, which is where the keyboard meets these lines.
    switch_->setAccessibleDescription(running_->text() + u' ' + status_->text());
}

void TModeRulesDlg::AskStatus() {
    QPointer<TModeRulesDlg> self(this);
    link_.requestStatus([self](const FocusStatus& status) {
        if (self)
            self->ShowFocusStatus(status);
    });
    ShowServiceState();
}

void TModeRulesDlg::ShowFocusStatus(const FocusStatus& status) {
    QString hint = QString::fromStdString(status.hint);
    while (hint.endsWith(u'.'))
        hint.chop(1);
    status_->setText(
        status.follows
            ? context_.text(FollowsStatus).arg(QString::fromStdString(status.desktop))
            : context_.text(CannotFollowStatus).arg(QString::fromStdString(status.desktop), hint));
    ShowServiceState();
}

QString TModeRulesDlg::WarningCaption() const {
    return context_.text(WarningCaptionText);
}

} // namespace pad
