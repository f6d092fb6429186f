#include "app/ArtworkRender.h"

#include "app/KeyedBitmap.h"

#include <QPainter>
#include <QSvgRenderer>

namespace pad {

QImage RenderSvg(const QByteArray& svg, QSize pixelSize) {
    QSvgRenderer renderer(svg);
    if (!renderer.isValid() || pixelSize.isEmpty())
        return QImage();
    QImage canvas(pixelSize, QImage::Format_ARGB32);
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(pixelSize)));
    return canvas;
}

QImage KeyedFromAlpha(const QImage& rendered) {
    const QImage canvas = rendered.convertToFormat(QImage::Format_ARGB32);
    QImage keyed(canvas.size(), QImage::Format_RGB32);
    for (int row = 0; row < canvas.height(); ++row) {
        const auto* from = reinterpret_cast<const QRgb*>(canvas.constScanLine(row));
        auto* to = reinterpret_cast<QRgb*>(keyed.scanLine(row));
        for (int col = 0; col < canvas.width(); ++col) {
            const QRgb p = from[col];
            if (qAlpha(p) < 128) {
                to[col] = KeyColour;
                continue;
            }
            QRgb opaque = qRgb(qRed(p), qGreen(p), qBlue(p));
            if (opaque == KeyColour)
                opaque = qRgb(0, 254, 0);
            to[col] = opaque;
        }
    }
    return keyed;
}

} // namespace pad
