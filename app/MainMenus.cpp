#include "app/MainMenus.h"

#include "texts/AddedTexts.h"
#include "texts/qt/QtUtf16.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

namespace pad {
namespace {

QMenu* AddMenu(QMenuBar* bar, const char* name, const QString& title) {
    QMenu* menu = bar->addMenu(title);
    menu->setObjectName(name);
    return menu;
}

QAction* AddItem(QMenu* menu, const char* name, const QString& text) {
    QAction* action = menu->addAction(text);
    action->setObjectName(name);
    return action;
}

// The platform's keys for a standard command, or fallback where it has none.
void SetStandardShortcut(QAction* action, QKeySequence::StandardKey key,
                         const QKeySequence& fallback = QKeySequence()) {
    QList<QKeySequence> keys = QKeySequence::keyBindings(key);
    if (keys.isEmpty() && !fallback.isEmpty())
        keys.append(fallback);
    action->setShortcuts(keys);
}

} // namespace

MainMenus::MainMenus(QMenuBar* bar) {
    bar->setObjectName("TntMainMenu1");
    File1 = AddMenu(bar, "File1", "&File");
    New1 = AddItem(File1, "New1", "&New");
    Open1 = AddItem(File1, "Open1", "&Open...");
    Save1 = AddItem(File1, "Save1", "&Save");
    SaveAs1 = AddItem(File1, "SaveAs1", "Save &As...");
    File1->addSeparator();
    Import1 = AddItem(File1, "Import1", "&Import");
    File1->addSeparator();
    Exit1 = AddItem(File1, "Exit1", "E&xit");
    SetStandardShortcut(New1, QKeySequence::New);
    SetStandardShortcut(Open1, QKeySequence::Open);
    SetStandardShortcut(Save1, QKeySequence::Save);
    SetStandardShortcut(SaveAs1, QKeySequence::SaveAs,
                        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    SetStandardShortcut(Exit1, QKeySequence::Quit, QKeySequence(Qt::CTRL | Qt::Key_Q));

    Mode1 = AddMenu(bar, "Mode1", "&Mode");
    ModeA1 = AddItem(Mode1, "ModeA1", "Mode A");
    ModeB1 = AddItem(Mode1, "ModeB1", "Mode B");
    ModeC1 = AddItem(Mode1, "ModeC1", "Mode C");
    Mode1->addSeparator();
    ByApplication1 = AddItem(Mode1, "ByApplication1", FromU16(ByApplicationItem.english));

    // Not "Macro1": "Macro" followed by a number names the key menu's macro items.
    MacroMenu1 = AddMenu(bar, "MacroMenu1", "M&acro");
    NewMacro1 = AddItem(MacroMenu1, "NewMacro1", "New Macro");
    EditMarcos1 = AddItem(MacroMenu1, "EditMarcos1", "Edit Macros");

    Help1 = AddMenu(bar, "Help1", "&Help");
    Help2 = AddItem(Help1, "Help2", "Help");
    Help1->addSeparator();
    About1 = AddItem(Help1, "About1", "About");
}

} // namespace pad
