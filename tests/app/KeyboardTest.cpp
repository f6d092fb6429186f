// The main window by keyboard: Tab order and focus ring, the key menu from the
// keyboard, the key labels' names for screen readers, and the standard shortcuts,
// which a running capture records instead of acting on.

#include "app/TForm1.h"
#include "dialogs/TRecDlg.h"
#include "dialogs/TRecSingleDlg.h"
#include "look/FocusRing.h"
#include "tests/support/OnScreenDialogs.h"
#include "tests/support/ScriptedUi.h"
#include "tests/support/TestWindowOptions.h"

#include <QAccessible>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QToolButton>
#include <QtTest>

using namespace pad;

namespace {

constexpr unsigned EvLeftCtrl = 29, EvS = 31; // evdev codes

struct Fixture {
    Fixture() {
        form = std::make_unique<TForm1>(ws, testing::TestWindowOptions(folder.path(), ui));
        form->show();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }
    QTemporaryDir folder;
    ScriptedUi ui;
    Workspace ws;
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

        // Shown, focused and given new texts, no label makes a text document (the key
        // labels' sixteen cost the start a tenth of its time).
        QVERIFY(f.form->findChildren<QTextDocument*>().isEmpty());
        f.form->SwitchViewMode(1);
        QVERIFY(f.form->findChildren<QTextDocument*>().isEmpty());
    }

    void tabInTheRecordingDialogsStopsOnlyOnVisibleControls() {
        Fixture f;
        f.form->CreateDialogs();
        f.form->findChild<TRecDlg*>()->prepare(PurposeNewMacro);
        f.form->findChild<TRecSingleDlg*>()->prepare(CaptureTarget::SingleKey);
        QTest::keyClick(f.Focus(), Qt::Key_Tab);
        for (QDialog* dialog : std::initializer_list<QDialog*>{
                 f.form->findChild<TRecDlg*>(), f.form->findChild<TRecSingleDlg*>()}) {
            dialog->show();
            QApplication::setActiveWindow(dialog);
            QVERIFY(QTest::qWaitForWindowActive(dialog));
            // Opened while the keyboard is in use: the ring shows before any Tab.
            QVERIFY(dialog->isAncestorOf(f.Focus()));
            QCOMPARE(FocusRing::Target(), f.Focus());
            QSet<QWidget*> stops;
            for (int i = 0; i < 12; ++i) {
                QTest::keyClick(f.Focus(), Qt::Key_Tab);
                QWidget* focus = f.Focus();
                QVERIFY2(focus && dialog->isAncestorOf(focus),
                         qPrintable(dialog->objectName() + " " + f.FocusName()));
                stops << focus;
                const QRect place(focus->mapTo(dialog, QPoint()), focus->size());
                QVERIFY2(dialog->rect().contains(place), qPrintable(focus->objectName()));
                QVERIFY2(!qobject_cast<QGroupBox*>(focus), qPrintable(focus->objectName()));
                QCOMPARE(FocusRing::Target(), focus);
            }
            QVERIFY(stops.size() >= 3);
            dialog->reject();
        }
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

    void screenReadersAndTheMenuKeyReachTheKeyMenuAndLoad() {
        Fixture f;
        f.Item("ModeC1")->trigger();
        QAccessibleInterface* key = QAccessible::queryAccessibleInterface(f.form->KeyLabel(8));
        QCOMPARE(key->role(), QAccessible::ButtonMenu);
        QVERIFY(key->state().hasPopup && key->state().focusable);
        key->actionInterface()->doAction(QAccessibleActionInterface::showMenuAction());
        QVERIFY(f.form->KeyMenu()->isVisible());
        QCOMPARE(int(f.ws.selection.currentKey), 8);
        f.form->KeyMenu()->hide();
        // The desktop may turn the Menu key into a context menu request.
        QLabel* label = f.form->KeyLabel(15);
        QContextMenuEvent fromKeyboard(QContextMenuEvent::Keyboard, QPoint(2, 2),
                                       label->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(label, &fromKeyboard);
        QVERIFY(f.form->KeyMenu()->isVisible());
        QCOMPARE(int(f.ws.selection.currentKey), 15);
        f.form->KeyMenu()->hide();

        // LOAD: a button; without a keypad each press only warns, which shows it ran.
        QWidget* load = f.form->findChild<QWidget*>("Image5");
        QAccessibleInterface* button = QAccessible::queryAccessibleInterface(load);
        QCOMPARE(button->role(), QAccessible::Button);
        QCOMPARE(button->text(QAccessible::Name), QString("LOAD"));
        button->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QTest::keyClick(load, Qt::Key_Space);
        QTest::keyClick(load, Qt::Key_Return);
        QCOMPARE(int(f.ui.shown.size()), 3);
    }

    void shortcutsActUnlessACaptureRecordsThem() {
        Fixture f;
        QSet<QKeySequence> keys;
        for (const char* item : {"New1", "Open1", "Save1", "SaveAs1", "Exit1"})
            keys << f.Item(item)->shortcut();
        QCOMPARE(keys.size(), 5);
        QVERIFY(!keys.contains(QKeySequence()));
        QCOMPARE(f.Item("Save1")->shortcut(), QKeySequence(QKeySequence::Save));

        const QString first = f.folder.filePath("first.qd6");
        f.ui.fileAnswers.push_back(first);
        f.CtrlS(); // an untitled profile: Save asks for a name and writes it
        QVERIFY(QFile::exists(first));
        QCOMPARE(f.form->windowTitle(), QString("Corvask 12 - first.qd6"));

        f.form->CreateDialogs();
        auto* editor = f.form->findChild<TRecDlg*>();
        editor->prepare(PurposeNewMacro);
        editor->show();
        testing::recButton(editor)->click();
        f.form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.form.get()));
        QFile::remove(first);
        f.CtrlS();
        QVERIFY(!QFile::exists(first));
        QCOMPARE(testing::listLines(editor),
                 (QStringList{"Ctrl  press", "S  press", "S  release", "Ctrl  release"}));
        QVERIFY(editor->KeyCaptureInstalled()); // only Stop or OK ends the recording
        testing::recButton(editor)->click();    // Stop
        editor->reject();
    }
};

QTEST_MAIN(KeyboardTest)
#include "KeyboardTest.moc"
