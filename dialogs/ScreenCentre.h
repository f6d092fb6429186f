#pragma once
// Places a dialog in the middle of the screen it is on.

#include <QScreen>
#include <QWidget>

namespace pad {

inline void CentreOnScreen(QWidget& window) {
    const QScreen* screen = window.screen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    window.move(area.center() - QPoint(window.width() / 2, window.height() / 2));
}

} // namespace pad
