#include "app/ArtworkScale.h"

#include <QString>

#include <algorithm>

namespace pad {
namespace {

// The scales the build renders the artwork at, in per cent (app/CMakeLists.txt).
constexpr int RenderedPercents[] = {125, 150, 200};

} // namespace

QImage RenderArtworkAt(const EmbeddedBitmap& art, qreal scale) {
    const QSize size(std::max(1, qRound(art.width * scale)),
                     std::max(1, qRound(art.height * scale)));
    int percent = RenderedPercents[std::size(RenderedPercents) - 1];
    for (int rendered : RenderedPercents)
        if (rendered >= qRound(scale * 100)) {
            percent = rendered;
            break;
        }
    QImage image(QString(":/artwork/%1@%2.png").arg(art.name).arg(percent));
    if (image.isNull())
        return image;
    if (image.size() != size)
        image = image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

} // namespace pad
