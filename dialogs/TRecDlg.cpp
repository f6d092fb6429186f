#include "dialogs/TRecDlg.h"

#include "dialogs/RecButton.h"
#include "dialogs/ScreenCentre.h"
#include "dialogs/TextLimit.h"
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

TRecDlg::TRecDlg(const DialogContext& context, KeyCapture& capture, EditorPort& port,
                 QWidget* parent)
    : QDialog(parent), context_(context), capture_(capture), port_(port) {
    setObjectName(QStringLiteral("TRecDlg"));
    setWindowTitle(context_.text(MacroEditorCaption));
    setAccessibleDescription(context_.text(RecordingDescription));
    setModal(true);
    setFixedSize(370, 330);

    name_ = new QLineEdit(this);
    name_->setObjectName(QStringLiteral("TED_RecKeyDes"));
    name_->setAccessibleName(context_.text(MacroNameName));
    LimitToLabelLength(*name_);
    name_->setGeometry(8, 8, 354, 24);

    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("TntListBox1"));
    list_->setAccessibleName(context_.text(RecordedKeysName));
    list_->setGeometry(8, 40, 236, 204);

    recGroup_ = new QGroupBox(this);
    recGroup_->setObjectName(QStringLiteral("RecGrp"));
    recGroup_->setFocusPolicy(Qt::ClickFocus); // given the focus, never reached by Tab
    recGroup_->setGeometry(252, 36, 110, 80);
    rec_ = makeButton<RecButton>(recGroup_, "TntBitBtn37", context_.text(RecText), 14);
    rec_->setAccessibleDescription(accessibleDescription());
    ok_ = makeButton(recGroup_, "TntBitBtn38", context_.text(OkText), 46);
    // Enter anywhere but on another button accepts, as in every dialog.
    ok_->setDefault(true);

    editGroup_ = new QGroupBox(this);
    editGroup_->setObjectName(QStringLiteral("EdtGrp"));
    editGroup_->setGeometry(252, 118, 110, 128);
    up_ = makeButton(editGroup_, "TntBitBtn1", context_.text(UpText), 8);
    down_ = makeButton(editGroup_, "TntBitBtn2", context_.text(DownText), 38);
    delete_ = makeButton(editGroup_, "TntBitBtn3", context_.text(DeleteEventText), 68);
    insert_ = makeButton(editGroup_, "TntBitBtn4", context_.text(InsertText), 98);

    once_ = makeRadio(this, "TntRadioButton1", context_.text(PlayOnceText), 252);
    whileHeld_ = makeRadio(this, "TntRadioButton2", context_.text(RepeatWhileHeldText), 276);
    untilAgain_ =
        makeRadio(this, "TntRadioButton3", context_.text(RepeatUntilPressedAgainText), 300);
    once_->setChecked(true);
    applyLanguageFont(*this, context_);

    connect(rec_, &QPushButton::clicked, this, &TRecDlg::RecClick);
    connect(ok_, &QPushButton::clicked, this, &TRecDlg::OkClick);
    connect(up_, &QPushButton::clicked, this, &TRecDlg::UpClick);
    connect(down_, &QPushButton::clicked, this, &TRecDlg::DownClick);
    connect(delete_, &QPushButton::clicked, this, &TRecDlg::DeleteClick);
    connect(insert_, &QPushButton::clicked, this, &TRecDlg::InsertClick);
}

bool TRecDlg::run(const EditorRequest& request) {
    prepare(request);
    return exec() == QDialog::Accepted;
}

void TRecDlg::HandleKeystroke(const Keystroke& stroke) {
    const KeystrokeInfo key = DecodeKeystroke(stroke, capture_.layout());
    if (recorder_.Record(key, working_, Words()))
        ShowLines();
}

void TRecDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    CentreOnScreen(*this);
    list_->setEnabled(true);
    name_->clear();
    name_->setFocus();
    name_->selectAll();
    if (request_.purpose == PurposeEditMacro) {
        ShowStoredMacro();
        return;
    }
    recorder_.ClearLines();
    ShowLines();
    working_.events.fill(0);
}

void TRecDlg::ShowStoredMacro() {
    working_ = request_.macro.action;
    name_->setText(FromU16(request_.macro.name));
    recorder_.SetLines(NameStoredEvents(working_, Words(), capture_.layout()));
    ShowLines();
    SelectPlayMode(working_.playMode);
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
    words.press = u"  " + context_.texts.text(PressText);
    words.release = u"  " + context_.texts.text(ReleaseText);
    return words;
}

void TRecDlg::SetRecCaption() {
    rec_->setText(context_.text(capture_.Installed() ? StopText : RecText));
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
    recordingTouched_ = true;
    if (capture_.Installed()) {
        list_->setEnabled(true);
        capture_.Stop();
        editGroup_->show();
    } else {
        list_->setEnabled(false);
        capture_.Start(this, rec_, [this](const Keystroke& stroke) { HandleKeystroke(stroke); });
        recorder_.StartRecording(working_, capture_.keysDownAtStart());
        ShowLines();
        editGroup_->hide();
        recGroup_->setFocus();
    }
    SetRecCaption();
}

void TRecDlg::UpClick() {
    if (const auto s = SelectedLine())
        if (const auto to = recorder_.MoveUp(*s, working_))
            ShowLines(to);
}

void TRecDlg::DownClick() {
    if (const auto s = SelectedLine())
        if (const auto to = recorder_.MoveDown(*s, working_))
            ShowLines(to);
}

void TRecDlg::DeleteClick() {
    if (const auto s = SelectedLine())
        if (recorder_.Delete(*s, working_))
            ShowLines();
}

void TRecDlg::InsertClick() {
    if (recorder_.Lines().empty())
        return;
    const auto s = SelectedLine();
    const auto captured = port_.captureKeyToInsert();
    if (!captured)
        return;
    const auto result = recorder_.Insert(s, captured->pressCode, captured->releaseCode,
                                         captured->keyName, working_, Words());
    if (result == InsertResult::TooManyEvents) {
        showNoRoomToInsert(context_);
        return;
    }
    if (result == InsertResult::Inserted)
        ShowLines(*s);
}

void TRecDlg::OkClick() {
    list_->setEnabled(true);
    capture_.Stop();
    editGroup_->show();
    SetRecCaption();
    if (name_->text().isEmpty()) {
        name_->setFocus();
        return;
    }
    KeyAction action = working_;
    action.playMode = ChosenPlayMode();
    const MacroOk result =
        port_.storeMacro(request_, {ToU16(name_->text()), action, recordingTouched_});
    // A key's macro keeps the recording for another OK after a refusal that wrote nothing.
    if (request_.purpose != PurposeKeyMacro || result == MacroOk::Done ||
        result == MacroOk::DuplicateName)
        recordingTouched_ = false;
    if (result == MacroOk::Done)
        accept();
    else
        showMacroRefusal(this, context_, result);
}

void TRecDlg::done(int result) {
    list_->setEnabled(true);
    capture_.Stop();
    editGroup_->show();
    recordingTouched_ = false;
    SetRecCaption();
    QDialog::done(result);
}

} // namespace pad
