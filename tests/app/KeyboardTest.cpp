// The main window by keyboard: Tab order and focus ring, the key menu from the
// keyboard, the key labels' names for screen readers, and the standard shortcuts,
// which a running capture records instead of acting on.

#include "app/TForm1.h"
#include "common/look/FocusRing.h"
#include "dialogs/TRecDlg.h"
#include "tests/support/ScriptedUi.h"

#include <QAccessible>
#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

using namespace pad;

namespace {

constexpr unsigned EvLeftCtrl = 29, EvS = 31; // evdev codes

struct Fixture {
    Fixture() {
        options.programFolder = folder.path();
        options.ui = &ui;
        options.startLoader = false;
        form = std::make_unique<TForm1>(ws, options);
        form->show();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }
    QTemporaryDir folder;
    ScriptedUi ui;
    Workspace ws;
    TForm1Options options;
    std::unique_ptr<TForm1> form;

    QWidget* Focus() const { return QApplication::focusWidget(); }
    QString FocusName() const { return Focus() ? Focus()->objectName() : QString(); }
    QString NameOf(QWidget* w) const {
        return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
    }
    QAction* Item(const char* name) const { return form->findChild<QAction*>(name); }

    // One key as the window system delivers it: shortcuts first, then the key
    // event with its scan code to the focused control.
    void Key(QEvent::Type type, int qtKey, Qt::KeyboardModifiers mods, unsigned evdev) {
        QWidget* to = Focus();
        if (type == QEvent::KeyPress && qt_sendShortcutOverrideEvent(to, 0, qtKey, mods))
            return; // a shortcut took the key
        QKeyEvent event(type, qtKey, mods, evdev + 8, 0, 0);
        QApplication::sendEvent(to, &event);
        QCoreApplication::sendPostedEvents();
    }
    void CtrlS() {
        Key(QEvent::KeyPress, Qt::Key_Control, Qt::ControlModifier, EvLeftCtrl);
        Key(QEvent::KeyPress, Qt::Key_S, Qt::ControlModifier, EvS);
        Key(QEvent::KeyRelease, Qt::Key_S, Qt::ControlModifier, EvS);
        Key(QEvent::KeyRelease, Qt::Key_Control, Qt::NoModifier, EvLeftCtrl);
    }
};

} // namespace

class KeyboardTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { FocusRing::Install(); }

    void tabGoesRoundModesLoadKeysAndDocumentButtons() {
        Fixture f;
        QCOMPARE(f.FocusName(), QString("ToolButton8"));
        QCOMPARE(FocusRing::Target(), nullptr); // no ring before the keyboard is used
        QStringList order;
        for (int i = 0; i < 26; ++i) {
            QTest::keyClick(f.Focus(), Qt::Key_Tab);
            order << f.FocusName();
            QWidget* ring = f.form->findChild<QWidget*>("FocusRing");
            QVERIFY(ring && ring->isVisible());
            QCOMPARE(FocusRing::Target(), f.Focus());
            const QRect around(f.Focus()->mapTo(f.form.get(), QPoint()), f.Focus()->size());
            QCOMPARE(ring->geometry(), around.adjusted(-3, -3, 3, 3));
        }
        QStringList expected = {"ToolButton1", "ToolButton2", "ToolButton3", "Image5"};
        for (int n = 1; n <= 16; ++n)
            expected << QString("TntLabel%1").arg(n);
        expected << QStringList{"ToolButton4", "ToolButton5",  "ToolButton6",
                                "ToolButton7", "ToolButton10", "ToolButton8"};
        QCOMPARE(order, expected);
        QTest::keyClick(f.Focus(), Qt::Key_Backtab);
        QCOMPARE(f.FocusName(), QString("ToolButton10"));
    }

    void keysOpenTheKeyMenuBelowTheFocusedLabel_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("mods");
        QTest::addColumn<bool>("opens");
        QTest::newRow("Enter") << int(Qt::Key_Return) << int(Qt::NoModifier) << true;
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << true;
        QTest::newRow("Space") << int(Qt::Key_Space) << int(Qt::NoModifier) << true;
        QTest::newRow("Menu") << int(Qt::Key_Menu) << int(Qt::NoModifier) << true;
        QTest::newRow("Shift+F10") << int(Qt::Key_F10) << int(Qt::ShiftModifier) << true;
        QTest::newRow("F10") << int(Qt::Key_F10) << int(Qt::NoModifier) << false;
        QTest::newRow("Ctrl+Space") << int(Qt::Key_Space) << int(Qt::ControlModifier) << false;
    }
    void keysOpenTheKeyMenuBelowTheFocusedLabel() {
        QFETCH(int, key);
        QFETCH(int, mods);
        QFETCH(bool, opens);
        Fixture f;
        QLabel* label = f.form->KeyLabel(6);
        label->setFocus(Qt::TabFocusReason);
        QTest::keyClick(label, Qt::Key(key), Qt::KeyboardModifiers(mods));
        QVERIFY2(!f.form->KeyMenu()->isVisible(), "Normal mode opens no key menu");

        f.Item("ModeB1")->trigger();
        label->setFocus(Qt::TabFocusReason);
        QTest::keyClick(label, Qt::Key(key), Qt::KeyboardModifiers(mods));
        QMenu* menu = f.form->KeyMenu();
        QCOMPARE(menu->isVisible(), opens);
        if (opens) {
            QCOMPARE(menu->pos(), label->mapToGlobal(QPoint(0, label->height())));
            QCOMPARE(menu->activeAction(), f.Item("SingeKey1"));
            QCOMPARE(int(f.ws.selection.currentMode), 1);
            QCOMPARE(int(f.ws.selection.currentKey), 6);
            QCOMPARE(f.form->SelectedLabel(), label);
            menu->hide();
        }
    }

    void menuKeyAsContextMenuRequestOpensTheKeyMenu() {
        Fixture f;
        f.Item("ModeA1")->trigger();
        QLabel* label = f.form->KeyLabel(15);
        QContextMenuEvent fromKeyboard(QContextMenuEvent::Keyboard, QPoint(2, 2),
                                       label->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(label, &fromKeyboard);
        QVERIFY(f.form->KeyMenu()->isVisible());
        QCOMPARE(int(f.ws.selection.currentKey), 15);
        f.form->KeyMenu()->hide();
    }

    void keyLabelNamesSayNumberAndAssignment() {
        Fixture f;
        QCOMPARE(f.NameOf(f.form->KeyLabel(0)), QString("Key 1: Q"));
        QCOMPARE(f.NameOf(f.form->KeyLabel(15)), QString("Key 16: R-Arrow"));
        f.ws.profile.slot(0, 4).label = u"Reload";
        f.Item("ModeA1")->trigger();
        QCOMPARE(f.NameOf(f.form->KeyLabel(4)), QString("Key 5: Reload"));

        // A change of the assignment renames the label at once, by keyboard too.
        QLabel* label = f.form->KeyLabel(4);
        label->setFocus(Qt::TabFocusReason);
        QTest::keyClick(label, Qt::Key_Return);
        f.Item("MacrosOff1")->trigger();
        QCOMPARE(f.NameOf(label), QString("Key 5: Macro Off"));
        f.ws.profile.slot(0, 4).label.clear();
        f.form->RefreshKeyLabels();
        QCOMPARE(f.NameOf(label), QString("Key 5"));
    }

    void loadTakesEnterAndSpace() {
        Fixture f;
        QWidget* load = f.form->findChild<QWidget*>("Image5");
        QCOMPARE(load->focusPolicy(), Qt::TabFocus);
        QCOMPARE(f.NameOf(load), QString("LOAD"));
        // Without the loader's window a download only warns: the warning shows LOAD ran.
        QTest::keyClick(load, Qt::Key_Space);
        QTest::keyClick(load, Qt::Key_Return);
        QTRY_COMPARE(int(f.ui.shown.size()), 2);
    }

    void shortcutsActUnlessACaptureRecordsThem() {
        Fixture f;
        QCOMPARE(f.Item("New1")->shortcut(), QKeySequence(QKeySequence::New));
        QCOMPARE(f.Item("Open1")->shortcut(), QKeySequence(QKeySequence::Open));
        QCOMPARE(f.Item("Save1")->shortcut(), QKeySequence(QKeySequence::Save));
        QCOMPARE(
            f.Item("SaveAs1")->shortcut(),
            QKeySequence::keyBindings(QKeySequence::SaveAs).value(0, QKeySequence("Ctrl+Shift+S")));
        QCOMPARE(f.Item("Exit1")->shortcut(),
                 QKeySequence::keyBindings(QKeySequence::Quit).value(0, QKeySequence("Ctrl+Q")));

        const QString first = f.folder.filePath("first.qd6");
        f.ui.fileAnswers.push_back(first);
        f.CtrlS(); // an untitled profile: Save asks for a name and writes it
        QVERIFY(QFile::exists(first));
        QCOMPARE(f.form->windowTitle(), QString("Corvask 12 - first.qd6"));

        f.form->CreateDialogs();
        auto* editor = f.form->findChild<TRecDlg*>();
        f.ws.requests.editorPurpose = PurposeNewMacro;
        editor->show();
        editor->findChild<QPushButton*>("TntBitBtn37")->click(); // Rec
        f.form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.form.get()));
        QFile::remove(first);
        f.CtrlS();
        QVERIFY(!QFile::exists(first));
        QStringList lines;
        auto* list = editor->findChild<QListWidget*>("TntListBox1");
        for (int i = 0; i < list->count(); ++i)
            lines << list->item(i)->text();
        QCOMPARE(lines, (QStringList{"Ctrl  press", "S  press", "S  release", "Ctrl  release"}));
        QVERIFY(editor->KeyCaptureInstalled()); // only Stop or OK ends the recording
        editor->findChild<QPushButton*>("TntBitBtn37")->click(); // Stop
        editor->reject();
    }
};

QTEST_MAIN(KeyboardTest)
#include "KeyboardTest.moc"
