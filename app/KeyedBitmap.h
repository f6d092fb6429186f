#pragma once
// Bitmaps with a transparent colour: every bitmap of the keypad view is opaque
// 24-bit artwork in which pure green marks the pixels that let the background show.

#include <QImage>
#include <QSize>
#include <QString>

namespace pad {

inline constexpr QRgb KeyColour = 0xFF00FF00; // pure green

// Copies the whole bitmap to target with its top-left corner at (x, y); target
// pixels under bitmap pixels of exactly the key colour stay unchanged, all others
// are replaced. Parts outside the target are cut off.
void DrawKeyedBitmap(QImage& target, const QImage& bitmap, int x, int y, QRgb key = KeyColour);

// A bitmap of the artwork compiled into the program, by name ("keypad", "marker").
QImage LoadKeyedBitmap(const QString& name);

// The bitmap with an alpha channel: key-colour pixels become fully transparent
// (for icons, which the window system draws itself).
QImage KeyedToAlpha(const QImage& keyed, QRgb key = KeyColour);

} // namespace pad
