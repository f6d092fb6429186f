#pragma once
// Rendering the SVG artwork: the build renders it once at its own size into keyed
// bitmaps (compiled into the program), the program renders it again at any other
// scale, such as a screen's device pixel ratio.

#include <QByteArray>
#include <QImage>

namespace pad {

// The SVG drawn anti-aliased to fill an image of pixelSize, transparent where the
// SVG draws nothing (non-premultiplied ARGB32). A null image when the SVG is invalid.
QImage RenderSvg(const QByteArray& svg, QSize pixelSize);

// The rendered image as an opaque keyed bitmap: mostly transparent pixels become the
// key colour, every other pixel is opaque and never pure green.
QImage KeyedFromAlpha(const QImage& rendered);

} // namespace pad
