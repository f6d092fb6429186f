// The yardstick of PadConfig's start-up: an empty Qt main window with a menu bar,
// shown as soon as the application exists.

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle("Empty window");
    window.menuBar()->addMenu("&File")->addAction("E&xit", &app, &QApplication::quit);
    window.menuBar()->addMenu("&Help");
    window.resize(467, 480);
    window.show();
    return app.exec();
}
