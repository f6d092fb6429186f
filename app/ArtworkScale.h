#pragma once
// The artwork at a scale other than 1, as each platform draws it: on Linux its SVG
// rendered afresh (ArtworkScaleSvg.cpp); on Windows, which has no Qt Svg, the images
// the build rendered from it at 125, 150 and 200 % and compiled in as resources, the
// nearest one at or above the scale, resized where the scale lies between
// (ArtworkScaleImages.cpp).

#include "app/KeyedBitmap.h"

namespace pad {

// The artwork at round(size * scale), premultiplied ARGB, transparent where the key
// colour would be.
QImage RenderArtworkAt(const EmbeddedBitmap& art, qreal scale);

} // namespace pad
