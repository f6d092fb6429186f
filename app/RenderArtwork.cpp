// Build step: renders the SVG artwork to the keyed bitmaps the program loads
// (opaque 24-bit PNG, pure green where transparent), so that start-up only decodes
// small PNGs.
// Usage: render_artwork OUT_DIR SVG:WIDTHxHEIGHT:NAME ...

#include "app/KeyedBitmap.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QStringList>
#include <QSvgRenderer>

#include <cstdio>

namespace {

// Renders an SVG to an opaque bitmap of the given size: mostly transparent pixels
// become the key colour, every other pixel is opaque and never pure green.
QImage RenderKeyedSvg(const QString& resource, QSize size) {
    QImage canvas(size, QImage::Format_ARGB32);
    canvas.fill(Qt::transparent);
    {
        QSvgRenderer renderer(resource);
        QPainter painter(&canvas);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    }
    QImage keyed(size, QImage::Format_RGB32);
    for (int row = 0; row < size.height(); ++row) {
        const auto* from = reinterpret_cast<const QRgb*>(canvas.constScanLine(row));
        auto* to = reinterpret_cast<QRgb*>(keyed.scanLine(row));
        for (int col = 0; col < size.width(); ++col) {
            const QRgb p = from[col];
            if (qAlpha(p) < 128) {
                to[col] = pad::KeyColour;
                continue;
            }
            QRgb opaque = qRgb(qRed(p), qGreen(p), qBlue(p));
            if (opaque == pad::KeyColour)
                opaque = qRgb(0, 254, 0);
            to[col] = opaque;
        }
    }
    return keyed;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: render_artwork OUT_DIR SVG:WIDTHxHEIGHT:NAME ...\n");
        return 2;
    }
    const QDir out(args[1]);
    if (!out.mkpath(".")) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(args[1]));
        return 1;
    }
    for (int i = 2; i < args.size(); ++i) {
        const QStringList parts = args[i].split(':');
        const QStringList size = parts.value(1).split('x');
        if (parts.size() != 3 || size.size() != 2) {
            std::fprintf(stderr, "bad artwork entry %s\n", qPrintable(args[i]));
            return 2;
        }
        const QImage keyed = RenderKeyedSvg(parts[0], QSize(size[0].toInt(), size[1].toInt()));
        if (keyed.isNull() ||
            !keyed.convertToFormat(QImage::Format_RGB888).save(out.filePath(parts[2]), "PNG")) {
            std::fprintf(stderr, "cannot render %s\n", qPrintable(parts[0]));
            return 1;
        }
    }
    return 0;
}
