#include "app/MainMenus.h"

#include "texts/AddedTexts.h"
#include "texts/qt/QtUtf16.h"

#include <QAction>
#include <QActionGroup>
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
    fileMenu = AddMenu(bar, "File1", "&File");
    newProfile = AddItem(fileMenu, "New1", "&New");
    openProfile = AddItem(fileMenu, "Open1", "&Open...");
    saveProfile = AddItem(fileMenu, "Save1", "&Save");
    saveProfileAs = AddItem(fileMenu, "SaveAs1", "Save &As...");
    fileMenu->addSeparator();
    download = AddItem(fileMenu, "Import1", "&Import");
    fileMenu->addSeparator();
    exit = AddItem(fileMenu, "Exit1", "E&xit");
    SetStandardShortcut(newProfile, QKeySequence::New);
    SetStandardShortcut(openProfile, QKeySequence::Open);
    SetStandardShortcut(saveProfile, QKeySequence::Save);
    SetStandardShortcut(saveProfileAs, QKeySequence::SaveAs,
                        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    SetStandardShortcut(exit, QKeySequence::Quit, QKeySequence(Qt::CTRL | Qt::Key_Q));

    modeMenu = AddMenu(bar, "Mode1", "&Mode");
    modes = new QActionGroup(bar);
    modes->setExclusive(true);
    modeActions[std::size_t(KeypadMode::Normal)] = new QAction("Normal mode", modes);
    modeActions[std::size_t(KeypadMode::A)] = AddItem(modeMenu, "ModeA1", "Mode A");
    modeActions[std::size_t(KeypadMode::B)] = AddItem(modeMenu, "ModeB1", "Mode B");
    modeActions[std::size_t(KeypadMode::C)] = AddItem(modeMenu, "ModeC1", "Mode C");
    for (QAction* action : modeActions) {
        action->setCheckable(true);
        modes->addAction(action);
    }
    modeMenu->addSeparator();
    modeRules = AddItem(modeMenu, "ByApplication1", FromU16(ByApplicationItem.english));

    // Not "Macro1": "Macro" followed by a number names the key menu's macro items.
    macroMenu = AddMenu(bar, "MacroMenu1", "M&acro");
    newMacro = AddItem(macroMenu, "NewMacro1", "New Macro");
    editMacros = AddItem(macroMenu, "EditMarcos1", "Edit Macros");

    helpMenu = AddMenu(bar, "Help1", "&Help");
    help = AddItem(helpMenu, "Help2", "Help");
    helpMenu->addSeparator();
    about = AddItem(helpMenu, "About1", "About");
}

} // namespace pad
