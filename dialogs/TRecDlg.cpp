#include "dialogs/TRecDlg.h"

#include "dialogs/DialogTexts.h"
#include "dialogs/RecButton.h"
#include "dialogs/ScreenCentre.h"
#include "dialogs/TMacroMngDlg.h"
#include "dialogs/TRecSingleDlg.h"
#include "dialogs/TextLimit.h"
#include "editing/MacroOps.h"
#include "keyboard/capture/Keystroke.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>

namespace pad {
namespace {

template <class Button = QPushButton>
Button* makeButton(QWidget* parent, const char* name, const QString& text, int y) {
    auto* b = new Button(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setGeometry(10, y, 90, 26);
    return b;
}

QRadioButton* makeRadio(QWidget* parent, const char* name, const QString& text, int y) {
    auto* r = new QRadioButton(text, parent);
    r->setObjectName(QLatin1String(name));
    r->setGeometry(4, y, 365, 22);
    return r;
}

} // namespace

TRecDlg::TRecDlg(Workspace& ws, DialogHost& host, QWidget* parent)
    : QDialog(parent), ws_(ws), host_(host), capture_(host.ui()) {
    setObjectName(QStringLiteral("TRecDlg"));
    setWindowTitle(BuiltIn(MacroEditorCaption));
    setAccessibleDescription(RunTimeText(host_, RecordingDescription));
    setModal(true);
    setFixedSize(370, 330);

    name_ = new QLineEdit(this);
    name_->setObjectName(QStringLiteral("TED_RecKeyDes"));
    name_->setAccessibleName(RunTimeText(host_, MacroNameName));
    LimitToLabelLength(*name_);
    name_->setGeometry(8, 8, 354, 24);

    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("TntListBox1"));
    list_->setAccessibleName(RunTimeText(host_, RecordedKeysName));
    list_->setGeometry(8, 40, 236, 204);

    recGroup_ = new QGroupBox(this);
    recGroup_->setObjectName(QStringLiteral("RecGrp"));
    recGroup_->setFocusPolicy(Qt::ClickFocus); // given the focus, never reached by Tab
    recGroup_->setGeometry(252, 36, 110, 80);
    rec_ = makeButton<RecButton>(recGroup_, "TntBitBtn37", BuiltIn(RecText), 14);
    rec_->setAccessibleDescription(accessibleDescription());
    ok_ = makeButton(recGroup_, "TntBitBtn38", BuiltIn(OkText), 46);
    // Enter anywhere but on another button accepts, as in every dialog.
    ok_->setDefault(true);

    editGroup_ = new QGroupBox(this);
    editGroup_->setObjectName(QStringLiteral("EdtGrp"));
    editGroup_->setGeometry(252, 118, 110, 128);
    up_ = makeButton(editGroup_, "TntBitBtn1", BuiltIn(UpText), 8);
    down_ = makeButton(editGroup_, "TntBitBtn2", BuiltIn(DownText), 38);
    delete_ = makeButton(editGroup_, "TntBitBtn3", BuiltIn(DeleteEventText), 68);
    insert_ = makeButton(editGroup_, "TntBitBtn4", BuiltIn(InsertText), 98);

    once_ = makeRadio(this, "TntRadioButton1", BuiltIn(PlayOnceText), 252);
    whileHeld_ = makeRadio(this, "TntRadioButton2", BuiltIn(RepeatWhileHeldText), 276);
    untilAgain_ = makeRadio(this, "TntRadioButton3", BuiltIn(RepeatUntilPressedAgainText), 300);
    once_->setChecked(true);

    if (ApplyLanguageFont(*this, host_)) {
        ApplyWindowTitle(*this, host_, MacroEditorCaption);
        ApplyButtonText(*rec_, host_, RecText);
        ApplyButtonText(*ok_, host_, OkText);
        ApplyButtonText(*up_, host_, UpText);
        ApplyButtonText(*down_, host_, DownText);
        ApplyButtonText(*delete_, host_, DeleteEventText);
        ApplyButtonText(*insert_, host_, InsertText);
        ApplyButtonText(*once_, host_, PlayOnceText);
        ApplyButtonText(*whileHeld_, host_, RepeatWhileHeldText);
        ApplyButtonText(*untilAgain_, host_, RepeatUntilPressedAgainText);
    }

    connect(rec_, &QPushButton::clicked, this, &TRecDlg::RecClick);
    connect(ok_, &QPushButton::clicked, this, &TRecDlg::OkClick);
    connect(up_, &QPushButton::clicked, this, &TRecDlg::UpClick);
    connect(down_, &QPushButton::clicked, this, &TRecDlg::DownClick);
    connect(delete_, &QPushButton::clicked, this, &TRecDlg::DeleteClick);
    connect(insert_, &QPushButton::clicked, this, &TRecDlg::InsertClick);
}

void TRecDlg::SetPeers(TRecSingleDlg* singleKey, TMacroMngDlg* manager) {
    singleKey_ = singleKey;
    manager_ = manager;
}

bool TRecDlg::StartKeyCapture(QWidget* grabWidget, QAbstractButton* stopButton) {
    return capture_.Start(grabWidget, stopButton,
                          [this](const Keystroke& stroke) { HandleKeystroke(stroke); });
}

void TRecDlg::StopKeyCapture() {
    capture_.Stop();
}

void TRecDlg::HandleKeystroke(const Keystroke& stroke) {
    const KeystrokeInfo key = DecodeKeystroke(stroke, capture_.Layout());
    if (key.usage == 0)
        return;
    const CaptureTarget target = ws_.requests.captureTarget;
    if (target == TargetSingleKey || target == TargetInsertKey) {
        if (singleKey_)
            singleKey_->ApplySingleKeyRules(key);
        return;
    }
    if (recorder_.Record(key, ws_.requests.workingMacro.action, Words()))
        ShowLines();
}

void TRecDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    CentreOnScreen(*this);
    list_->setEnabled(true);
    ws_.requests.editorAccepted = false;
    name_->clear();
    name_->setFocus();
    name_->selectAll();
    if (ws_.requests.editorPurpose == PurposeEditMacro) {
        ShowStoredMacro();
        return;
    }
    recorder_.ClearLines();
    ShowLines();
    ws_.requests.workingMacro.action.events.fill(0);
}

void TRecDlg::ShowStoredMacro() {
    const auto n = manager_ ? manager_->SelectedMacro() : std::nullopt;
    if (!n)
        return;
    const MacroRecord& macro = ws_.profile.macros().macroAt(*n);
    WorkingMacro& wm = ws_.requests.workingMacro;
    wm.name = macro.name;
    wm.action = macro.action;
    name_->setText(FromU16(wm.name));
    recorder_.SetLines(NameStoredEvents(wm.action, Words(), capture_.Layout()));
    ShowLines();
    SelectPlayMode(wm.action.playMode);
}

void TRecDlg::SelectPlayMode(std::uint8_t mode) {
    if (mode == PlayOnce)
        once_->setChecked(true);
    else if (mode == RepeatWhileHeld)
        whileHeld_->setChecked(true);
    else if (mode == RepeatUntilPressedAgain)
        untilAgain_->setChecked(true);
}

std::uint8_t TRecDlg::ChosenPlayMode() const {
    if (whileHeld_->isChecked())
        return RepeatWhileHeld;
    if (untilAgain_->isChecked())
        return RepeatUntilPressedAgain;
    return PlayOnce;
}

EventWords TRecDlg::Words() const {
    EventWords words;
    words.press = u"  " + ToU16(RunTimeText(host_, PressText));
    words.release = u"  " + ToU16(RunTimeText(host_, ReleaseText));
    return words;
}

void TRecDlg::SetRecCaption() {
    rec_->setText(capture_.Installed() ? RunTimeText(host_, StopText)
                                       : RunTimeText(host_, RecText));
}

void TRecDlg::ShowLines(std::optional<int> select) {
    list_->clear();
    for (const auto& line : recorder_.Lines())
        list_->addItem(FromU16(line));
    if (select)
        list_->setCurrentRow(*select);
}

std::optional<int> TRecDlg::SelectedLine() const {
    const auto items = list_->selectedItems();
    if (items.isEmpty())
        return std::nullopt;
    return list_->row(items.first());
}

void TRecDlg::RecClick() {
    ws_.requests.captureTarget = TargetMacro;
    recordingTouched_ = true;
    if (capture_.Installed()) {
        list_->setEnabled(true);
        StopKeyCapture();
        editGroup_->show();
    } else {
        list_->setEnabled(false);
        StartKeyCapture(this, rec_);
        recorder_.StartRecording(ws_.requests.workingMacro.action, capture_.KeysDownAtStart());
        ShowLines();
        editGroup_->hide();
        recGroup_->setFocus();
    }
    SetRecCaption();
}

void TRecDlg::UpClick() {
    if (const auto s = SelectedLine())
        if (const auto to = recorder_.MoveUp(*s, ws_.requests.workingMacro.action))
            ShowLines(to);
}

void TRecDlg::DownClick() {
    if (const auto s = SelectedLine())
        if (const auto to = recorder_.MoveDown(*s, ws_.requests.workingMacro.action))
            ShowLines(to);
}

void TRecDlg::DeleteClick() {
    if (const auto s = SelectedLine())
        if (recorder_.Delete(*s, ws_.requests.workingMacro.action))
            ShowLines();
}

void TRecDlg::InsertClick() {
    if (recorder_.Lines().empty() || !singleKey_)
        return;
    const auto s = SelectedLine();
    ws_.requests.captureTarget = TargetInsertKey;
    singleKey_->exec();
    if (ws_.requests.captureTarget != TargetAccepted) {
        ws_.requests.captureTarget = TargetMacro;
        return;
    }
    const CapturedKey& captured = singleKey_->Captured();
    const auto result =
        recorder_.Insert(s, captured.pressCode, captured.releaseCode,
                         captured.lastKeystroke.keyName, ws_.requests.workingMacro.action, Words());
    if (result == InsertResult::TooManyEvents) {
        ShowNoRoomToInsert(host_);
        return;
    }
    if (result == InsertResult::Inserted)
        ShowLines(*s);
}

void TRecDlg::OkClick() {
    list_->setEnabled(true);
    StopKeyCapture();
    editGroup_->show();
    SetRecCaption();
    if (name_->text().isEmpty()) {
        name_->setFocus();
        return;
    }
    switch (ws_.requests.editorPurpose) {
    case PurposeKeyMacro:
        AcceptKeyMacro();
        break;
    case PurposeNewMacro:
    case PurposeNewFromManager:
        AcceptNewMacro();
        break;
    case PurposeEditMacro:
        AcceptEditedMacro();
        break;
    }
}

void TRecDlg::AcceptKeyMacro() {
    const Selection& sel = ws_.selection;
    // Without a new recording the key keeps its events.
    KeyAction action = ws_.profile.slot(sel.currentMode, sel.currentKey).action;
    if (recordingTouched_)
        action.events = ws_.requests.workingMacro.action.events;
    action.playMode = ChosenPlayMode();
    const MacroOk result = OkKeyMacro(ws_, host_, host_, ToU16(name_->text()), action);
    if (result == MacroOk::Done || result == MacroOk::DuplicateName)
        recordingTouched_ = false;
    ShowOutcome(result);
}

void TRecDlg::AcceptNewMacro() {
    recordingTouched_ = false;
    ShowOutcome(OkNewMacro(ws_, host_, ToU16(name_->text()), ChosenPlayMode()));
}

void TRecDlg::AcceptEditedMacro() {
    recordingTouched_ = false;
    const auto n = manager_ ? manager_->SelectedMacro() : std::nullopt;
    const MacroOkOutcome outcome =
        OkEditMacro(ws_, host_, n, ToU16(name_->text()), ChosenPlayMode());
    if (outcome.macro)
        manager_->SelectMacro(*outcome.macro);
    ShowOutcome(outcome.result);
}

void TRecDlg::ShowOutcome(MacroOk result) {
    switch (result) {
    case MacroOk::Done:
        accept();
        break;
    case MacroOk::DuplicateName:
        ShowDuplicateMacroName(this, host_);
        break;
    case MacroOk::ListFull:
        ShowMacroListFull(this, host_);
        break;
    case MacroOk::NotAssignable:
        ShowMacroNotAssignable(this, host_);
        break;
    }
}

void TRecDlg::done(int result) {
    list_->setEnabled(true);
    StopKeyCapture();
    editGroup_->show();
    recordingTouched_ = false;
    SetRecCaption();
    host_.MarkModified();
    QDialog::done(result);
}

} // namespace pad
