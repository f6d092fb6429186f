#pragma once
// Bitmaps with a transparent colour: every bitmap of the keypad view is opaque
// 24-bit artwork in which pure green marks the pixels that let the background show.

#include <QImage>

#include <cstdint>

namespace pad {

inline constexpr QRgb KeyColour = 0xFF00FF00; // pure green

// Copies the whole bitmap to target with its top-left corner at (x, y); target
// pixels under bitmap pixels of exactly the key colour stay unchanged, all others
// are replaced. Parts outside the target are cut off.
void DrawKeyedBitmap(QImage& target, const QImage& bitmap, int x, int y, QRgb key = KeyColour);

// A bitmap of the artwork compiled into the program, by name ("keypad", "marker"),
// read in place; a null image for an unknown name.
QImage LoadKeyedBitmap(const char* name);

// The artwork as the build renders it from resources/artwork: 32-bit pixels
// 0xFFRRGGBB, row by row. The list ends with an entry whose name is null.
struct EmbeddedBitmap {
    const char* name;
    int width;
    int height;
    const std::uint32_t* pixels;
};
extern const EmbeddedBitmap EmbeddedArtwork[];

// The bitmap with an alpha channel: key-colour pixels become fully transparent
// (for icons, which the window system draws itself).
QImage KeyedToAlpha(const QImage& keyed, QRgb key = KeyColour);

} // namespace pad
