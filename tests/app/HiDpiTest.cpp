// The main window at device pixel ratios 1, 2 and 1.75 and at a logical 144 DPI: the
// window's size, its layout and the keypad artwork's edges. Qt reads QT_SCALE_FACTOR
// and QT_FONT_DPI once, so each setting runs in a child process of this program
// (--grab), which shows the window and writes what the test looks at into a folder.

#include "app/ArtworkIcon.h"
#include "app/ArtworkRender.h"
#include "app/KeyedBitmap.h"
#include "app/KeypadView.h"
#include "app/TForm1.h"
#include "tests/support/ScriptedUi.h"
#include "tests/support/TestWindowOptions.h"

#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <cstring>

using namespace pad;

namespace {

// The child: the window in Mode A, its sizes and the keypad view's screen image.
int Grab(const QString& folder) {
    QTemporaryDir programFolder;
    ScriptedUi ui;
    Workspace ws;
    TForm1 form(ws, testing::TestWindowOptions(programFolder.path(), ui));
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        return 1;
    form.SwitchViewMode(0);
    auto* view = form.findChild<KeypadView*>("BkImg");
    const qreal ratio = form.devicePixelRatioF();
    const QImage plain = view->ScreenImage();
    // Zone 5's highlight on and off again must leave the plain picture.
    form.PointerMovedTo(QPoint(60, 29 + 140) * form.LayoutScale());
    form.HoverTimerTick();
    const bool highlighted = view->ScreenImage() != plain;
    form.PointerMovedTo(QPoint(5, 200) * form.LayoutScale());
    form.HoverTimerTick();
    const bool restored = view->ScreenImage() == plain;

    QFile facts(folder + "/facts.txt");
    if (!facts.open(QIODevice::WriteOnly))
        return 1;
    const QSize window = form.size() * ratio;
    const QRect label = form.KeyLabel(12)->geometry();
    QTextStream(&facts) << window.width() << ' ' << window.height() << ' ' << ratio << ' '
                        << form.LayoutScale() << ' ' << label.x() << ' ' << label.y() << ' '
                        << label.width() << ' ' << label.height() << ' ' << highlighted << ' '
                        << restored << '\n';
    return plain.save(folder + "/screen.png") ? 0 : 1;
}

struct Grabbed {
    QSize window; // device pixels
    qreal ratio = 0, layoutScale = 0;
    QRect label13; // widget pixels
    bool highlighted = false, restored = false;
    QImage screen; // the keypad view, device pixels
};

Grabbed RunGrab(const QStringList& variables) {
    QTemporaryDir folder;
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    for (const QString& variable : variables)
        env.insert(variable.section('=', 0, 0), variable.section('=', 1));
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {"--grab", folder.path()});
    Grabbed g;
    if (!child.waitForFinished(30000) || child.exitCode() != 0)
        return g;
    QFile facts(folder.filePath("facts.txt"));
    if (!facts.open(QIODevice::ReadOnly))
        return g;
    QTextStream in(&facts);
    int w, h, x, y, lw, lh, on, off;
    in >> w >> h >> g.ratio >> g.layoutScale >> x >> y >> lw >> lh >> on >> off;
    g.window = QSize(w, h);
    g.label13 = QRect(x, y, lw, lh);
    g.highlighted = on;
    g.restored = off;
    g.screen = QImage(folder.filePath("screen.png")).convertToFormat(QImage::Format_RGB32);
    return g;
}

int Spread(QRgb a, QRgb b) {
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b))});
}

} // namespace

class HiDpiTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        one = RunGrab({"QT_SCALE_FACTOR=1"});
        two = RunGrab({"QT_SCALE_FACTOR=2"});
        QVERIFY(!one.screen.isNull());
        QVERIFY(!two.screen.isNull());
    }

    void windowIsTwiceAsLargeAtScaleFactor2() {
        QCOMPARE(one.ratio, 1.0);
        QCOMPARE(two.ratio, 2.0);
        QCOMPARE(two.window, one.window * 2);
        QCOMPARE(two.screen.size(), one.screen.size() * 2);
        QCOMPARE(two.label13, one.label13); // the layout in widget pixels is Qt's to scale
    }

    // Along the edges of the LOAD button (a circle over the Mode A blue), the
    // scale-2 picture is drawn at its resolution: many of the 2 x 2 blocks that stand
    // for one scale-1 pixel on an edge are not of one colour, as they would be in a
    // scaled-up bitmap, and the outline has shades between the blue and the button.
    void keypadArtworkEdgesAreSmoothAtScaleFactor2() {
        const QRect button(396, 29 + 8, 64, 62);
        int edges = 0, smooth = 0;
        for (int y = button.top(); y < button.bottom(); ++y)
            for (int x = button.left(); x < button.right(); ++x) {
                const QRgb p = one.screen.pixel(x, y);
                if (Spread(p, one.screen.pixel(x + 1, y)) < 24 &&
                    Spread(p, one.screen.pixel(x, y + 1)) < 24)
                    continue;
                ++edges;
                const QRgb b[] = {
                    two.screen.pixel(2 * x, 2 * y), two.screen.pixel(2 * x + 1, 2 * y),
                    two.screen.pixel(2 * x, 2 * y + 1), two.screen.pixel(2 * x + 1, 2 * y + 1)};
                if (Spread(b[0], b[1]) > 8 || Spread(b[0], b[2]) > 8 || Spread(b[0], b[3]) > 8)
                    ++smooth;
            }
        QVERIFY(edges > 100);
        QVERIFY2(smooth * 2 > edges, qPrintable(QString("%1 of %2").arg(smooth).arg(edges)));

        // Down the button's middle column from the blue background into its rim.
        const QRgb blue = qRgb(0, 0, 128);
        QCOMPARE(one.screen.pixel(428, 29 + 6), blue);
        QCOMPARE(two.screen.pixel(2 * 428, 2 * (29 + 6)), blue);
        int shades = 0;
        for (int y = 2 * (29 + 6); y < 2 * (29 + 12); ++y) {
            const int b = qBlue(two.screen.pixel(2 * 428, y));
            shades += b > 8 && b < 120;
        }
        QVERIFY(shades > 0);
    }

    void hoverHighlightComesAndGoesAtScaleFactor2() {
        QVERIFY(two.highlighted);
        QVERIFY(two.restored);
    }

    // A fractional ratio: the picture fills the window's device pixels.
    void fractionalRatioRendersAtItsSize() {
        const Grabbed g = RunGrab({"QT_SCALE_FACTOR=1.75"});
        QCOMPARE(g.ratio, 1.75);
        QVERIFY(std::abs(g.screen.width() - one.screen.width() * 1.75) <= 1);
        QVERIFY(g.restored);
    }

    // Larger text grows the window by 1.5: Qt turns a logical 144 DPI into a device
    // pixel ratio of 1.5; with its high-DPI scaling off the layout grows itself.
    void windowGrowsWithItsText() {
        const Grabbed ratio = RunGrab({"QT_FONT_DPI=144"});
        QCOMPARE(ratio.window, g15(one.window));
        const Grabbed g = RunGrab({"QT_FONT_DPI=144", "QT_ENABLE_HIGHDPI_SCALING=0"});
        QCOMPARE(g.ratio, 1.0);
        QCOMPARE(g.layoutScale, 1.5);
        QCOMPARE(g.window.width(), g15(one.window).width());
        QVERIFY(std::abs(g.window.height() - g15(one.window).height()) <= 4); // the menu bar's own
        QCOMPARE(g.label13, QRect(332, 605, 135, 20)); // (221, 403, 90, 13) times 1.5
        QCOMPARE(g.screen.size(), one.screen.size() * 1.5);
        QVERIFY(g.restored);
    }

    // At scale 1 the compiled-in pixels are what the SVG renders; other scales and
    // icons are rendered from the SVG at their size, with soft edges.
    void artworkAndIconsRenderAtTheirScale() {
        for (const EmbeddedBitmap* art = EmbeddedArtwork; art->name; ++art) {
            const QByteArray svg(reinterpret_cast<const char*>(art->svg), art->svgSize);
            QCOMPARE(ArtworkAt(art->name, 1.0),
                     KeyedFromAlpha(RenderSvg(svg, QSize(art->width, art->height))));
            QCOMPARE(ArtworkAt(art->name, 2.0).size(), QSize(art->width, art->height) * 2);
        }
        const QPixmap icon = ArtworkIcon("tool-new").pixmap(QSize(20, 20), 2.0);
        QCOMPARE(icon.size(), QSize(40, 40));
        const QImage image = icon.toImage().convertToFormat(QImage::Format_ARGB32);
        int partial = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                partial += qAlpha(image.pixel(x, y)) % 255 != 0;
        QVERIFY(partial > 0);
    }

    // A new scale (as when the window moves to a screen of another ratio) renders
    // the artwork again at it, and the highlight still comes and goes.
    void keypadViewRendersAgainAtANewScale() {
        KeypadView view;
        view.resize(500, 500);
        view.SetPictureTop(29);
        view.RedrawKeypad(0);
        QCOMPARE(view.ScreenImage().size(), QSize(500, 504));
        const QRgb loadRim = view.ScreenImage().pixel(428, 29 + 10);
        view.SetLayoutScale(2);
        const QImage plain = view.ScreenImage();
        QCOMPARE(plain.size(), QSize(950, 1008));
        QVERIFY(Spread(plain.pixel(856, 2 * (29 + 10)), loadRim) < 40);
        const HoverZoneRow row = FindHoverZone(60, 140); // zone 5
        view.DrawHover(HoverTracker::Draw::Highlight, row);
        QVERIFY(view.ScreenImage() != plain);
        view.DrawHover(HoverTracker::Draw::Plain, row);
        QCOMPARE(view.ScreenImage(), plain);
    }

  private:
    static QSize g15(QSize s) { return QSize(qRound(s.width() * 1.5), qRound(s.height() * 1.5)); }
    Grabbed one, two;
};

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--grab") == 0) {
        QApplication app(argc, argv);
        return Grab(QString::fromLocal8Bit(argv[2]));
    }
    QApplication app(argc, argv);
    HiDpiTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "HiDpiTest.moc"
