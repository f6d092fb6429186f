#include "app/KeyContextMenu.h"

#include "editing/MacroMenu.h"

#include <QAction>
#include <QMenu>
#include <QProxyStyle>
#include <QStyleOptionMenuItem>

namespace pad {
namespace {

// Draws unchecked items without the empty check box.
class UncheckedWithoutBox : public QProxyStyle {
  public:
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
        if (element == CE_MenuItem && item &&
            item->checkType != QStyleOptionMenuItem::NotCheckable && !item->checked) {
            QStyleOptionMenuItem plain(*item);
            plain.checkType = QStyleOptionMenuItem::NotCheckable;
            QProxyStyle::drawControl(element, &plain, painter, widget);
            return;
        }
        QProxyStyle::drawControl(element, option, painter, widget);
    }
};

QAction* AddCheckable(QMenu* menu, const char* name, const QString& text) {
    QAction* action = menu->addAction(text);
    action->setObjectName(name);
    action->setCheckable(true);
    return action;
}

} // namespace

KeyContextMenu::KeyContextMenu(QWidget* parent) : Menu(new QMenu(parent)) {
    Menu->setObjectName("TntPopupMenu1");
    // Only the item in force carries a mark.
    auto* style = new UncheckedWithoutBox;
    style->setParent(Menu);
    Menu->setStyle(style);
    SingeKey1 = AddCheckable(Menu, "SingeKey1", "Single Key...");
    Marco1 = AddCheckable(Menu, "Marco1", "New Macro...");
    n3_ = Menu->addSeparator();
    MacrosOff1 = AddCheckable(Menu, "MacrosOff1", "Macro Off");
    Menu->addSeparator();
    MouseButton1 = AddCheckable(Menu, "MouseButton1", "Mouse Button...");
    Menu->addSeparator();
    Default1 = AddCheckable(Menu, "Default1", "Default");
}

void KeyContextMenu::Rebuild(const MacroList& macros, const QString& moreText) {
    for (const MacroItem& item : macroItems_)
        delete item.action;
    macroItems_.clear();
    delete More1;
    More1 = nullptr;
    delete macroSeparator_;

    // Position 2: the separator, the macro items, "More...", then the fixed N3.
    macroSeparator_ = new QAction(Menu);
    macroSeparator_->setSeparator(true);
    Menu->insertAction(n3_, macroSeparator_);
    const MacroMenuLayout layout = BuildMacroMenuLayout(macros.count());
    for (const MacroMenuItem& entry : layout.items) {
        const auto& name = macros.macroAt(entry.macroIndex).name;
        auto* action = new QAction(QString::fromStdU16String(name), Menu);
        action->setObjectName(QString::fromStdString(MacroItemName(entry.macroIndex)));
        action->setCheckable(true);
        action->setVisible(!entry.hidden);
        const int j = int(entry.macroIndex);
        QObject::connect(action, &QAction::triggered, [this, j] { onMacroItem(j); });
        Menu->insertAction(n3_, action);
        macroItems_.push_back({entry.macroIndex, action});
    }
    if (layout.hasMore) {
        More1 = new QAction(moreText, Menu);
        More1->setObjectName("More1");
        QObject::connect(More1, &QAction::triggered, [this] { onMore(); });
        Menu->insertAction(n3_, More1);
    }
}

void KeyContextMenu::UpdateChecks(AssignmentKind kind, std::size_t macroCount) {
    const CheckTarget target = CheckTargetFor(kind, macroCount);
    Default1->setChecked(target.item == MenuCheck::Default);
    SingeKey1->setChecked(target.item == MenuCheck::SingleKey);
    MacrosOff1->setChecked(target.item == MenuCheck::MacroOff);
    MouseButton1->setChecked(target.item == MenuCheck::MouseButton);
    for (const MacroItem& item : macroItems_)
        item.action->setChecked(target.item == MenuCheck::Macro &&
                                item.macroIndex == target.macroIndex);
}

} // namespace pad
