// A download keeps the window painting but leaves mouse input queued until it
// ends. Needs a real X server (Xvfb) and xdotool, because only input that comes
// from the window system is held back; events sent by the test library are not.

#include "keypad/DownloadRunner.h"

#include <QApplication>
#include <QProcess>
#include <QPushButton>
#include <QtTest>

using namespace pad;
using namespace std::chrono_literals;

namespace {

class PaintCountingButton : public QPushButton {
  public:
    using QPushButton::QPushButton;
    int paints = 0;

  protected:
    void paintEvent(QPaintEvent* event) override {
        ++paints;
        QPushButton::paintEvent(event);
    }
};

} // namespace

class DownloadInputTest : public QObject {
    Q_OBJECT
  private slots:
    void paintsDuringADownloadAndHandlesAClickOnlyAfterIt();
};

void DownloadInputTest::paintsDuringADownloadAndHandlesAClickOnlyAfterIt() {
    // ctest runs this on an X server of its own, or reports it skipped.
    if (QGuiApplication::platformName() != "xcb" ||
        QStandardPaths::findExecutable("xdotool").isEmpty())
        QFAIL("needs an X server (-platform xcb) and xdotool");

    PaintCountingButton button("LOAD");
    button.setGeometry(100, 100, 160, 60);
    int clicks = 0;
    connect(&button, &QPushButton::clicked, [&] { ++clicks; });
    button.show();
    QVERIFY(QTest::qWaitForWindowExposed(&button));
    QTest::qWait(100);

    const QPoint target = button.mapToGlobal(button.rect().center());
    int paintsBefore = 0, paintsDuring = 0, clicksDuring = -1;
    DownloadHooks hooks;
    int sends = 0;
    hooks.sendReport = [&](const Report&) {
        if (++sends == 2) {
            paintsBefore = button.paints;
            button.update();
            QProcess::execute("xdotool", {"mousemove", "--sync", QString::number(target.x()),
                                          QString::number(target.y()), "click", "1"});
        }
        return true;
    };
    hooks.pauseUntil = PauseWithoutInputUntil;
    hooks.reportDone = [&](int sent) {
        if (sent == 40) { // 38 pauses after the click, each with 2 ms of event loop
            paintsDuring = button.paints;
            clicksDuring = clicks;
        }
    };

    QCOMPARE(RunDownload(DownloadImage{}, hooks, 4ms).sent, ReportsPerDownload);
    QVERIFY2(paintsDuring > paintsBefore, "no paint event during the download");
    QCOMPARE(clicksDuring, 0);
    QTRY_COMPARE_WITH_TIMEOUT(clicks, 1, 3000); // the click waited and is handled now
}

QTEST_MAIN(DownloadInputTest)
#include "DownloadInputTest.moc"
