#pragma once
// TntPopupMenu1, the key menu: its fixed items, the macro items that follow the
// MacroList, and the check mark at the assignment of the selected key. Each macro
// item keeps the index of its macro.

#include "model/Profile.h"
#include "texts/Texts.h"

#include <QString>

#include <cstddef>
#include <functional>
#include <vector>

class QAction;
class QMenu;
class QWidget;

namespace pad {

class KeyContextMenu {
  public:
    // In the built-in English.
    explicit KeyContextMenu(QWidget* parent);

    // The fixed items in the words of texts.
    void setTexts(const Texts& texts);

    // RebuildMacroMenu: replaces the macro items, the More item and their separator.
    void Rebuild(const MacroList& macros, const QString& moreText);
    // UpdateMenuChecks: only the item of the key's assignment kind is checked.
    void UpdateChecks(AssignmentKind kind, std::size_t macroCount);

    // What the macro items and the More item run (the main window sets them).
    std::function<void(int macroIndex)> onMacroItem;
    std::function<void()> onMore;

    QMenu* menu = nullptr;
    // Object names: TntPopupMenu1 with SingeKey1, Marco1, MacrosOff1, MouseButton1,
    // Default1, Macro0 ... and More1.
    QAction* singleKey = nullptr;
    QAction* newMacro = nullptr;
    QAction* macroOff = nullptr;
    QAction* mouseButton = nullptr;
    QAction* assignDefault = nullptr;
    QAction* more = nullptr; // while the list has more than 12 macros

  private:
    struct MacroItem {
        std::size_t macroIndex;
        QAction* action;
    };

    QAction* n3_ = nullptr; // the fixed separator that the macro items precede
    QAction* macroSeparator_ = nullptr;
    std::vector<MacroItem> macroItems_;
};

} // namespace pad
