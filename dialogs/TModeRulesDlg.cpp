#include "dialogs/TModeRulesDlg.h"

#include "dialogs/DialogTexts.h"
#include "dialogs/ModeRuleTexts.h"
#include "dialogs/TModeRuleDlg.h"
#include "modes/ServiceText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace pad {
namespace {

// How often the dialog looks whether the service runs: it may start or end by itself.
constexpr int ServiceWatchMs = 1000;

QString Text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

QString PathText(const std::filesystem::path& path) {
    return QFile::decodeName(path.c_str());
}

QPushButton* AddButton(QWidget* parent, const DialogHost& host, const UiText& text) {
    return new QPushButton(RunTimeText(host, text), parent);
}

} // namespace

TModeRulesDlg::TModeRulesDlg(DialogHost& host, const QString& programFolder,
                             const std::filesystem::path& rulesPath, QWidget* parent)
    : QDialog(parent), host_(host), rulesFile_(rulesPath), control_(programFolder) {
    setObjectName(QStringLiteral("TModeRulesDlg"));
    setWindowTitle(RunTimeText(host_, ModeRulesCaption));
    setModal(true);
    ApplyLanguageFont(*this, host_);
    BuildControls();
    ShowRules(0);

    connect(&serviceWatch_, &QTimer::timeout, this, &TModeRulesDlg::ShowServiceState);
    serviceWatch_.start(ServiceWatchMs);
    ShowServiceState();
    ProbeService();
    link_.requestStatus([this](const FocusStatus& status) { ShowFocusStatus(status); });
}

void TModeRulesDlg::BuildControls() {
    // Made in the order Tab visits them.
    rules_ = new QTreeWidget(this);
    rules_->setObjectName(QStringLiteral("RuleList"));
    rules_->setRootIsDecorated(false);
    rules_->setUniformRowHeights(true);
    rules_->setAllColumnsShowFocus(true);
    rules_->setHeaderLabels({RunTimeText(host_, MatchOnColumn), RunTimeText(host_, PatternColumn),
                             RunTimeText(host_, ModeColumn)});
    rules_->header()->setStretchLastSection(false);
    rules_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    rules_->header()->setSectionResizeMode(1, QHeaderView::Stretch);
    rules_->header()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    addButton_ = AddButton(this, host_, AddRuleButton);
    editButton_ = AddButton(this, host_, EditRuleButton);
    removeButton_ = AddButton(this, host_, RemoveRuleButton);
    upButton_ = AddButton(this, host_, RuleUpButton);
    downButton_ = AddButton(this, host_, RuleDownButton);
    fileNote_ = new QLabel(this);
    fileNote_->setWordWrap(true);
    defaultMode_ = new QComboBox(this);
    defaultMode_->setObjectName(QStringLiteral("DefaultModeBox"));
    FillModeChoices(*defaultMode_, host_, rulesFile_.document().defaultMode());
    switch_ = new QCheckBox(RunTimeText(host_, SwitchAutomaticallyText), this);
    switch_->setObjectName(QStringLiteral("SwitchBox"));
    switch_->setEnabled(false); // until the service's setup is known
    running_ = new QLabel(this);
    running_->setObjectName(QStringLiteral("RunningLabel"));
    status_ = new QLabel(RunTimeText(host_, ProbingServiceText), this);
    status_->setObjectName(QStringLiteral("StatusLabel"));
    status_->setWordWrap(true);
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QDialogButtonBox* buttons = AddOkCancel(*this, host_);
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
    defaultRow->addWidget(AddLabel(*this, host_, DefaultModeLabel, *defaultMode_));
    defaultRow->addWidget(defaultMode_);
    defaultRow->addStretch(1);
    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(AddLabel(*this, host_, RulesListLabel, *rules_));
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
        fileNote_->setText(RunTimeText(host_, UnusableRulesWarning)
                               .arg(PathText(rulesFile_.path()), Text(*failure)));
        for (QWidget* control : std::initializer_list<QWidget*>{rules_, defaultMode_})
            control->setEnabled(false);
    } else if (const auto errors = rulesFile_.document().errors(); !errors.empty()) {
        QStringList lines;
        for (const RuleError& error : errors)
            if (lines.size() < int(MaxToldRuleErrors))
                lines << QString::number(error.line);
        if (errors.size() > MaxToldRuleErrors)
            lines << QStringLiteral("\u2026");
        fileNote_->setText(
            RunTimeText(host_, SkippedLinesNote).arg(lines.join(QStringLiteral(", "))));
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
        new QTreeWidgetItem(rules_, {FieldText(host_, rule.field), Text(rule.pattern),
                                     ModeChoiceText(host_, rule.mode)});
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
    TModeRuleDlg dialog(host_, link_, caption, rule, this);
    while (dialog.exec() == QDialog::Accepted) {
        const auto problem = put(dialog.rule());
        if (!problem)
            return true;
        host_.ui().inform(this, RunTimeText(host_, BadPatternWarning).arg(Text(*problem)),
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
                !host_.ui().askYesNo(
                    this,
                    RunTimeText(host_, ChangedElsewhereQuestion).arg(PathText(rulesFile_.path())),
                    windowTitle(), UiServices::Answer::No))
                return;
            if (const auto failure = rulesFile_.save()) {
                host_.ui().inform(this,
                                  RunTimeText(host_, RulesNotSavedWarning).arg(Text(*failure)),
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
    return (setup_ && SwitchedOn(*setup_)) || ModeServiceLink::ServiceRuns();
}

void TModeRulesDlg::SwitchAndClose(bool on) {
    switching_ = true;
    setEnabled(false);
    control_.switchService(on, *setup_, [this](const std::optional<std::string>& failure) {
        switching_ = false;
        setEnabled(true);
        if (failure)
            host_.ui().inform(this, RunTimeText(host_, SwitchFailedWarning).arg(Text(*failure)),
                              WarningCaption());
        QDialog::done(QDialog::Accepted);
    });
}

void TModeRulesDlg::ShowServiceState() {
    const bool runs = ModeServiceLink::ServiceRuns();
    const QString text = RunTimeText(host_, runs ? ServiceRunsText : ServiceStoppedText);
    if (running_->text() != text)
        running_->setText(text);
    // Until the user sets it, the switch follows the service, which may start or end
    // by itself.
    if (setup_ && !chosen_)
        switch_->setChecked(ServiceOn());
    // Read with the switch, which is where the keyboard meets these lines.
    switch_->setAccessibleDescription(running_->text() + u' ' + status_->text());
}

void TModeRulesDlg::ShowFocusStatus(const FocusStatus& status) {
    QString hint = Text(status.hint);
    while (hint.endsWith(u'.'))
        hint.chop(1);
    status_->setText(status.follows
                         ? RunTimeText(host_, FollowsStatus).arg(Text(status.desktop))
                         : RunTimeText(host_, CannotFollowStatus).arg(Text(status.desktop), hint));
    ShowServiceState();
}

QString TModeRulesDlg::WarningCaption() const {
    return RunTimeText(host_, WarningCaptionText);
}

} // namespace pad
