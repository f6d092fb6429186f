// The dialogs driven like a user would: buttons clicked, keys sent as key
// events with native scan codes (evdev code + 8) through the capture filter.

#include "dialogs/MacroDialogs.h"
#include "dialogs/TMacroMngDlg.h"
#include "dialogs/TRecDlg.h"
#include "dialogs/TRecSingleDlg.h"
#include "dialogs/TSelMSBtnDlg.h"
#include "editing/MacroOps.h"
#include "tests/support/OnScreenDialogs.h"
#include "tests/support/ScriptedUi.h"
#include "tests/support/TiedMacros.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <map>

using namespace pad;
using pad::testing::okButton;
using pad::testing::onNextModal;
using pad::testing::recButton;

namespace {

constexpr unsigned EvA = 30, EvB = 48, EvC = 46, EvD = 32, EvE = 18, EvF = 33, EvG = 34, EvH = 35,
                   EvI = 23, EvQ = 16, EvLeftCtrl = 29, EvEsc = 1, EvSysRq = 99, EvKpEqual = 117;

// The main window's part of the editing flows, counting what it is asked; its message
// boxes; the texts of its language file.
class FakeHost : public AssignmentView, public MacroListObserver {
  public:
    void RefreshKeyLabels() override { ++refreshKeyLabels; }
    void RefreshSlotCaptions() override { ++refreshSlotCaptions; }
    void UpdateMenuChecks() override {}
    void MarkModified() override { ++markModified; }
    void MacroListChanged() override {
        ++rebuildMacroMenu;
        RefreshKeyLabels();
        MarkModified();
    }

    int refreshKeyLabels = 0, refreshSlotCaptions = 0, rebuildMacroMenu = 0, markModified = 0;
    std::map<int, QString> texts;
    ScriptedUi scriptedUi;
};

// The texts of a language file that holds the given ones.
Texts LanguageTexts(const std::map<int, QString>& texts) {
    if (texts.empty())
        return Texts();
    QString file = QStringLiteral("[LNG]\n");
    for (const auto& [n, words] : texts)
        file += QString::number(n) + u'=' + words + u'\n';
    const QByteArray bytes = file.toUtf8();
    return Texts(LanguageFile::fromBytes(
        std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()), bytes.size())));
}

using test::MacroActionOf;

const QString NotAssignable = QStringLiteral(
    "This macro cannot be assigned to a key: keys can play only the first 65,526 macros of a "
    "profile.");

// What a screen reader announces for w.
QString accessibleName(QWidget* w) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
    return iface ? iface->text(QAccessible::Name) : QString();
}

} // namespace

class DialogsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<FakeHost> host;
    std::unique_ptr<Workspace> ws;
    Texts texts;
    std::unique_ptr<QWidget> window;
    std::unique_ptr<MacroDialogs> dialogs;
    // The dialogs of dialogs, which owns them.
    template <class T> using Borrowed = std::unique_ptr<T, decltype([](T*) {})>;
    Borrowed<TRecDlg> rec;
    Borrowed<TSelMSBtnDlg> mouse;
    Borrowed<TRecSingleDlg> single;
    Borrowed<TMacroMngDlg> manager;

    void create() {
        texts = LanguageTexts(host->texts);
        window = std::make_unique<QWidget>();
        const DialogContext context{host->scriptedUi, texts,
                                    QFont(QStringLiteral("DejaVu Sans"), 9)};
        dialogs = std::make_unique<MacroDialogs>(*ws, *host, *host, context, DesktopKeyboard{},
                                                 window.get());
        rec.reset(&dialogs->editor());
        mouse.reset(&dialogs->mouseButtons());
        single.reset(&dialogs->singleKey());
        manager.reset(&dialogs->manager());
    }

    template <class T> T* child(QWidget* dlg, const char* name) {
        auto* w = dlg->findChild<T*>(QLatin1String(name));
        if (!w)
            qFatal("no control %s", name);
        return w;
    }
    QPushButton* button(QWidget* dlg, const char* name) { return child<QPushButton>(dlg, name); }

    // Clicks b and returns the text of the one message box the click showed.
    QString clickAndReadMessage(QAbstractButton* b) {
        auto& shown = host->scriptedUi.shown;
        const std::size_t before = shown.size();
        b->click();
        return shown.size() == before + 1 ? shown.back().text : QString();
    }

    // One key event as the window system delivers it, through the capture filter.
    void key(QEvent::Type type, unsigned evdev, bool autoRepeat = false,
             Qt::KeyboardModifiers mods = Qt::NoModifier, int qtKey = 0) {
        QWidget* target = QApplication::focusWidget();
        if (!target)
            target =
                QApplication::activeModalWidget() ? QApplication::activeModalWidget() : rec.get();
        QKeyEvent ev(type, qtKey, mods, evdev + 8, 0, 0, QString(), autoRepeat);
        QApplication::sendEvent(target, &ev);
    }
    // Rec, one key, Stop, then the macro's name.
    void recordOneKey(unsigned evdev, const QString& name) {
        recButton(rec.get())->click();
        tap(evdev);
        recButton(rec.get())->click();
        child<QLineEdit>(rec.get(), "TED_RecKeyDes")->setText(name);
    }

    void tap(unsigned evdev) {
        key(QEvent::KeyPress, evdev);
        key(QEvent::KeyRelease, evdev);
    }
    QStringList lines() {
        QStringList out;
        auto* list = child<QListWidget>(rec.get(), "TntListBox1");
        for (int i = 0; i < list->count(); ++i)
            out << list->item(i)->text();
        return out;
    }
    // The editor on screen without its opener, as a request would show it.
    void showEditor(EditorPurpose purpose) {
        rec->prepare(purpose);
        rec->show();
        QVERIFY(rec->isVisible());
    }
    const KeyAction& working() const { return rec->workingMacro(); }
    void addThreeMacros() { test::AddThreeTiedMacros(ws->profile); }

  private slots:
    void init() {
        host = std::make_unique<FakeHost>();
        ws = std::make_unique<Workspace>();
        create();
    }
    void cleanup() {
        dialogs.reset();
        window.reset();
    }

    // Names and labels hold 255 units: what is typed beyond is cut, never between
    // the halves of a character beyond U+FFFF.
    void nameAndLabelFieldsStopAt255UnitsAtACharacter() {
        const QString pair = QString::fromUcs4(U"\U0001F600");
        const std::tuple<int, QString, QString> cases[] = {
            {254, pair, ""}, {253, pair, pair}, {250, "bcdefg", "bcdef"}};
        for (QLineEdit* field : {child<QLineEdit>(rec.get(), "TED_RecKeyDes"),
                                 child<QLineEdit>(single.get(), "TntEdit1")})
            for (const auto& [before, typed, kept] : cases) {
                field->setText(QString(before, 'a'));
                QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, typed);
                QApplication::sendEvent(field, &key);
                QCOMPARE(field->text(), QString(before, 'a') + kept);
            }
    }

    void languageTextsReplaceCaptionsAndEventWords() {
        cleanup();
        host->texts = {{25, QStringLiteral("Makro-Editor")},
                       {22, QStringLiteral("Aufn.")},
                       {56, QStringLiteral("drücken")},
                       {16, QStringLiteral("Einzeltaste")},
                       {30, QStringLiteral("Makros")}};
        create();
        QCOMPARE(rec->windowTitle(), QStringLiteral("Makro-Editor"));
        QCOMPARE(single->windowTitle(), QStringLiteral("Einzeltaste"));
        QCOMPARE(manager->windowTitle(), QStringLiteral("Makros"));
        QCOMPARE(okButton(rec.get())->text(), QStringLiteral("OK")); // no text 23
        showEditor(PurposeNewMacro);
        recButton(rec.get())->click();
        // Texts the file lacks (39, 57) keep their built-in English form.
        QCOMPARE(recButton(rec.get())->text(), QStringLiteral("Stop"));
        tap(EvA);
        recButton(rec.get())->click();
        QCOMPARE(recButton(rec.get())->text(), QStringLiteral("Aufn."));
        QCOMPARE(lines(),
                 (QStringList{QStringLiteral("A  drücken"), QStringLiteral("A  release")}));
        rec->reject();
    }

    void accessibleNamesFollowTheCaptions() {
        auto* recStop = recButton(rec.get());
        showEditor(PurposeNewMacro);
        recStop->click();
        QCOMPARE(accessibleName(recStop), QStringLiteral("Stop"));
        recStop->click();
        QCOMPARE(accessibleName(recStop), QStringLiteral("Rec"));
        rec->reject();

        cleanup();
        host->texts = {{22, QStringLiteral("&Aufn.")},
                       {43, QStringLiteral("Links")},
                       {31, QStringLiteral("&Bearbeiten")}};
        create();
        QCOMPARE(accessibleName(recButton(rec.get())), QStringLiteral("Aufn."));
        QCOMPARE(accessibleName(child<QRadioButton>(mouse.get(), "TntRadioButton1")),
                 QStringLiteral("Links"));
        QCOMPARE(accessibleName(button(manager.get(), "TntBitBtn2")), QStringLiteral("Bearbeiten"));

        // The single-key dialog's key field is announced by the key it shows.
        single->prepare(CaptureTarget::SingleKey);
        single->show();
        recButton(single.get())->click();
        tap(EvA);
        QCOMPARE(accessibleName(child<QLabel>(single.get(), "TntLabel1")), QStringLiteral("A"));
        single->reject();
    }

    void recordingThroughKeyEvents() {
        showEditor(PurposeNewMacro);
        auto* recStop = recButton(rec.get());
        recStop->click();
        QVERIFY(rec->KeyCaptureInstalled());
        QCOMPARE(recStop->text(), QStringLiteral("Stop"));
        QVERIFY(!child<QListWidget>(rec.get(), "TntListBox1")->isEnabled());
        QVERIFY(child<QWidget>(rec.get(), "EdtGrp")->isHidden());

        key(QEvent::KeyPress, EvLeftCtrl);
        key(QEvent::KeyPress, EvA);
        key(QEvent::KeyRelease, EvA, true); // auto-repeat pairs are dropped
        key(QEvent::KeyPress, EvA, true);
        key(QEvent::KeyRelease, EvA);
        key(QEvent::KeyRelease, EvLeftCtrl);
        tap(EvSysRq); // one keystroke, one release
        tap(EvKpEqual);
        recStop->click();

        QVERIFY(!rec->KeyCaptureInstalled());
        QCOMPARE(recStop->text(), QStringLiteral("Rec"));
        QVERIFY(!child<QWidget>(rec.get(), "EdtGrp")->isHidden());
        QCOMPARE(lines(), (QStringList{"Ctrl  press", "A  press", "A  release", "Ctrl  release",
                                       "Prnt Scrn  release", "Num =  press", "Num =  release"}));
        const std::array<KeyEvent, 8> expected = {0x63, 0x01, 0x81, 0xE3, 0xC3, 0x00, 0x80, 0x00};
        const auto& events = working().events;
        QVERIFY(std::equal(expected.begin(), expected.end(), events.begin()));
        QVERIFY(child<QLineEdit>(rec.get(), "TED_RecKeyDes")->text().isEmpty());
        rec->reject();
    }

    void capturedKeysReachNoWindowAndNoShortcut() {
        showEditor(PurposeNewMacro);
        int triggered = 0;
        QAction quit(rec.get());
        quit.setShortcut(QKeySequence(QStringLiteral("Ctrl+Q")));
        rec->addAction(&quit);
        connect(&quit, &QAction::triggered, [&] { ++triggered; });
        auto* name = child<QLineEdit>(rec.get(), "TED_RecKeyDes");
        recButton(rec.get())->click();

        name->setFocus();
        QKeyEvent override(QEvent::ShortcutOverride, Qt::Key_Q, Qt::ControlModifier, EvQ + 8, 0, 0,
                           QStringLiteral("q"));
        override.ignore();
        QApplication::sendEvent(name, &override);
        QVERIFY(override.isAccepted()); // claims the key, so no shortcut fires
        key(QEvent::KeyPress, EvQ, false, Qt::ControlModifier, Qt::Key_Q);
        key(QEvent::KeyRelease, EvQ, false, Qt::ControlModifier, Qt::Key_Q);
        key(QEvent::KeyPress, EvEsc, false, Qt::NoModifier, Qt::Key_Escape);
        key(QEvent::KeyRelease, EvEsc, false, Qt::NoModifier, Qt::Key_Escape);
        QVERIFY(rec->isVisible()); // Escape was recorded, not acted on
        QVERIFY(name->text().isEmpty());
        QCOMPARE(triggered, 0);
        QCOMPARE(lines().size(), 4);
        recButton(rec.get())->click();
        // With the capture removed keys reach the widgets again.
        QTest::keyClick(name, Qt::Key_X);
        QCOMPARE(name->text(), QStringLiteral("x"));
        rec->reject();
    }

    void seventeenthEventAndSeventhHeldKeyAreNotRecorded() {
        showEditor(PurposeNewMacro);
        recButton(rec.get())->click();
        const unsigned keys[] = {EvA, EvB, EvC, EvD, EvE, EvF, EvG};
        for (unsigned k : keys)
            key(QEvent::KeyPress, k);
        for (unsigned k : keys)
            key(QEvent::KeyRelease, k);
        QCOMPARE(lines().size(), 12);
        QCOMPARE(rec->Recorder().HeldKeyCount(), 0);
        tap(EvH);
        tap(EvI);
        QCOMPARE(lines().size(), 16);
        tap(EvQ); // a 17th event
        QCOMPARE(lines().size(), 16);
        QCOMPARE(working().events[15], KeyEvent(0x89)); // I released
        rec->reject();
    }

    void releaseOfAKeyPressedBeforeRecLowersTheHeldCount() {
        showEditor(PurposeNewMacro);
        recButton(rec.get())->click();
        key(QEvent::KeyRelease, EvA);
        QVERIFY(lines().isEmpty());
        QCOMPARE(rec->Recorder().HeldKeyCount(), std::int16_t(-1));
        rec->reject();
    }

    void keyMacroOkStoresSlotMacroAndKind() {
        ws->selection = {1, 4};
        showEditor(PurposeKeyMacro);
        recButton(rec.get())->click();
        tap(EvA);
        recButton(rec.get())->click();
        child<QRadioButton>(rec.get(), "TntRadioButton3")->setChecked(true);
        child<QLineEdit>(rec.get(), "TED_RecKeyDes")->setText(QStringLiteral("Fire"));
        okButton(rec.get())->click();

        QVERIFY(!rec->isVisible());
        const KeySlot& slot = ws->profile.slot(1, 4);
        QCOMPARE(slot.action, MacroActionOf(0x01, RepeatUntilPressedAgain));
        QVERIFY(slot.label == u"Fire");
        QCOMPARE(ws->profile.macros().count(), std::size_t(1));
        QVERIFY(ws->profile.macros().macroAt(0) == (MacroRecord{u"Fire", slot.action}));
        QCOMPARE(ws->profile.kindOf(1, 4), 10);
        QCOMPARE(rec->result(), int(QDialog::Accepted));
        QVERIFY(ws->document.modifiedFlag);
        QCOMPARE(host->rebuildMacroMenu, 1);
        QVERIFY(host->markModified >= 1);
        QVERIFY(!rec->RecordingTouched());
    }

    void keyMacroOkWithoutRecKeepsTheSlotsEvents() {
        ws->selection = {0, 2};
        ws->profile.slot(0, 2).action = MacroActionOf(0x07, PlayOnce);
        // Leftover events of an earlier recording must not leak into the slot.
        showEditor(PurposeNewMacro);
        recordOneKey(EvI, QStringLiteral("Leftover"));
        rec->reject();
        showEditor(PurposeKeyMacro);
        child<QLineEdit>(rec.get(), "TED_RecKeyDes")->setText(QStringLiteral("Keep"));
        okButton(rec.get())->click();
        QCOMPARE(ws->profile.slot(0, 2).action.events[0], KeyEvent(0x07));
        QCOMPARE(ws->profile.macros().macroAt(0).action.events[0], KeyEvent(0x07));
    }

    void okWhileRecordingStopsAndStores() {
        showEditor(PurposeNewMacro);
        child<QLineEdit>(rec.get(), "TED_RecKeyDes")->setText(QStringLiteral("Quick"));
        recButton(rec.get())->click();
        tap(EvB);
        okButton(rec.get())->click();
        QVERIFY(!rec->KeyCaptureInstalled());
        QVERIFY(!rec->isVisible());
        QCOMPARE(ws->profile.macros().count(), std::size_t(1));
        QCOMPARE(ws->profile.macros().macroAt(0).action.events[1], KeyEvent(0x82));
        QCOMPARE(rec->result(), int(QDialog::Accepted));
    }

    void okWithEmptyNameKeepsTheDialogOpen() {
        showEditor(PurposeNewMacro);
        okButton(rec.get())->click();
        QVERIFY(rec->isVisible());
        QCOMPARE(ws->profile.macros().count(), std::size_t(0));
        rec->reject();
    }

    void closeBoxWithoutOkStoresNothing() {
        ws->selection = {0, 3};
        const Profile before = ws->profile;
        showEditor(PurposeKeyMacro);
        recButton(rec.get())->click();
        tap(EvA);
        child<QLineEdit>(rec.get(), "TED_RecKeyDes")->setText(QStringLiteral("Never"));
        rec->close();
        QVERIFY(!rec->isVisible());
        QVERIFY(!rec->KeyCaptureInstalled());
        QVERIFY(ws->profile == before);
        QCOMPARE(rec->result(), int(QDialog::Rejected));
        QCOMPARE(recButton(rec.get())->text(), QStringLiteral("Rec"));
    }

    void duplicateNameIsRefusedForNewMacros() {
        addThreeMacros();
        ws->selection = {2, 9};
        showEditor(PurposeKeyMacro);
        recordOneKey(EvC, QStringLiteral("ONE"));
        const QString message = clickAndReadMessage(okButton(rec.get()));
        QCOMPARE(message, QStringLiteral("Macro already exists, please change macro name."));
        QVERIFY(rec->isVisible());
        QCOMPARE(ws->profile.macros().count(), std::size_t(3));
        // The slot keeps what OK wrote before the check; its kind does not change.
        QVERIFY(ws->profile.slot(2, 9).label == u"ONE");
        QCOMPARE(ws->profile.slot(2, 9).action.events[0], KeyEvent(0x03));
        QCOMPARE(ws->profile.kindOf(2, 9), KindNone);
        QVERIFY(ws->document.modifiedFlag);
        QCOMPARE(host->markModified, 0); // the caption mark waits for the closing
        rec->close();
        QCOMPARE(host->markModified, 1);
    }

    void messagesShowTheLanguagesTextsWithTheirCaptionAndOwner() {
        cleanup();
        host->texts = {{34, QStringLiteral("Makro existiert bereits.")},
                       {53, QStringLiteral("Warnung")}};
        create();
        addThreeMacros();
        const auto& shown = host->scriptedUi.shown;
        showEditor(PurposeNewMacro);
        recordOneKey(EvA, QStringLiteral("one"));
        okButton(rec.get())->click();
        QCOMPARE(shown.size(), std::size_t(1));
        QVERIFY(shown[0].box == ScriptedUi::Box::Note);
        QCOMPARE(shown[0].text, QStringLiteral("Makro existiert bereits."));
        QCOMPARE(shown[0].caption, QGuiApplication::applicationDisplayName());
        QCOMPARE(shown[0].owner, rec.get());

        auto& macros = ws->profile.macros();
        while (!macros.full())
            macros.append({u"m", KeyAction::empty()});
        child<QLineEdit>(rec.get(), "TED_RecKeyDes")->setText(QStringLiteral("fresh"));
        okButton(rec.get())->click();
        QCOMPARE(shown.size(), std::size_t(2));
        QVERIFY(shown[1].box == ScriptedUi::Box::Warning);
        QVERIFY(shown[1].text.contains(QStringLiteral("full")));
        QCOMPARE(shown[1].caption, QStringLiteral("Warnung"));
        QCOMPARE(shown[1].owner, rec.get());
        rec->reject();
    }

    void fullMacroListRefusesNewMacroBeforeWritingTheKey() {
        auto& macros = ws->profile.macros();
        for (std::size_t i = 0; i < MacroList::MaxCount; ++i)
            macros.append({u"m", KeyAction::empty()});
        ws->selection = {0, 0};
        const KeySlot before = ws->profile.slot(0, 0);
        showEditor(PurposeKeyMacro);
        recordOneKey(EvA, QStringLiteral("one more"));
        const QString message = clickAndReadMessage(okButton(rec.get()));
        QVERIFY(message.contains(QStringLiteral("full")));
        QVERIFY(rec->isVisible());
        QCOMPARE(macros.count(), MacroList::MaxCount);
        QVERIFY(ws->profile.slot(0, 0) == before);
        rec->reject();
    }

    void keyMacroIsRefusedWhereTheKeyCannotStoreItsIndex() {
        auto& macros = ws->profile.macros();
        for (std::size_t i = 0; i < 65526; ++i)
            macros.append({u"m", KeyAction::empty()});
        ws->selection = {0, 0};
        const KeySlot before = ws->profile.slot(0, 0);
        showEditor(PurposeKeyMacro);
        recordOneKey(EvA, QStringLiteral("one more"));
        QCOMPARE(clickAndReadMessage(okButton(rec.get())), NotAssignable);
        QVERIFY(rec->isVisible());
        QCOMPARE(macros.count(), std::size_t(65526));
        QVERIFY(ws->profile.slot(0, 0) == before);
        // With one macro fewer the new macro is 65,525, the last a key can play.
        macros.removeAt(0);
        okButton(rec.get())->click();
        QVERIFY(!rec->isVisible());
        QCOMPARE(ws->profile.kindOf(0, 0), 0xFFFF);
    }

    void assignRefusesToMoveAMacroOutOfTheKeysReach() {
        auto& macros = ws->profile.macros();
        for (std::size_t i = 0; i < 65527; ++i)
            macros.append({u"m", KeyAction::empty()});
        ws->profile.setKind(1, 1, KindMacroBase); // a key plays macro 0
        ws->selection = {2, 2};
        const Profile before = ws->profile;
        manager->prepare({.offerAssign = true});
        manager->show();
        manager->SelectMacro(0);
        QCOMPARE(clickAndReadMessage(button(manager.get(), "TntBitBtn5")), NotAssignable);
        QVERIFY(manager->isVisible());
        QVERIFY(ws->profile == before);
        manager->accept();
    }

    void upDownDeleteEditTheListAndBytes() {
        showEditor(PurposeNewMacro);
        recButton(rec.get())->click();
        tap(EvA);
        tap(EvB);
        recButton(rec.get())->click();
        auto* list = child<QListWidget>(rec.get(), "TntListBox1");
        const auto& events = working().events;
        list->setCurrentRow(0);
        button(rec.get(), "TntBitBtn1")->click(); // Up on the first line
        QCOMPARE(events[0], KeyEvent(0x01));
        list->setCurrentRow(3);
        button(rec.get(), "TntBitBtn2")->click(); // Down on the last line
        QCOMPARE(events[3], KeyEvent(0x82));
        button(rec.get(), "TntBitBtn1")->click(); // Up from 3 to 2
        QCOMPARE(list->currentRow(), 2);
        QCOMPARE(events[2], KeyEvent(0x82));
        QCOMPARE(events[3], KeyEvent(0x02));
        QCOMPARE(lines()[2], QStringLiteral("B  release"));
        list->setCurrentRow(0);
        button(rec.get(), "TntBitBtn3")->click(); // Delete
        QCOMPARE(lines().size(), 3);
        QCOMPARE(events[0], KeyEvent(0x81));
        QCOMPARE(events[3], KeyEvent(0x00));
        rec->reject();
    }

    void insertPutsACapturedPairBeforeTheSelection() {
        showEditor(PurposeNewMacro);
        recButton(rec.get())->click();
        tap(EvA);
        recButton(rec.get())->click();
        child<QListWidget>(rec.get(), "TntListBox1")->setCurrentRow(1);
        onNextModal([&](QWidget* w) {
            QCOMPARE(w, single.get());
            QVERIFY(child<QLineEdit>(single.get(), "TntEdit1")->isHidden());
            recButton(single.get())->click();
            tap(EvB);
            recButton(single.get())->click(); // Stop
            QCOMPARE(child<QLabel>(single.get(), "TntLabel1")->text(), QStringLiteral("B"));
            okButton(single.get())->click();
        });
        button(rec.get(), "TntBitBtn4")->click();
        QCOMPARE(single->result(), int(QDialog::Accepted));
        QCOMPARE(lines(), (QStringList{"A  press", "B  press", "B  release", "A  release"}));
        const std::array<KeyEvent, 5> expected = {0x01, 0x02, 0x82, 0x81, 0x00};
        const auto& events = working().events;
        QVERIFY(std::equal(expected.begin(), expected.end(), events.begin()));
        rec->reject();
    }

    void insertWithoutSelectionOrWhenCancelledInsertsNothing() {
        showEditor(PurposeNewMacro);
        recButton(rec.get())->click();
        tap(EvA);
        recButton(rec.get())->click();
        bool opened = false;
        onNextModal([&](QWidget* w) {
            opened = w == single.get();
            recButton(single.get())->click();
            tap(EvB);
            recButton(single.get())->click();
            okButton(single.get())->click();
        });
        button(rec.get(), "TntBitBtn4")->click();
        QVERIFY(opened);
        QCOMPARE(lines().size(), 2);

        child<QListWidget>(rec.get(), "TntListBox1")->setCurrentRow(0);
        onNextModal([&](QWidget*) { button(single.get(), "TntBitBtn3")->click(); }); // Cancel
        button(rec.get(), "TntBitBtn4")->click();
        QCOMPARE(single->capturedKey(), std::nullopt);
        QCOMPARE(lines().size(), 2);
        rec->reject();
    }

    void insertWithFifteenLinesWarnsAfterTheCapture() {
        showEditor(PurposeNewMacro);
        recButton(rec.get())->click();
        for (unsigned k : {EvA, EvB, EvC, EvD, EvE, EvF, EvG})
            tap(k);
        key(QEvent::KeyPress, EvH);
        recButton(rec.get())->click();
        QCOMPARE(lines().size(), 15);
        const auto before = working();
        child<QListWidget>(rec.get(), "TntListBox1")->setCurrentRow(2);
        bool captured = false;
        onNextModal([&](QWidget*) {
            recButton(single.get())->click();
            tap(EvQ);
            recButton(single.get())->click();
            captured = true;
            okButton(single.get())->click();
        });
        button(rec.get(), "TntBitBtn4")->click();
        QVERIFY(captured);
        const auto& shown = host->scriptedUi.shown;
        QCOMPARE(shown.size(), std::size_t(1));
        QVERIFY(shown[0].box == ScriptedUi::Box::Warning);
        QCOMPARE(shown[0].text, QStringLiteral("Out of 8 keys data, can not insert"));
        QCOMPARE(shown[0].caption, QStringLiteral("Warning"));
        QVERIFY(!shown[0].owned());
        // OK and the closing each stop a capture that is no longer installed; then the warning.
        QCOMPARE(host->scriptedUi.beeps, 3);
        QCOMPARE(lines().size(), 15);
        QVERIFY(working() == before);
        rec->reject();
    }

    void singleKeyAssignsTheCapturedKey() {
        ws->selection = {0, 7};
        ws->profile.slot(0, 7).action = MacroActionOf(0x33, RepeatWhileHeld);
        single->prepare(CaptureTarget::SingleKey);
        single->show();
        auto* ok = okButton(single.get());
        QVERIFY(!ok->isEnabled());
        QVERIFY(child<QLineEdit>(single.get(), "TntEdit1")->isVisible());
        recButton(single.get())->click();
        QVERIFY(rec->KeyCaptureInstalled());
        QCOMPARE(recButton(single.get())->text(), QStringLiteral("Stop"));
        QVERIFY(!ok->isEnabled()); // nothing captured at the time of the click
        tap(EvA);
        QCOMPARE(child<QLineEdit>(single.get(), "TntEdit1")->text(), QStringLiteral("A"));
        QVERIFY(!ok->isEnabled()); // OK waits for Stop
        recButton(single.get())->click();
        QVERIFY(ok->isEnabled());
        ok->click();

        QVERIFY(!single->isVisible());
        QCOMPARE(ws->profile.slot(0, 7).action, KeyAction::direct(0x01));
        QVERIFY(ws->profile.slot(0, 7).label == u"A");
        QCOMPARE(ws->profile.kindOf(0, 7), KindSingleKey);
        QCOMPARE(single->capturedKey()->pressCode, std::uint8_t(0x01));
        QVERIFY(ws->document.modifiedFlag);
        QCOMPARE(host->refreshSlotCaptions, 1);
    }

    void singleKeyPrintScreenAndCancel() {
        single->prepare(CaptureTarget::SingleKey);
        single->show();
        recButton(single.get())->click();
        tap(EvSysRq);
        QCOMPARE(single->Captured().pressCode, std::uint8_t(0xC3));
        QCOMPARE(single->Captured().releaseCode, std::uint8_t(0xC3));
        QCOMPARE(child<QLabel>(single.get(), "TntLabel1")->text(), QStringLiteral("Prnt Scrn"));
        const Profile before = ws->profile;
        button(single.get(), "TntBitBtn3")->click(); // Cancel
        QVERIFY(!rec->KeyCaptureInstalled());
        QCOMPARE(single->capturedKey(), std::nullopt);
        QVERIFY(ws->profile == before);
    }

    void mouseButtonDialog() {
        ws->selection = {0, 0};
        addThreeMacros(); // slot (0, 0) plays macro 0
        mouse->show();
        child<QRadioButton>(mouse.get(), "TntRadioButton2")->setChecked(true);
        button(mouse.get(), "TntBitBtn1")->click();
        QCOMPARE(ws->profile.slot(0, 0).action, KeyAction::direct(0x74));
        QVERIFY(ws->profile.slot(0, 0).label == u"M-Mouse");
        QCOMPARE(ws->profile.kindOf(0, 0), KindMouseButton);
        QVERIFY(ws->document.modifiedFlag);

        ws->selection = {1, 1};
        const Profile before = ws->profile;
        ws->document.modifiedFlag = false;
        mouse->show();
        QVERIFY(child<QRadioButton>(mouse.get(), "TntRadioButton2")->isChecked());
        button(mouse.get(), "TntBitBtn2")->click(); // Cancel
        QVERIFY(ws->profile == before);
        QVERIFY(!ws->document.modifiedFlag);
    }

    void managerDeletesMacroOneOfThree() {
        addThreeMacros();
        manager->show();
        auto* list = child<QListView>(manager.get(), "TntListBox1");
        QCOMPARE(list->model()->rowCount(), 3);
        QVERIFY(child<QPushButton>(manager.get(), "TntBitBtn5")->isHidden());
        manager->SelectMacro(1);
        button(manager.get(), "TntBitBtn3")->click();
        QCOMPARE(list->model()->rowCount(), 2);
        QCOMPARE(list->model()->index(1, 0).data().toString(), QStringLiteral("Two"));
        QVERIFY(ws->profile.slot(0, 1).label == u"Macro Disappear");
        QCOMPARE(host->rebuildMacroMenu, 1);
        QVERIFY(host->refreshKeyLabels >= 1);
        manager->accept();
    }

    void managerEditsMacroZeroWhichMovesToTheEnd() {
        addThreeMacros();
        manager->show();
        manager->SelectMacro(0);
        onNextModal([&](QWidget* w) {
            QCOMPARE(w, rec.get());
            QCOMPARE(child<QLineEdit>(rec.get(), "TED_RecKeyDes")->text(), QStringLiteral("Zero"));
            QCOMPARE(lines(), (QStringList{"A  press", "A  release"}));
            QVERIFY(child<QRadioButton>(rec.get(), "TntRadioButton1")->isChecked());
            recButton(rec.get())->click();
            tap(EvD);
            recButton(rec.get())->click();
            child<QRadioButton>(rec.get(), "TntRadioButton2")->setChecked(true);
            child<QLineEdit>(rec.get(), "TED_RecKeyDes")->setText(QStringLiteral("two"));
            okButton(rec.get())->click(); // equal names are accepted when editing
        });
        button(manager.get(), "TntBitBtn2")->click();
        const auto& macros = ws->profile.macros();
        QCOMPARE(macros.count(), std::size_t(3));
        QVERIFY(macros.macroAt(2) == (MacroRecord{u"two", MacroActionOf(0x04, RepeatWhileHeld)}));
        QCOMPARE(ws->profile.kindOf(0, 0), 12);
        QCOMPARE(manager->SelectedMacro(), std::optional<std::size_t>(2));
        auto* list = child<QListView>(manager.get(), "TntListBox1");
        QCOMPARE(list->model()->index(2, 0).data().toString(), QStringLiteral("two"));
        manager->accept();
    }

    void assignFromMoreMovesTheMacroAndGivesItToTheKey() {
        addThreeMacros();
        ws->selection = {1, 5};
        manager->prepare({.offerAssign = true});
        manager->show();
        auto* assign = child<QPushButton>(manager.get(), "TntBitBtn5");
        QVERIFY(assign->isVisible());
        manager->SelectMacro(0);
        assign->click();
        QVERIFY(!manager->isVisible());
        QCOMPARE(ws->profile.kindOf(1, 5), 12);
        // Opened from "Edit Macros" right after: no Assign.
        manager->show();
        QVERIFY(assign->isHidden());
        manager->accept();
    }

    void editorOpenedWithoutSelectionKeepsItsState() {
        addThreeMacros();
        manager->show();
        button(manager.get(), "TntBitBtn2")->click(); // Edit with nothing selected
        QVERIFY(!rec->isVisible());
        manager->accept();
    }
};

QTEST_MAIN(DialogsTest)
#include "DialogsTest.moc"
