#pragma once
// The menu bar (TntMainMenu1): its menus and items, built in menu order, and the
// four mode actions. The mode actions form one exclusive group: the Mode menu holds
// Modes A to C (it has no Normal item) and the tool bar's mode buttons follow all
// four. The main window connects the items to its commands.

#include "common/KeypadMode.h"
#include "texts/Texts.h"

#include <array>

class QAction;
class QMenu;
class QMenuBar;

namespace pad {

struct MainMenus {
    // In the built-in English.
    explicit MainMenus(QMenuBar* bar);

    // The menus' titles and items in the words of texts.
    void setTexts(const Texts& texts);

    // The action of a mode: checked while the view shows that mode.
    QAction* ModeAction(KeypadMode mode) const { return modeActions[std::size_t(mode)]; }

    // Object names: File1, New1, Open1, Save1, SaveAs1, Import1, Exit1.
    QMenu* fileMenu = nullptr;
    QAction* newProfile = nullptr;
    QAction* openProfile = nullptr;
    QAction* saveProfile = nullptr;
    QAction* saveProfileAs = nullptr;
    QAction* download = nullptr; // Import: LOAD from the menu
    QAction* exit = nullptr;
    // Mode1, ModeA1 to ModeC1 (the Normal action is only on the tool bar), ByApplication1.
    QMenu* modeMenu = nullptr;
    std::array<QAction*, KeypadModes.size()> modeActions{};
    QAction* modeRules = nullptr; // the mode service's rules
    // MacroMenu1, NewMacro1, EditMarcos1.
    QMenu* macroMenu = nullptr;
    QAction* newMacro = nullptr;
    QAction* editMacros = nullptr;
    // Help1, Help2, About1.
    QMenu* helpMenu = nullptr;
    QAction* help = nullptr;
    QAction* about = nullptr;
};

} // namespace pad
