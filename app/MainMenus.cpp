#include "app/MainMenus.h"

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
    fileMenu = AddMenu(bar, "File1", BuiltIn(FileMenuText));
    newProfile = AddItem(fileMenu, "New1", BuiltIn(NewText));
    openProfile = AddItem(fileMenu, "Open1", BuiltIn(OpenText));
    saveProfile = AddItem(fileMenu, "Save1", BuiltIn(SaveText));
    saveProfileAs = AddItem(fileMenu, "SaveAs1", BuiltIn(SaveAsText));
    fileMenu->addSeparator();
    download = AddItem(fileMenu, "Import1", BuiltIn(ImportText));
    fileMenu->addSeparator();
    exit = AddItem(fileMenu, "Exit1", BuiltIn(ExitText));
    SetStandardShortcut(newProfile, QKeySequence::New);
    SetStandardShortcut(openProfile, QKeySequence::Open);
    SetStandardShortcut(saveProfile, QKeySequence::Save);
    SetStandardShortcut(saveProfileAs, QKeySequence::SaveAs,
                        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    SetStandardShortcut(exit, QKeySequence::Quit, QKeySequence(Qt::CTRL | Qt::Key_Q));

    modeMenu = AddMenu(bar, "Mode1", BuiltIn(ModeMenuText));
    auto* modes = new QActionGroup(bar); // the bar owns it
    modes->setExclusive(true);
    modeActions[std::size_t(KeypadMode::Normal)] = new QAction(BuiltIn(NormalModeText), modes);
    modeActions[std::size_t(KeypadMode::A)] = AddItem(modeMenu, "ModeA1", BuiltIn(ModeAText));
    modeActions[std::size_t(KeypadMode::B)] = AddItem(modeMenu, "ModeB1", BuiltIn(ModeBText));
    modeActions[std::size_t(KeypadMode::C)] = AddItem(modeMenu, "ModeC1", BuiltIn(ModeCText));
    for (QAction* action : modeActions) {
        action->setCheckable(true);
        modes->addAction(action);
    }
    modeMenu->addSeparator();
    modeRules = AddItem(modeMenu, "ByApplication1", BuiltIn(ByApplicationItem));

    // Not "Macro1": "Macro" followed by a number names the key menu's macro items.
    macroMenu = AddMenu(bar, "MacroMenu1", BuiltIn(MacroMenuText));
    newMacro = AddItem(macroMenu, "NewMacro1", BuiltIn(NewMacroText));
    editMacros = AddItem(macroMenu, "EditMarcos1", BuiltIn(EditMacrosText));

    helpMenu = AddMenu(bar, "Help1", BuiltIn(HelpMenuText));
    help = AddItem(helpMenu, "Help2", "Help");
    helpMenu->addSeparator();
    about = AddItem(helpMenu, "About1", BuiltIn(AboutText));
}

} // namespace pad
