#include "app/MainMenus.h"

#include "texts/qt/QtUtf16.h"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

namespace pad {
namespace {

QMenu* AddMenu(QMenuBar* bar, const char* name) {
    QMenu* menu = bar->addMenu(QString());
    menu->setObjectName(name);
    return menu;
}

QAction* AddItem(QMenu* menu, const char* name) {
    QAction* action = menu->addAction(QString());
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
    fileMenu = AddMenu(bar, "File1");
    newProfile = AddItem(fileMenu, "New1");
    openProfile = AddItem(fileMenu, "Open1");
    saveProfile = AddItem(fileMenu, "Save1");
    saveProfileAs = AddItem(fileMenu, "SaveAs1");
    fileMenu->addSeparator();
    download = AddItem(fileMenu, "Import1");
    fileMenu->addSeparator();
    exit = AddItem(fileMenu, "Exit1");
    SetStandardShortcut(newProfile, QKeySequence::New);
    SetStandardShortcut(openProfile, QKeySequence::Open);
    SetStandardShortcut(saveProfile, QKeySequence::Save);
    SetStandardShortcut(saveProfileAs, QKeySequence::SaveAs,
                        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    SetStandardShortcut(exit, QKeySequence::Quit, QKeySequence(Qt::CTRL | Qt::Key_Q));

    modeMenu = AddMenu(bar, "Mode1");
    auto* modes = new QActionGroup(bar); // the bar owns it
    modes->setExclusive(true);
    modeActions[std::size_t(KeypadMode::Normal)] = new QAction(modes);
    modeActions[std::size_t(KeypadMode::A)] = AddItem(modeMenu, "ModeA1");
    modeActions[std::size_t(KeypadMode::B)] = AddItem(modeMenu, "ModeB1");
    modeActions[std::size_t(KeypadMode::C)] = AddItem(modeMenu, "ModeC1");
    for (QAction* action : modeActions) {
        action->setCheckable(true);
        modes->addAction(action);
    }
    modeMenu->addSeparator();
    modeRules = AddItem(modeMenu, "ByApplication1");

    // Not "Macro1": "Macro" followed by a number names the key menu's macro items.
    macroMenu = AddMenu(bar, "MacroMenu1");
    newMacro = AddItem(macroMenu, "NewMacro1");
    editMacros = AddItem(macroMenu, "EditMarcos1");

    helpMenu = AddMenu(bar, "Help1");
    help = AddItem(helpMenu, "Help2");
    helpMenu->addSeparator();
    about = AddItem(helpMenu, "About1");
    setTexts(Texts());
}

void MainMenus::setTexts(const Texts& texts) {
    const std::pair<QMenu*, UiText> menus[] = {{fileMenu, FileMenuText},
                                               {modeMenu, ModeMenuText},
                                               {macroMenu, MacroMenuText},
                                               {helpMenu, HelpMenuText}};
    for (const auto& [menu, text] : menus)
        menu->setTitle(FromU16(texts.text(text)));
    const std::pair<QAction*, UiText> items[] = {{newProfile, NewText},
                                                 {openProfile, OpenText},
                                                 {saveProfile, SaveText},
                                                 {saveProfileAs, SaveAsText},
                                                 {download, ImportText},
                                                 {exit, ExitText},
                                                 {ModeAction(KeypadMode::Normal), NormalModeText},
                                                 {ModeAction(KeypadMode::A), ModeAText},
                                                 {ModeAction(KeypadMode::B), ModeBText},
                                                 {ModeAction(KeypadMode::C), ModeCText},
                                                 {modeRules, ByApplicationItem},
                                                 {newMacro, NewMacroText},
                                                 {editMacros, EditMacrosText},
                                                 {help, HelpItemText},
                                                 {about, AboutText}};
    for (const auto& [item, text] : items)
        item->setText(FromU16(texts.text(text)));
}

} // namespace pad
