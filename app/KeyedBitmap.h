#pragma once
// Bitmaps with a transparent colour: every bitmap of the keypad view is opaque
// 24-bit artwork in which pure green marks the pixels that let the background show.

#include <QImage>

#include <cstdint>

namespace pad {

inline constexpr QRgb KeyColour = 0xFF00FF00; // pure green

// Copies the whole bitmap to target with its top-left corner at (x, y); target
// pixels under bitmap pixels of exactly the key colour stay unchanged, all others
// are replaced. Parts outside the target are cut off. A bitmap with an alpha channel
// (the artwork rendered at a scale other than 1) is blended instead: transparent
// pixels leave the target unchanged as the key colour does, and its anti-aliased
// edges mix with the target.
void DrawKeyedBitmap(QImage& target, const QImage& bitmap, int x, int y, QRgb key = KeyColour);

// A bitmap of the artwork compiled into the program, by name ("keypad", "marker"),
// read in place; a null image for an unknown name.
QImage LoadKeyedBitmap(const char* name);

// The artwork by name at a scale (device pixels per layout pixel): at scale 1 the
// compiled-in keyed bitmap; at any other scale its SVG rendered afresh at
// round(size * scale), premultiplied ARGB, transparent where the key colour would
// be. A null image for an unknown name.
QImage ArtworkAt(const char* name, qreal scale);
// The same with the key colour's pixels transparent, for icons.
QImage ArtworkWithAlphaAt(const char* name, qreal scale);
// The artwork's own size at scale 1; empty for an unknown name.
QSize ArtworkSize(const char* name);

// The artwork as the build renders it from resources/artwork: 32-bit pixels
// 0xFFRRGGBB, row by row, and the SVG source they were rendered from. The list
// ends with an entry whose name is null.
struct EmbeddedBitmap {
    const char* name;
    int width;
    int height;
    const std::uint32_t* pixels;
    const unsigned char* svg;
    int svgSize;
};
extern const EmbeddedBitmap EmbeddedArtwork[];

// The bitmap with an alpha channel: key-colour pixels become fully transparent
// (for icons, which the window system draws itself).
QImage KeyedToAlpha(const QImage& keyed, QRgb key = KeyColour);

} // namespace pad
