#include "app/KeyedBitmap.h"

#include "app/ArtworkScale.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace pad {

namespace {

const EmbeddedBitmap* FindArtwork(const char* name) {
    for (const EmbeddedBitmap* bitmap = EmbeddedArtwork; bitmap->name; ++bitmap)
        if (std::strcmp(bitmap->name, name) == 0)
            return bitmap;
    return nullptr;
}

bool IsUnitScale(qreal scale) {
    return std::abs(scale - 1.0) < 1e-6;
}

// A premultiplied pixel over an opaque one.
QRgb BlendOver(QRgb over, QRgb under) {
    const int a = qAlpha(over);
    if (a == 255)
        return over;
    if (a == 0)
        return under;
    const auto mix = [a](int top, int bottom) { return top + (bottom * (255 - a) + 127) / 255; };
    return qRgb(mix(qRed(over), qRed(under)), mix(qGreen(over), qGreen(under)),
                mix(qBlue(over), qBlue(under)));
}

} // namespace

void DrawKeyedBitmap(QImage& target, const QImage& bitmap, int x, int y, QRgb key) {
    const bool blend = bitmap.hasAlphaChannel();
    const QImage source =
        bitmap.convertToFormat(blend ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
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
            const QRgb pixel = from[col];
            if (blend)
                to[col + x] = BlendOver(pixel, to[col + x]);
            else if ((pixel | 0xFF000000) != keyRgb)
                to[col + x] = pixel | 0xFF000000;
        }
    }
}

QImage LoadKeyedBitmap(const char* name) {
    const EmbeddedBitmap* bitmap = FindArtwork(name);
    if (!bitmap)
        return QImage();
    return QImage(reinterpret_cast<const uchar*>(bitmap->pixels), bitmap->width, bitmap->height,
                  bitmap->width * 4, QImage::Format_RGB32);
}

QImage ArtworkAt(const char* name, qreal scale) {
    const EmbeddedBitmap* bitmap = FindArtwork(name);
    if (!bitmap)
        return QImage();
    return IsUnitScale(scale) ? LoadKeyedBitmap(name) : RenderArtworkAt(*bitmap, scale);
}

QImage ArtworkWithAlphaAt(const char* name, qreal scale) {
    const QImage art = ArtworkAt(name, scale);
    return art.hasAlphaChannel() ? art : KeyedToAlpha(art);
}

QSize ArtworkSize(const char* name) {
    const EmbeddedBitmap* bitmap = FindArtwork(name);
    return bitmap ? QSize(bitmap->width, bitmap->height) : QSize();
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
