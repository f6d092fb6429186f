// PadConfig's main window with its dialogs on a real X display (Xvfb): keys are
// typed with xdotool, so they arrive as the window system delivers them, through
// the keyboard grab and the capture filter. A profile made entirely through the
// windows is saved, read back with qd6 and opened again.

#include "app/TForm1.h"
#include "dialogs/TMacroMngDlg.h"
#include "dialogs/TRecDlg.h"
#include "tests/support/OnScreenDialogs.h"
#include "tests/support/ScriptedUi.h"
#include "tests/support/TestWindowOptions.h"

#include <QAction>
#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>

using namespace pad;
using pad::testing::button;
using pad::testing::listLines;
using pad::testing::okButton;
using pad::testing::onNextModal;
using pad::testing::recButton;

namespace {

// Types keys on the X display and lets the program take them in.
void xdotool(const QStringList& args) {
    QCOMPARE(QProcess::execute(QStringLiteral("xdotool"), args), 0);
    QTest::qWait(300);
}

// Rec, the keys, Stop in the Macro Editor; waits until lineCount lines arrived.
void recordInEditor(QWidget* editor, const QStringList& keys, int lineCount) {
    recButton(editor)->click();
    for (const QString& k : keys)
        xdotool({QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("30"), k});
    QTRY_COMPARE_WITH_TIMEOUT(listLines(editor).size(), lineCount, 5000);
    recButton(editor)->click();
}

// Rec, one key, Stop in the single-key dialog; waits until the key's name shows.
void captureSingleKey(QWidget* dialog, const QString& key) {
    recButton(dialog)->click();
    xdotool({QStringLiteral("key"), key});
    auto* name = dialog->findChild<QLabel*>(QStringLiteral("TntLabel1"));
    QTRY_VERIFY_WITH_TIMEOUT(!name->text().isEmpty(), 5000);
    recButton(dialog)->click();
}

// xdotool keydown, a wait of ms while the program runs on, keyup.
void hold(const QString& key, int ms) {
    QProcess::execute(QStringLiteral("xdotool"), {"keydown", key});
    QTest::qWait(ms);
    xdotool({"keyup", key});
}

// Gives w the keyboard, as a window manager would.
void focus(QWidget* w) {
    xdotool({"windowfocus", "--sync", QString::number(w->winId())});
}

QByteArray qd6Json(const QString& path) {
    QProcess qd6;
    qd6.start(QStringLiteral(QD6_PATH), {QStringLiteral("show"), QStringLiteral("--json"), path});
    if (!qd6.waitForFinished(10000) || qd6.exitCode() != 0)
        qFatal("qd6 failed: %s", qd6.readAllStandardError().constData());
    return qd6.readAllStandardOutput();
}

} // namespace

class EndToEndTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

    std::unique_ptr<TForm1> makeForm(Workspace& ws, ScriptedUi& ui) {
        auto form = std::make_unique<TForm1>(ws, testing::TestWindowOptions(dir.path(), ui));
        form->CreateDialogs();
        form->show();
        if (!QTest::qWaitForWindowExposed(form.get()))
            qFatal("main window not shown");
        return form;
    }
    // Releases the mouse over key label n in the mode shown; the key menu opens.
    void selectKey(TForm1& form, int mode, int labelNumber) {
        form.SwitchViewMode(mode);
        form.KeyLabelReleased(labelNumber);
        form.KeyMenu()->hide();
    }
    void trigger(TForm1& form, const char* action) {
        auto* a = form.findChild<QAction*>(QLatin1String(action));
        if (!a)
            qFatal("no action %s", action);
        a->trigger();
    }

  private slots:
    // Under load, from the keyboard alone: Rec by Enter; a key held for 2 s, which
    // repeats, recorded once; a short Escape recorded; Escape held for a second ends
    // the recording unrecorded; Enter accepts. A key held across Rec leaves the
    // single key's press code 0.
    void recordingFromTheKeyboardUnderLoad() {
        Workspace ws;
        ScriptedUi ui;
        auto form = makeForm(ws, ui);
        for (int core = 0; core < 2; ++core) // key events reach the program late
            QProcess::startDetached("timeout", {"25", "sh", "-c", "while :; do :; done"});
        for (const QString name : {"one", "two", "three"}) {
            onNextModal([name](QWidget* w) {
                focus(w);
                xdotool({"type", name});
                xdotool({"key", "Tab", "Tab", "Return"}); // past the list to Rec
                hold("a", 2000);
                xdotool({"key", "Escape"});
                hold("Escape", 1500);
                w->findChild<QLineEdit*>(QStringLiteral("TED_RecKeyDes"))->setFocus();
                xdotool({"key", "Return"});
            });
            trigger(*form, "NewMacro1");
        }
        KeyAction recorded = KeyAction::empty();
        std::ranges::copy(std::array<KeyEvent, 4>{0x01, 0x81, 0x26, 0xA6}, recorded.events.begin());
        QCOMPARE(ws.profile.macros().count(), std::size_t(3));
        for (std::size_t m = 0; m < 3; ++m)
            QCOMPARE(ws.profile.macros().macroAt(m).action, recorded);

        selectKey(*form, 0, 5);
        onNextModal([](QWidget* w) {
            focus(w);
            xdotool({"keydown", "a"});
            recButton(w)->click(); // Rec while A is down: it repeats
            QTest::qWait(1000);
            xdotool({"keyup", "a"});
            hold("Escape", 1500);
            okButton(w)->setFocus();
            xdotool({"key", "Return"});
        });
        trigger(*form, "SingeKey1");
        QCOMPARE(ws.profile.slot(0, 4).action, KeyAction::direct(0));
        QVERIFY(ws.profile.slot(0, 4).label == u"A");
    }

    // Enter, Escape and closing the box keep the existing file at the overwrite
    // question and the changes at the unsaved-changes question.
    void questionsLoseNoWorkOnEnterEscapeOrClose() {
        const QString path = dir.filePath(QStringLiteral("existing.qd6"));
        QVERIFY(QFile(path).open(QIODevice::WriteOnly)); // empty
        for (const QString answer : {"Return", "Escape", "close"}) {
            Workspace ws;
            ScriptedUi ui;
            ui.realQuestions = true;
            auto form = makeForm(ws, ui);
            ws.profile.slot(0, 0).label = u"Changed";
            ws.document.modifiedFlag = true;
            ui.fileAnswers = {path};
            for (void (TForm1::*command)() : {&TForm1::SaveProfileAs, &TForm1::NewProfile}) {
                onNextModal([answer](QWidget* box) {
                    focus(box);
                    if (answer == "close")
                        box->close(); // as the close button and Alt+F4 close it
                    else
                        xdotool({"key", answer});
                });
                (form.get()->*command)();
            }
            QCOMPARE(QFileInfo(path).size(), 0);
            QVERIFY(ws.document.fileName.empty());
            QVERIFY(ws.profile.slot(0, 0).label == u"Changed");
        }
    }

    void singleKeyFromTheKeyMenu() {
        Workspace ws;
        ScriptedUi ui;
        auto form = makeForm(ws, ui);
        selectKey(*form, 0, 5);
        onNextModal([](QWidget* w) {
            QCOMPARE(w->objectName(), QStringLiteral("TRecSingleDlg"));
            captureSingleKey(w, QStringLiteral("a")); // Rec, A, Stop
            okButton(w)->click();
        });
        trigger(*form, "SingeKey1");
        const KeySlot& slot = ws.profile.slot(0, 4);
        QCOMPARE(slot.action, KeyAction::direct(0x01));
        QVERIFY(slot.label == u"A");
        QCOMPARE(ws.profile.kindOf(0, 4), KindSingleKey);
        QVERIFY(form->windowTitle().endsWith(QLatin1Char('*')));
    }

    // X delivers a press and a release for one Print Screen keystroke; it is
    // recorded as one release.
    void printScreenKeystrokeRecordsOneRelease() {
        Workspace ws;
        ScriptedUi ui;
        auto form = makeForm(ws, ui);
        QStringList recorded;
        onNextModal([&](QWidget* w) {
            recordInEditor(w, {"Print", "a"}, 3);
            recorded = listLines(w);
            static_cast<QDialog*>(w)->reject();
        });
        trigger(*form, "NewMacro1");
        QCOMPARE(recorded, (QStringList{"Prnt Scrn  release", "A  press", "A  release"}));
    }

    void profileMadeThroughTheWindowsReadsBackIdentically() {
        const QString path = dir.filePath(QStringLiteral("gui.qd6"));
        const QString again = dir.filePath(QStringLiteral("again.qd6"));
        Workspace ws;
        ScriptedUi ui;
        auto form = makeForm(ws, ui);

        // Mode A key 5: a single key; key 6: the right mouse button.
        selectKey(*form, 0, 5);
        onNextModal([](QWidget* w) {
            captureSingleKey(w, QStringLiteral("F7"));
            w->findChild<QLineEdit*>(QStringLiteral("TntEdit1"))->setText(QStringLiteral("Map"));
            okButton(w)->click();
        });
        trigger(*form, "SingeKey1");
        selectKey(*form, 0, 6);
        onNextModal([](QWidget* w) {
            w->findChild<QRadioButton*>(QStringLiteral("TntRadioButton3"))->setChecked(true);
            button(w, "TntBitBtn1")->click();
        });
        trigger(*form, "MouseButton1");

        // Mode B key 1: a macro recorded for the key. Ctrl+C, the menu accelerator
        // Alt+F and Escape are recorded, not acted on (xdotool lets go of the
        // modifier first).
        selectKey(*form, 1, 1);
        QStringList recorded;
        onNextModal([&](QWidget* w) {
            recordInEditor(w, {"ctrl+c", "alt+f", "Escape"}, 10);
            recorded = listLines(w);
            w->findChild<QRadioButton*>(QStringLiteral("TntRadioButton2"))->setChecked(true);
            w->findChild<QLineEdit*>(QStringLiteral("TED_RecKeyDes"))
                ->setText(QStringLiteral("Copy"));
            okButton(w)->click();
        });
        trigger(*form, "Marco1");
        QCOMPARE(recorded, (QStringList{"Ctrl  press", "C  press", "Ctrl  release", "C  release",
                                        "Alt  press", "F  press", "Alt  release", "F  release",
                                        "Esc  press", "Esc  release"}));
        const std::array<KeyEvent, 10> copyEvents = {0x63, 0x03, 0xE3, 0x83, 0x65,
                                                     0x06, 0xE5, 0x86, 0x26, 0xA6};
        QVERIFY(std::equal(copyEvents.begin(), copyEvents.end(),
                           ws.profile.slot(1, 0).action.events.begin()));
        QCOMPARE(ws.profile.slot(1, 0).action.playMode, std::uint8_t(RepeatWhileHeld));
        QCOMPARE(ws.profile.kindOf(1, 0), 10);

        // A macro from the "M&acro" menu and one from the manager's New Macro.
        onNextModal([](QWidget* w) {
            recordInEditor(w, {"shift+x"}, 4);
            w->findChild<QLineEdit*>(QStringLiteral("TED_RecKeyDes"))
                ->setText(QStringLiteral("Shout"));
            okButton(w)->click();
        });
        trigger(*form, "NewMacro1");
        onNextModal([](QWidget* manager) {
            onNextModal([](QWidget* editor) {
                recordInEditor(editor, {"F5"}, 2);
                editor->findChild<QLineEdit*>(QStringLiteral("TED_RecKeyDes"))
                    ->setText(QStringLiteral("FromManager"));
                okButton(editor)->click();
            });
            button(manager, "TntBitBtn4")->click(); // New Macro
            button(manager, "TntBitBtn1")->click(); // Close
        });
        trigger(*form, "EditMarcos1");
        QCOMPARE(ws.profile.macros().count(), std::size_t(3));

        // Mode C key 16 gets "FromManager" through More... and Assign; key 3 gets
        // "Copy" through its macro item, which moves it to the end of the list.
        selectKey(*form, 2, 16);
        onNextModal([](QWidget* w) {
            auto* manager = static_cast<TMacroMngDlg*>(w);
            QVERIFY(button(w, "TntBitBtn5")->isVisible());
            manager->SelectMacro(2);
            button(w, "TntBitBtn5")->click(); // Assign
        });
        form->ChooseMoreMacros();
        QCOMPARE(ws.profile.kindOf(2, 15), 12);
        selectKey(*form, 2, 3);
        onNextModal([](QWidget* w) { okButton(w)->click(); });
        trigger(*form, "Macro0");
        QCOMPARE(ws.profile.kindOf(2, 2), 12);
        QCOMPARE(ws.profile.kindOf(1, 0), 12);
        QVERIFY(ws.profile.macros().macroAt(2).name == u"Copy");
        QCOMPARE(ws.profile.kindOf(2, 15), 11);

        ui.fileAnswers = {path};
        form->SaveProfile();
        QVERIFY(ui.shown.empty());
        QVERIFY(!ws.document.modifiedFlag);
        const QByteArray saved = qd6Json(path);

        // The stored bytes as the windows made them.
        const QJsonObject json = QJsonDocument::fromJson(saved).object();
        auto slotJson = [&](int mode, int key) {
            return json[QStringLiteral("slots")].toArray()[mode * 16 + key].toObject();
        };
        QCOMPARE(slotJson(0, 4)[QStringLiteral("label")].toString(), QStringLiteral("Map"));
        QCOMPARE(slotJson(0, 4)[QStringLiteral("playMode")].toInt(), 0xA3);
        QCOMPARE(slotJson(0, 4)[QStringLiteral("events")].toArray()[0].toInt(), 0x3D); // F7
        QCOMPARE(slotJson(0, 4)[QStringLiteral("kind")].toInt(), 1);
        QCOMPARE(slotJson(0, 5)[QStringLiteral("events")].toArray()[0].toInt(), 0x75);
        QCOMPARE(slotJson(0, 5)[QStringLiteral("kind")].toInt(), 3);
        QCOMPARE(slotJson(1, 0)[QStringLiteral("playMode")].toInt(), 0xA1);

        // Opened again in a second window, it is the same profile and saves the same file.
        Workspace reopened;
        ScriptedUi ui2;
        auto form2 = makeForm(reopened, ui2);
        ui2.fileAnswers = {path};
        form2->OpenProfile();
        QVERIFY(ui2.shown.empty());
        QVERIFY(reopened.profile == ws.profile);
        ui2.fileAnswers = {again};
        form2->SaveProfileAs();
        QCOMPARE(qd6Json(again), saved);
    }
};

QTEST_MAIN(EndToEndTest)
#include "EndToEndTest.moc"
