// Key names under German and French keyboard layouts on a real X display (Xvfb):
// the layout is changed with setxkbmap while the program runs, and the keys are
// typed by keycode with xdotool, so the same physical keys arrive each time.

#include "app/TForm1.h"
#include "dialogs/TMacroMngDlg.h"
#include "editing/MacroOps.h"
#include "tests/support/OnScreenDialogs.h"
#include "tests/support/ScriptedUi.h"
#include "tests/support/TestWindowOptions.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>

#include <xcb/xcb.h>
// xcb/xkb.h names a structure field "explicit", a keyword in C++.
#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit

using namespace pad;
using pad::testing::button;
using pad::testing::listLines;
using pad::testing::okButton;
using pad::testing::onNextModal;
using pad::testing::recButton;

namespace {

void setxkbmap(const QStringList& args) {
    const QString display = qEnvironmentVariable("DISPLAY");
    QCOMPARE(
        QProcess::execute(QStringLiteral("setxkbmap"), QStringList{"-display", display} + args), 0);
}

// Locks the core keyboard to a group (layout) of its keymap, as a desktop's
// layout switcher does.
void lockGroup(std::uint8_t group) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    QVERIFY(x11);
    xcb_connection_t* c = x11->connection();
    const auto cookie =
        xcb_xkb_latch_lock_state_checked(c, XCB_XKB_ID_USE_CORE_KBD, 0, 0, 1, group, 0, 0, 0);
    QVERIFY(!xcb_request_check(c, cookie));
}

// Rec, the key with this X keycode, Stop in the single-key dialog.
void captureKeycode(QWidget* dialog, const QString& keycode) {
    auto* name = dialog->findChild<QLabel*>(QStringLiteral("TntLabel1"));
    recButton(dialog)->click();
    QCOMPARE(QProcess::execute(QStringLiteral("xdotool"), {"key", keycode}), 0);
    QTRY_VERIFY_WITH_TIMEOUT(!name->text().isEmpty(), 5000);
    recButton(dialog)->click();
}

} // namespace

class LayoutEndToEndTest : public QObject {
    Q_OBJECT

  private slots:
    void keyNamesFollowTheLayout() {
        QTemporaryDir dir;
        Workspace ws;
        ScriptedUi ui;
        TForm1 form(ws, testing::TestWindowOptions(dir.path(), ui));
        form.CreateDialogs();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        auto* singleKey = form.findChild<QAction*>(QStringLiteral("SingeKey1"));
        auto* manager = form.findChild<QAction*>(QStringLiteral("EditMarcos1"));
        QVERIFY(singleKey && manager);

        // The keys at the US positions Y, Q and ;, and a macro of Y and ; as stored.
        const QStringList keycodes = {"29", "24", "47"};
        KeyAction macro = KeyAction::empty();
        const std::array<KeyEvent, 4> macroEvents = {0x19, 0x99, 0x30, 0xB0};
        std::copy(macroEvents.begin(), macroEvents.end(), macro.events.begin());
        QVERIFY(AddNewMacro(ws, u"Keys", macro) == NewMacroCheck::Ok);

        // The last round switches from the first to the second of two layouts.
        struct Round {
            QStringList setxkbmap;
            QStringList labels;
            QStringList macroLines;
        };
        const QStringList us = {"Y  press", "Y  release", ";  press", ";  release"};
        const QStringList de = {"Z  press", "Z  release", "\u00D6  press", "\u00D6  release"};
        const Round rounds[] = {
            {{"us"}, {"Y", "Q", ";"}, us},
            {{"de"}, {"Z", "Q", "\u00D6"}, de},
            {{"fr"}, {"Y", "A", "M"}, {"Y  press", "Y  release", "M  press", "M  release"}},
            {{"-layout", "us,de"}, {"Z", "Q", "\u00D6"}, de},
        };
        std::array<KeyAction, 3> usActions;
        for (const Round& round : rounds) {
            setxkbmap(round.setxkbmap);
            if (round.setxkbmap.size() > 1)
                lockGroup(1);
            for (int i = 0; i < 3; ++i) {
                form.SwitchViewMode(0);
                form.KeyLabelReleased(i + 1);
                form.KeyMenu()->hide();
                onNextModal([&](QWidget* w) {
                    captureKeycode(w, keycodes[i]);
                    okButton(w)->click();
                });
                singleKey->trigger();
                const KeySlot& slot = ws.profile.slot(0, i);
                QCOMPARE(QString::fromStdU16String(slot.label), round.labels[i]);
                if (&round == &rounds[0])
                    usActions[std::size_t(i)] = slot.action;
                else
                    QCOMPARE(slot.action, usActions[std::size_t(i)]);
            }
            // The stored macro reopened in the Macro Editor, through the manager.
            QStringList lines;
            onNextModal([&](QWidget* w) {
                onNextModal([&](QWidget* editor) {
                    lines = listLines(editor);
                    static_cast<QDialog*>(editor)->reject();
                });
                static_cast<TMacroMngDlg*>(w)->SelectMacro(0);
                button(w, "TntBitBtn2")->click(); // Edit
                button(w, "TntBitBtn1")->click(); // Close
            });
            manager->trigger();
            QCOMPARE(lines, round.macroLines);
        }
        QCOMPARE(usActions[0], KeyAction::direct(0x19));
        QCOMPARE(usActions[2], KeyAction::direct(0x30));
    }
};

QTEST_MAIN(LayoutEndToEndTest)
#include "LayoutEndToEndTest.moc"
