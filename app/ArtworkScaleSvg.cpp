#include "app/ArtworkRender.h"
#include "app/ArtworkScale.h"

#include <algorithm>

namespace pad {

QImage RenderArtworkAt(const EmbeddedBitmap& art, qreal scale) {
    const QByteArray svg =
        QByteArray::fromRawData(reinterpret_cast<const char*>(art.svg), art.svgSize);
    const QSize size(std::max(1, qRound(art.width * scale)),
                     std::max(1, qRound(art.height * scale)));
    return RenderSvg(svg, size).convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

} // namespace pad
