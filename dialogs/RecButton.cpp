#include "dialogs/RecButton.h"

#include <QKeyEvent>

namespace pad {
namespace {

bool IsEnter(const QKeyEvent& key) {
    const Qt::KeyboardModifiers mods = key.modifiers() & ~Qt::KeypadModifier;
    return (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) && mods == Qt::NoModifier;
}

} // namespace

void RecButton::keyPressEvent(QKeyEvent* event) {
    if (!IsEnter(*event)) {
        QPushButton::keyPressEvent(event);
        return;
    }
    enterDown_ = true;
    setDown(true);
    event->accept();
}

void RecButton::keyReleaseEvent(QKeyEvent* event) {
    if (!enterDown_ || !IsEnter(*event) || event->isAutoRepeat()) {
        QPushButton::keyReleaseEvent(event);
        return;
    }
    enterDown_ = false;
    setDown(false);
    event->accept();
    click();
}

} // namespace pad
