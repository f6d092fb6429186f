// Build step: renders the SVG artwork to the keyed bitmaps the program shows (opaque,
// pure green where transparent) and writes them as a C++ source file of 32-bit pixels,
// so that the program shows them at scale 1 without decoding anything. The SVG
// sources go into the same file, for the program to render at other scales.
// Usage: render_artwork OUT.cpp SVG:WIDTHxHEIGHT:NAME ...
//
// For a build without Qt Svg (Windows) it also renders them at other scales into PNG
// files with an alpha channel, DIR/NAME@PERCENT.png, which that build compiles in:
// Usage: render_artwork --png DIR PERCENT,... SVG:WIDTHxHEIGHT:NAME ...

#include "app/ArtworkRender.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QStringList>

#include <cstdio>
#include <optional>

namespace {

// Appends the bitmap's pixels as a C++ array named Pixels<index>.
void WritePixels(QByteArray& out, int index, const QImage& keyed) {
    out += "alignas(4) const std::uint32_t Pixels" + QByteArray::number(index) + "[] = {";
    for (int row = 0; row < keyed.height(); ++row) {
        const auto* line = reinterpret_cast<const QRgb*>(keyed.constScanLine(row));
        for (int col = 0; col < keyed.width(); ++col) {
            out += (col % 8 == 0) ? "\n    " : " ";
            out += "0x" + QByteArray::number(line[col], 16) + "u,";
        }
    }
    out += "\n};\n";
}

// Appends the SVG source as a byte array named Svg<index>.
void WriteSvg(QByteArray& out, int index, const QByteArray& svg) {
    out += "const unsigned char Svg" + QByteArray::number(index) + "[] = {";
    for (qsizetype i = 0; i < svg.size(); ++i) {
        out += (i % 16 == 0) ? "\n    " : " ";
        out += QByteArray::number(int(static_cast<unsigned char>(svg[i]))) + ",";
    }
    out += "\n};\n";
}

struct Entry {
    QString svgFile;
    QSize size;
    QString name;
    QByteArray svg;
};

// SVG:WIDTHxHEIGHT:NAME, with the SVG read; nullopt, said on standard error, when
// the entry is malformed or the file cannot be read.
std::optional<Entry> ReadEntry(const QString& argument) {
    const QStringList parts = argument.split(':');
    const QStringList size = parts.value(1).split('x');
    if (parts.size() != 3 || size.size() != 2) {
        std::fprintf(stderr, "bad artwork entry %s\n", qPrintable(argument));
        return std::nullopt;
    }
    QFile file(parts[0]);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(parts[0]));
        return std::nullopt;
    }
    return Entry{parts[0], QSize(size[0].toInt(), size[1].toInt()), parts[2], file.readAll()};
}

// --png DIR PERCENT,... ENTRY...: each entry at each scale as DIR/NAME@PERCENT.png.
int WritePngs(const QStringList& args) {
    const QStringList percents = args[3].split(',');
    for (int i = 4; i < args.size(); ++i) {
        const std::optional<Entry> entry = ReadEntry(args[i]);
        if (!entry)
            return 2;
        for (const QString& percent : percents) {
            const QSize size(qRound(entry->size.width() * percent.toInt() / 100.0),
                             qRound(entry->size.height() * percent.toInt() / 100.0));
            const QImage rendered = pad::RenderSvg(entry->svg, size);
            const QString out = QString("%1/%2@%3.png").arg(args[2], entry->name, percent);
            if (rendered.isNull() || !rendered.save(out, "PNG")) {
                std::fprintf(stderr, "cannot render %s to %s\n", qPrintable(entry->svgFile),
                             qPrintable(out));
                return 1;
            }
        }
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() >= 4 && args[1] == "--png")
        return WritePngs(args);
    if (args.size() < 3) {
        std::fprintf(stderr,
                     "usage: render_artwork OUT.cpp SVG:WIDTHxHEIGHT:NAME ...\n"
                     "       render_artwork --png DIR PERCENT,... SVG:WIDTHxHEIGHT:NAME ...\n");
        return 2;
    }
    QByteArray pixels, table;
    for (int i = 2; i < args.size(); ++i) {
        const std::optional<Entry> entry = ReadEntry(args[i]);
        if (!entry)
            return 2;
        const QByteArray& svg = entry->svg;
        const QImage rendered = pad::RenderSvg(svg, entry->size);
        if (rendered.isNull()) {
            std::fprintf(stderr, "cannot render %s\n", qPrintable(entry->svgFile));
            return 1;
        }
        WritePixels(pixels, i, pad::KeyedFromAlpha(rendered));
        WriteSvg(pixels, i, svg);
        table += QString("    {\"%1\", %2, %3, Pixels%4, Svg%4, %5},\n")
                     .arg(entry->name, QString::number(entry->size.width()),
                          QString::number(entry->size.height()), QString::number(i))
                     .arg(svg.size())
                     .toUtf8();
    }
    QFile out(args[1]);
    const QByteArray source =
        "// Generated by render_artwork from resources/artwork.\n"
        "#include \"app/KeyedBitmap.h\"\n\n"
        "namespace pad {\nnamespace {\n" +
        pixels + "} // namespace\n\nconst EmbeddedBitmap EmbeddedArtwork[] = {\n" + table +
        "    {nullptr, 0, 0, nullptr, nullptr, 0}};\n\n} // namespace pad\n";
    if (!out.open(QIODevice::WriteOnly) || out.write(source) != source.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(args[1]));
        return 1;
    }
    return 0;
}
