#include "app/KeyedBitmap.h"

#include <algorithm>
#include <cstring>

namespace pad {

void DrawKeyedBitmap(QImage& target, const QImage& bitmap, int x, int y, QRgb key) {
    const QImage source = bitmap.format() == QImage::Format_RGB32
                              ? bitmap
                              : bitmap.convertToFormat(QImage::Format_RGB32);
    if (target.format() != QImage::Format_RGB32)
        target = target.convertToFormat(QImage::Format_RGB32);
    const int x0 = std::max(0, -x), y0 = std::max(0, -y);
    const int x1 = std::min(source.width(), target.width() - x);
    const int y1 = std::min(source.height(), target.height() - y);
    const QRgb keyRgb = key | 0xFF000000;
    for (int row = y0; row < y1; ++row) {
        const auto* from = reinterpret_cast<const QRgb*>(source.constScanLine(row));
        auto* to = reinterpret_cast<QRgb*>(target.scanLine(row + y));
        for (int col = x0; col < x1; ++col) {
            const QRgb pixel = from[col] | 0xFF000000;
            if (pixel != keyRgb)
                to[col + x] = pixel;
        }
    }
}

QImage LoadKeyedBitmap(const char* name) {
    for (const EmbeddedBitmap* bitmap = EmbeddedArtwork; bitmap->name; ++bitmap)
        if (std::strcmp(bitmap->name, name) == 0)
            return QImage(reinterpret_cast<const uchar*>(bitmap->pixels), bitmap->width,
                          bitmap->height, bitmap->width * 4, QImage::Format_RGB32);
    return QImage();
}

QImage KeyedToAlpha(const QImage& keyed, QRgb key) {
    QImage out = keyed.convertToFormat(QImage::Format_ARGB32);
    const QRgb keyRgb = key | 0xFF000000;
    for (int row = 0; row < out.height(); ++row) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(row));
        for (int col = 0; col < out.width(); ++col)
            if ((line[col] | 0xFF000000) == keyRgb)
                line[col] = 0;
    }
    return out;
}

} // namespace pad
