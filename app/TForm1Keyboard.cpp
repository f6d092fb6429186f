// The main window by keyboard: the Tab order, the key menu and LOAD from the
// keyboard, and the key labels' names for screen readers.

#include "app/TForm1.h"

#include "app/KeypadControls.h"
#include "app/ToolBarStrip.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QToolButton>

namespace pad {
namespace {

// Enter, Space and the Menu key open a key label's menu, and so does Shift+F10.
bool OpensKeyMenu(const QKeyEvent& key) {
    const Qt::KeyboardModifiers mods = key.modifiers() & ~Qt::KeypadModifier;
    switch (key.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
    case Qt::Key_Menu:
        return mods == Qt::NoModifier;
    case Qt::Key_F10:
        return mods == Qt::ShiftModifier;
    default:
        return false;
    }
}

} // namespace

void TForm1::SetUpKeyboard() {
    // Mode buttons, LOAD and the key labels in key order, then the document, help
    // and sound buttons; Tab goes round.
    std::vector<QWidget*> chain;
    for (KeypadMode mode : KeypadModes)
        chain.push_back(toolBar_->ModeButton(mode));
    chain.push_back(loadButton_);
    for (QLabel* label : keyLabels_)
        chain.push_back(label);
    for (QWidget* button : {toolBar_->NewButton(), toolBar_->OpenButton(), toolBar_->SaveButton(),
                            toolBar_->HelpButton(), toolBar_->SoundButton()})
        chain.push_back(button);
    for (QWidget* widget : chain)
        widget->setFocusPolicy(Qt::TabFocus);
    for (std::size_t i = 1; i < chain.size(); ++i)
        setTabOrder(chain[i - 1], chain[i]);
    chain.front()->setFocus();

    // What a screen reader's actions on LOAD and on a key label do.
    static_cast<LoadHotArea*>(loadButton_)->press = [this] { StartDownload(); };
    for (int n = 1; n <= KeysPerMode; ++n)
        static_cast<KeyLabelWidget*>(keyLabels_[std::size_t(n - 1)])->openMenu = [this, n] {
            OpenKeyMenuByKeyboard(n);
        };
}

void TForm1::OpenKeyMenuByKeyboard(int labelNumber) {
    KeyLabelReleased(labelNumber);
    // Opened from the keyboard, the menu starts on its first item, as menus do.
    if (KeyMenu()->isVisible())
        KeyMenu()->setActiveAction(keyMenu_.singleKey);
}

bool TForm1::KeyLabelKeyEvent(int key, QEvent* event) {
    if (event->type() == QEvent::KeyPress && OpensKeyMenu(*static_cast<QKeyEvent*>(event))) {
        OpenKeyMenuByKeyboard(key + 1);
        return true;
    }
    // The desktop may turn the menu key into a context menu request.
    if (event->type() == QEvent::ContextMenu &&
        static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Keyboard) {
        OpenKeyMenuByKeyboard(key + 1);
        return true;
    }
    return false;
}

bool TForm1::LoadButtonKeyEvent(QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & ~Qt::KeypadModifier)
        return false;
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter && key->key() != Qt::Key_Space)
        return false;
    StartDownload();
    return true;
}

} // namespace pad
