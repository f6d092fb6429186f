// The tool bar strip, the menu bar, the key menu with its macro items and check
// marks, and the two key-menu items that need no dialog.

#include "app/TForm1.h"

#include "app/KeyedBitmap.h"
#include "profile/MacroMenu.h"

#include <QAction>
#include <QActionGroup>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProxyStyle>
#include <QStyleOptionMenuItem>
#include <QToolBar>
#include <QToolButton>

namespace pad {
namespace {

QIcon ToolIcon(const QString& name) {
    return QIcon(QPixmap::fromImage(KeyedToAlpha(LoadKeyedBitmap(name))));
}

// Draws unchecked items of the key menu without the empty check box.
class UncheckedWithoutBox : public QProxyStyle {
  public:
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        if (element == CE_MenuItem) {
            if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option)) {
                if (item->checkType != QStyleOptionMenuItem::NotCheckable && !item->checked) {
                    QStyleOptionMenuItem plain(*item);
                    plain.checkType = QStyleOptionMenuItem::NotCheckable;
                    QProxyStyle::drawControl(element, &plain, painter, widget);
                    return;
                }
            }
        }
        QProxyStyle::drawControl(element, option, painter, widget);
    }
};

QAction* MakeAction(QObject* parent, const char* name, const QString& text) {
    auto* action = new QAction(text, parent);
    action->setObjectName(name);
    return action;
}

QAction* MakeSeparator(QMenu* menu, const char* name) {
    QAction* separator = menu->addSeparator();
    separator->setObjectName(name);
    return separator;
}

} // namespace

void TForm1::BuildToolBars() {
    toolBar1_ = new QToolBar(coolBar_);
    toolBar1_->setObjectName("ToolBar1");
    toolBar1_->setIconSize(QSize(20, 20));
    toolBar1_->setMovable(false);
    toolBar1_->setGeometry(0, 1, 358, 27);

    auto addButton = [](QToolBar* bar, const char* name, const QString& icon, const QString& tip,
                        const QString& accessible) {
        auto* button = new QToolButton(bar);
        button->setObjectName(name);
        button->setIcon(ToolIcon(icon));
        button->setIconSize(QSize(20, 20));
        button->setFixedSize(25, 25);
        button->setAutoRaise(true);
        button->setToolTip(tip);
        button->setAccessibleName(accessible);
        bar->addWidget(button);
        return button;
    };
    connect(addButton(toolBar1_, "ToolButton4", "tool-new", "New", "New"), &QToolButton::clicked,
            this, [this] { New1Click(); });
    connect(addButton(toolBar1_, "ToolButton5", "tool-open", "Open", "Open"), &QToolButton::clicked,
            this, [this] { Open1Click(); });
    connect(addButton(toolBar1_, "ToolButton6", "tool-save", "Save", "Save"), &QToolButton::clicked,
            this, [this] { Save1Click(); });
    auto* gap = new QWidget(toolBar1_);
    gap->setObjectName("ToolButton9");
    gap->setFixedSize(8, 25);
    toolBar1_->addWidget(gap);
    connect(addButton(toolBar1_, "ToolButton7", "tool-help", "Help", "Help"), &QToolButton::clicked,
            this, [this] { OpenHelp(); });
    connect(addButton(toolBar1_, "ToolButton10", "tool-sound", QString(), "Sound settings"),
            &QToolButton::clicked, this, [this] { OpenSoundSettings(); });
    presenceLabel_ = new QLabel(toolBar1_);
    presenceLabel_->setObjectName("PadLinkStatus");
    presenceLabel_->setTextFormat(Qt::RichText);
    toolBar1_->addWidget(presenceLabel_);
    ShowKeypadPresence(0);

    toolBar2_ = new QToolBar(coolBar_);
    toolBar2_->setObjectName("ToolBar2");
    toolBar2_->setIconSize(QSize(20, 20));
    toolBar2_->setMovable(false);
    toolBar2_->setGeometry(467 - 105 - 2, 1, 105, 27);
    const struct {
        const char* name;
        const char* icon;
        const char* tip;
        const char* accessible;
        int mode;
    } modes[] = {{"ToolButton8", "tool-normal", "Normal mode", "Normal mode", NormalView},
                 {"ToolButton1", "tool-mode-a", "", "Mode A", 0},
                 {"ToolButton2", "tool-mode-b", "", "Mode B", 1},
                 {"ToolButton3", "tool-mode-c", "", "Mode C", 2}};
    for (const auto& m : modes) {
        QToolButton* button = addButton(toolBar2_, m.name, m.icon, m.tip, m.accessible);
        button->setCheckable(true);
        const int mode = m.mode;
        connect(button, &QToolButton::clicked, this, [this, mode] { SwitchViewMode(mode); });
    }
}

void TForm1::BuildMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName("TntMainMenu1");

    QMenu* file = bar->addMenu("&File");
    file->setObjectName("File1");
    const struct {
        const char* name;
        const char* text;
        void (TForm1::*handler)();
    } fileItems[] = {{"New1", "&New", &TForm1::New1Click},
                     {"Open1", "&Open...", &TForm1::Open1Click},
                     {"Save1", "&Save", &TForm1::Save1Click},
                     {"SaveAs1", "Save &As...", &TForm1::SaveAs1Click}};
    for (const auto& item : fileItems) {
        QAction* action = MakeAction(file, item.name, item.text);
        connect(action, &QAction::triggered, this, [this, h = item.handler] { (this->*h)(); });
        file->addAction(action);
    }
    MakeSeparator(file, "N1");
    Import1 = MakeAction(file, "Import1", "&Import");
    connect(Import1, &QAction::triggered, this, [this] { StartDownload(); });
    file->addAction(Import1);
    MakeSeparator(file, "N2");
    QAction* exit = MakeAction(file, "Exit1", "E&xit");
    connect(exit, &QAction::triggered, this, [this] { Exit1Click(); });
    file->addAction(exit);

    QMenu* mode = bar->addMenu("&Mode");
    mode->setObjectName("Mode1");
    const char* modeNames[] = {"ModeA1", "ModeB1", "ModeC1"};
    const char* modeTexts[] = {"Mode A", "Mode B", "Mode C"};
    for (int m = 0; m < 3; ++m) {
        QAction* action = MakeAction(mode, modeNames[m], modeTexts[m]);
        connect(action, &QAction::triggered, this, [this, m] { SwitchViewMode(m); });
        mode->addAction(action);
    }

    QMenu* macro = bar->addMenu("M&acro");
    macro->setObjectName("MacroMenu1"); // "Macro" + j names the key menu's macro items
    QAction* newMacro = MakeAction(macro, "NewMacro1", "New Macro");
    connect(newMacro, &QAction::triggered, this, [this] { NewMacro1Click(); });
    macro->addAction(newMacro);
    QAction* editMacros = MakeAction(macro, "EditMarcos1", "Edit Macros");
    connect(editMacros, &QAction::triggered, this, [this] { EditMarcos1Click(); });
    macro->addAction(editMacros);

    QMenu* help = bar->addMenu("&Help");
    help->setObjectName("Help1");
    QAction* helpItem = MakeAction(help, "Help2", "Help");
    connect(helpItem, &QAction::triggered, this, [this] { OpenHelp(); });
    help->addAction(helpItem);
    MakeSeparator(help, "N6");
    QAction* about = MakeAction(help, "About1", "About");
    connect(about, &QAction::triggered, this, [this] { ShowAbout(); });
    help->addAction(about);
}

void TForm1::BuildKeyMenu() {
    keyMenu_ = new QMenu(this);
    keyMenu_->setObjectName("TntPopupMenu1");
    // Only the item in force carries a mark; the others show no empty box.
    auto* style = new UncheckedWithoutBox;
    style->setParent(keyMenu_);
    keyMenu_->setStyle(style);
    const struct {
        const char* name;
        const char* text;
        void (TForm1::*handler)();
    } items[] = {{"SingeKey1", "Single Key...", &TForm1::SingeKey1Click},
                 {"Marco1", "New Macro...", &TForm1::NewMacro2Click},
                 {"N3", nullptr, nullptr},
                 {"MacrosOff1", "Macro Off", &TForm1::MacrosOff1Click},
                 {"N4", nullptr, nullptr},
                 {"MouseButton1", "Mouse Button...", &TForm1::MouseButton1Click},
                 {"N5", nullptr, nullptr},
                 {"Default1", "Default", &TForm1::Default1Click}};
    for (const auto& item : items) {
        if (!item.text) {
            QAction* separator = MakeSeparator(keyMenu_, item.name);
            if (!keyMenuFirstFixedSeparator_)
                keyMenuFirstFixedSeparator_ = separator;
            continue;
        }
        QAction* action = MakeAction(keyMenu_, item.name, item.text);
        action->setCheckable(true);
        connect(action, &QAction::triggered, this, [this, h = item.handler] { (this->*h)(); });
        keyMenu_->addAction(action);
    }
}

void TForm1::RebuildMacroMenu() {
    for (QAction* item : macroMenuItems_)
        delete item;
    macroMenuItems_.clear();
    delete more1_;
    more1_ = nullptr;
    delete macroSeparator_;
    macroSeparator_ = nullptr;

    // Position 2 of the key menu: the separator, the macro items, "More...", then
    // the fixed separator N3.
    macroSeparator_ = new QAction(keyMenu_);
    macroSeparator_->setSeparator(true);
    macroSeparator_->setObjectName("MacroSeparator");
    keyMenu_->insertAction(keyMenuFirstFixedSeparator_, macroSeparator_);

    const MacroList& macros = ws_.profile.macros();
    const MacroMenuLayout layout = BuildMacroMenuLayout(macros.count());
    for (const MacroMenuItem& entry : layout.items) {
        const auto& name = macros.macroAt(entry.macroIndex).name;
        auto* action = new QAction(QString::fromStdU16String(name), keyMenu_);
        action->setObjectName(QString::fromStdString(MacroItemName(entry.macroIndex)));
        action->setCheckable(true);
        action->setVisible(!entry.hidden);
        const int j = int(entry.macroIndex);
        connect(action, &QAction::triggered, this, [this, j] { MacroItemClick(j); });
        keyMenu_->insertAction(keyMenuFirstFixedSeparator_, action);
        macroMenuItems_.push_back(action);
    }
    if (layout.hasMore) {
        more1_ = new QAction(TableText(21), keyMenu_);
        more1_->setObjectName("More1");
        connect(more1_, &QAction::triggered, this, [this] { More1Click(); });
        keyMenu_->insertAction(keyMenuFirstFixedSeparator_, more1_);
    }
}

void TForm1::UpdateMenuChecks() {
    const AssignmentKind kind =
        ws_.profile.kindOf(ws_.selection.currentMode, ws_.selection.currentKey);
    const CheckTarget target = CheckTargetFor(kind, ws_.profile.macros().count());
    const struct {
        const char* name;
        MenuCheck check;
    } fixed[] = {{"Default1", MenuCheck::Default},
                 {"SingeKey1", MenuCheck::SingleKey},
                 {"MacrosOff1", MenuCheck::MacroOff},
                 {"MouseButton1", MenuCheck::MouseButton}};
    for (const auto& item : fixed)
        if (QAction* action = keyMenu_->findChild<QAction*>(item.name))
            action->setChecked(target.item == item.check);
    const QString checkedName = target.item == MenuCheck::Macro
                                    ? QString::fromStdString(MacroItemName(target.macroIndex))
                                    : QString();
    for (QAction* item : macroMenuItems_)
        item->setChecked(item->objectName() == checkedName);
}

void TForm1::MacrosOff1Click() {
    AssignMacroOff(ws_, *this);
}

void TForm1::Default1Click() {
    AssignDefault(ws_, *this);
}

void TForm1::MarkModified() {
    document_.MarkModified();
}

} // namespace pad
