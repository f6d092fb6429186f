// A window for the focus scenario: focus_window APP_ID TITLE shows an empty window
// whose Wayland app id and X11 window class are APP_ID.

#include <QGuiApplication>
#include <QPainter>
#include <QRasterWindow>

class PlainWindow : public QRasterWindow {
  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter(this).fillRect(QRect(QPoint(), size()), Qt::darkCyan);
    }
};

int main(int argc, char** argv) {
    if (argc != 3)
        return 2;
    QGuiApplication::setApplicationName(QString::fromUtf8(argv[1]));
    QGuiApplication::setDesktopFileName(QString::fromUtf8(argv[1]));
    QGuiApplication app(argc, argv);
    PlainWindow window;
    window.setTitle(QString::fromUtf8(argv[2]));
    window.resize(320, 200);
    window.show();
    return QGuiApplication::exec();
}
