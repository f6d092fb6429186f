#pragma once
// Gives a tool dialog the keyboard once it is on screen. Windows shows tool windows
// without activating them: a modal one would leave the keystrokes with the window it
// blocks, where they are dropped, until the user clicked it.

#include <QTimer>
#include <QWidget>

namespace pad {

// Call from the dialog's showEvent: the window is mapped once the event is handled.
inline void ActivateWhenShown(QWidget& dialog) {
    QTimer::singleShot(0, &dialog, [&dialog] {
        if (dialog.isVisible())
            dialog.activateWindow();
    });
}

} // namespace pad
