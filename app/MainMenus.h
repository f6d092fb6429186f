#pragma once
// TntMainMenu1: the menu bar's menus and items, built in menu order. The main
// window connects the items to its commands.

class QAction;
class QMenu;
class QMenuBar;

namespace pad {

struct MainMenus {
    explicit MainMenus(QMenuBar* bar);

    QMenu* File1 = nullptr; // "&File"
    QAction* New1 = nullptr;
    QAction* Open1 = nullptr;
    QAction* Save1 = nullptr;
    QAction* SaveAs1 = nullptr;
    QAction* Import1 = nullptr;
    QAction* Exit1 = nullptr;
    QMenu* Mode1 = nullptr; // "&Mode"
    QAction* ModeA1 = nullptr;
    QAction* ModeB1 = nullptr;
    QAction* ModeC1 = nullptr;
    QAction* ByApplication1 = nullptr; // the mode service's rules
    QMenu* MacroMenu1 = nullptr;       // "M&acro"
    QAction* NewMacro1 = nullptr;
    QAction* EditMarcos1 = nullptr;
    QMenu* Help1 = nullptr; // "&Help"
    QAction* Help2 = nullptr;
    QAction* About1 = nullptr;
};

} // namespace pad
