#pragma once
// The suite's look, shared by PadConfig and Qd6LoaderS: the Fusion style with a
// dark palette that suits the keypad picture in every mode colour, and a clear
// focus ring at whatever control the keyboard is on.

#include <QColor>

class QApplication;

namespace pad {

// The ring's colour, and the dark edge around it that keeps it apart from light
// and mid-tone backgrounds alike.
inline const QColor FocusRingColour(0x4f, 0xc3, 0xf7);
inline const QColor FocusRingEdge(0x10, 0x12, 0x15);

// Style, palette and focus ring for the whole application.
void ApplyLook(QApplication& app);

} // namespace pad
