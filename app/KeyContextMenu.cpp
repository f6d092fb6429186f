#include "app/KeyContextMenu.h"

#include "editing/MacroMenu.h"
#include "texts/qt/QtUtf16.h"

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

QAction* AddCheckable(QMenu* menu, const char* name) {
    QAction* action = menu->addAction(QString());
    action->setObjectName(name);
    action->setCheckable(true);
    return action;
}

} // namespace

KeyContextMenu::KeyContextMenu(QWidget* parent) : menu(new QMenu(parent)) {
    menu->setObjectName("TntPopupMenu1");
    // Only the item in force carries a mark.
    auto* style = new UncheckedWithoutBox;
    style->setParent(menu);
    menu->setStyle(style);
    singleKey = AddCheckable(menu, "SingeKey1");
    newMacro = AddCheckable(menu, "Marco1");
    n3_ = menu->addSeparator();
    macroOff = AddCheckable(menu, "MacrosOff1");
    menu->addSeparator();
    mouseButton = AddCheckable(menu, "MouseButton1");
    menu->addSeparator();
    assignDefault = AddCheckable(menu, "Default1");
    setTexts(Texts());
}

void KeyContextMenu::setTexts(const Texts& texts) {
    const std::pair<QAction*, UiText> items[] = {{singleKey, SingleKeyText},
                                                 {newMacro, KeyNewMacroText},
                                                 {macroOff, MacroOffText},
                                                 {mouseButton, MouseButtonText},
                                                 {assignDefault, DefaultText}};
    for (const auto& [item, text] : items)
        item->setText(FromU16(texts.text(text)));
}

void KeyContextMenu::Rebuild(const MacroList& macros, const QString& moreText) {
    for (const MacroItem& item : macroItems_)
        delete item.action;
    macroItems_.clear();
    delete more;
    more = nullptr;
    delete macroSeparator_;

    // Position 2: the separator, the macro items, the More item, then the fixed N3.
    macroSeparator_ = new QAction(menu);
    macroSeparator_->setSeparator(true);
    menu->insertAction(n3_, macroSeparator_);
    const MacroMenuLayout layout = BuildMacroMenuLayout(macros.count());
    for (const MacroMenuItem& entry : layout.items) {
        const auto& name = macros.macroAt(entry.macroIndex).name;
        auto* action = new QAction(QString::fromStdU16String(name), menu);
        action->setObjectName(QString::fromStdString(MacroItemName(entry.macroIndex)));
        action->setCheckable(true);
        action->setVisible(!entry.hidden);
        const int j = int(entry.macroIndex);
        QObject::connect(action, &QAction::triggered, [this, j] { onMacroItem(j); });
        menu->insertAction(n3_, action);
        macroItems_.push_back({entry.macroIndex, action});
    }
    if (layout.hasMore) {
        more = new QAction(moreText, menu);
        more->setObjectName("More1");
        QObject::connect(more, &QAction::triggered, [this] { onMore(); });
        menu->insertAction(n3_, more);
    }
}

void KeyContextMenu::UpdateChecks(AssignmentKind kind, std::size_t macroCount) {
    const CheckTarget target = CheckTargetFor(kind, macroCount);
    assignDefault->setChecked(target.item == MenuCheck::Default);
    singleKey->setChecked(target.item == MenuCheck::SingleKey);
    macroOff->setChecked(target.item == MenuCheck::MacroOff);
    mouseButton->setChecked(target.item == MenuCheck::MouseButton);
    for (const MacroItem& item : macroItems_)
        item.action->setChecked(target.item == MenuCheck::Macro &&
                                item.macroIndex == target.macroIndex);
}

} // namespace pad
