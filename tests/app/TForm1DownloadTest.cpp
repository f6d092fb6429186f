// PadConfig's download and loader handling in the main window: the warnings
// without a usable keypad, starting the loader, the greeting, one download with
// its reports and loader messages (the progress panel stays hidden), and the quit
// message at close.
// Downloads here pause 4 ms after each report instead of the keypad's 70 ms.
// A recording stand-in loader (fake_loader) plays Qd6LoaderS. On an X server the
// test also clicks a key label during the download with a real X click.

#include "app/TForm1.h"
#include "devicelink/WindowMessage.h"
#include "keypad/DownloadImage.h"
#include "model/ProfileFile.h"
#include "tests/support/ScriptedUi.h"
#include "tests/support/TestWindowOptions.h"

#include <QAction>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <cstdint>

using namespace pad;

namespace {

// Counts the events of one type that reach a widget.
struct EventCounter : QObject {
    EventCounter(QObject* target, QEvent::Type type) : type(type) {
        target->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == type)
            ++count;
        return false;
    }
    QEvent::Type type;
    int count = 0;
};

} // namespace

class TForm1DownloadTest : public QObject {
    Q_OBJECT

    QTemporaryDir runtimeDir, programDir;
    Workspace ws;
    ScriptedUi ui;
    std::vector<Report> sent;
    std::function<void(int)> onReport;
    std::size_t reportsTaken = SIZE_MAX; // the keypad takes the reports up to this count
    std::unique_ptr<TForm1> form;

    QString LoaderLog() const { return runtimeDir.filePath("loader.log"); }
    QString SocketPath() const { return runtimeDir.filePath("Qd6LoaderS.sock"); }
    QString LoaderProgram() const { return programDir.filePath("Qd6LoaderS"); }
    QStringList Steps() const { // what the loader hears of a download: steps 1 to 240, end
        QStringList steps;
        for (int n = 1; n <= 241; ++n)
            steps << QString("6a33 %1 %2").arg(std::uint32_t(form->winId())).arg(n);
        return steps;
    }
    // The loader log without its time stamps: "<message hex> <wParam> <lParam>".
    QStringList LoaderMessages() const {
        QFile file(LoaderLog());
        QStringList lines;
        if (file.open(QIODevice::ReadOnly))
            for (const QByteArray& line : file.readAll().split('\n'))
                if (!line.isEmpty())
                    lines << QString(line).section(' ', 1);
        return lines;
    }
    void Presence(std::uint32_t message) {
        WindowMessage::post(&form->Keypad(), message, 0, 0);
        QCoreApplication::processEvents();
    }

  private slots:
    void initTestCase() {
        QVERIFY(runtimeDir.isValid() && programDir.isValid());
        QFile::setPermissions(runtimeDir.path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", runtimeDir.path().toUtf8());
        qputenv("FAKE_LOADER_LOG", LoaderLog().toUtf8());
        qputenv("FAKE_LOADER_START_MS", "700"); // a slow loader, which LOAD waits for
        QVERIFY(LoadProfileFile(ws.profile, EXAMPLE_PROFILE) == FileResult::Ok);

        TForm1Options options = testing::TestWindowOptions(programDir.path(), ui);
        ui.launchPrograms = true; // LOAD below starts the program folder's Qd6LoaderS
        options.reportPause = std::chrono::milliseconds(4); // a download in about 1 s
        options.deviceLink.setKbdFeatures = [this](std::uint32_t page, std::uint32_t usage,
                                                   const std::uint8_t* r) {
            QCOMPARE(page, 0xFF00u);
            QCOMPARE(usage, 0xFF00u);
            Report report;
            std::copy(r, r + 8, report.begin());
            sent.push_back(report);
            if (onReport)
                onReport(int(sent.size()));
        };
        options.deviceLink.writeReport = [this, record = options.deviceLink.setKbdFeatures](
                                             std::uint32_t page, std::uint32_t usage,
                                             const std::uint8_t* r) {
            record(page, usage, r);
            return sent.size() <= reportsTaken ? 1 : 0;
        };
        form = std::make_unique<TForm1>(ws, options);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        form->SwitchViewMode(0); // Mode A: a released key label opens the key menu
        sent.clear();
    }

    void loadWithoutAKeypadWarnsAndSendsNothing() {
        form->StartDownload(); // no presence message yet
        Presence(MSG_KEYPAD_ABSENT);
        form->StartDownload();
        const QString noKeypad =
            "Warning: No keypad connected. The profile was not written to the keypad.";
        QCOMPARE(ui.Messages(), QStringList({noKeypad, noKeypad}));

        ui.shown.clear();
        Presence(MSG_KEYPAD_PRESENT);
        Presence(MSG_KEYPAD_NO_ACCESS);
        form->findChild<QAction*>("Import1")->trigger();
        QCOMPARE(ui.Messages().size(), 1);
        QVERIFY(ui.Messages()[0].startsWith("Warning: "));
        QVERIFY(ui.Messages()[0].contains("70-corvask12-keypad.rules"));

        QVERIFY(!form->Download().DownloadTimer().isActive());
        QVERIFY(ui.started.isEmpty());
        QVERIFY(sent.empty());
        ui.shown.clear();
    }

    // LOAD with no loader that answers (program missing, or never listening) and with a
    // slow one that it starts and waits for: it downloads, and that loader shows it all.
    void loadDownloadsWithOrWithoutALoader() {
        Presence(MSG_KEYPAD_PRESENT);
        for (const QString program : {"", "/bin/true", FAKE_LOADER}) {
            QFile::remove(LoaderProgram());
            QVERIFY(program.isEmpty() || QFile::link(program, LoaderProgram()));
            sent.clear();
            QTest::mouseClick(form->LoadButton(), Qt::LeftButton);
            QTRY_VERIFY_WITH_TIMEOUT(sent == DownloadReports(BuildDownloadImage(ws.profile)), 9000);
            QTRY_COMPARE_WITH_TIMEOUT(LoaderMessages(),
                                      program == FAKE_LOADER ? Steps() : QStringList(), 3000);
        }
        QCOMPARE(ui.started, QStringList(3, LoaderProgram()));
    }

    void greetsTheLoaderOnce() {
        form->Download().LoaderGreetingTimer().start(100);
        QTRY_VERIFY_WITH_TIMEOUT(!form->Download().LoaderGreetingTimer().isActive(), 2000);
        QTest::qWait(300);
        QCOMPARE(LoaderMessages().mid(241), QStringList({"6a33 0 241"}));
        sent.clear();
    }

    void nextLoadDownloadsTheProfile() {
        QWidget* keyLabel = form->KeyLabel(4);
        EventCounter paints(form->KeyLabel(0), QEvent::Paint);
        EventCounter releases(keyLabel, QEvent::MouseButtonRelease);
        const bool realInput = QGuiApplication::platformName() == "xcb" &&
                               !QStandardPaths::findExecutable("xdotool").isEmpty();
        const QPoint target = keyLabel->mapToGlobal(keyLabel->rect().center());
        int paintsBefore = 0, paintsDuring = 0, releasesDuring = -1;
        bool menuDuring = true, panelShown = false;
        onReport = [&](int n) {
            panelShown = panelShown || form->Download().Hidden().progressPanel->isVisible();
            if (n == 3) {
                paintsBefore = paints.count;
                form->KeyLabel(0)->update();
                if (realInput)
                    QProcess::execute("xdotool",
                                      {"mousemove", "--sync", QString::number(target.x()),
                                       QString::number(target.y()), "click", "1"});
            } else if (n == 240) {
                paintsDuring = paints.count;
                releasesDuring = releases.count;
                menuDuring = form->KeyMenu()->isVisible();
            }
        };

        form->StartDownload();
        QVERIFY(form->Download().DownloadTimer().isActive());
        QTest::qWait(120);
        form->StartDownload(); // before the timer fires: the timer runs on unchanged
        QVERIFY(form->Download().DownloadTimer().remainingTime() <= 100);

        const QString end = QString("6a33 %1 241").arg(std::uint32_t(form->winId()));
        QTRY_VERIFY_WITH_TIMEOUT(LoaderMessages().mid(242).contains(end), 40000);
        onReport = nullptr;

        // The keypad got the profile's 240 reports, once.
        QVERIFY(sent == DownloadReports(BuildDownloadImage(ws.profile)));

        // The loader: the first download, hello, the 240 steps of this one and its end.
        const std::uint32_t window = std::uint32_t(form->winId());
        QVERIFY(window != 0);
        QCOMPARE(LoaderMessages(), Steps() + QStringList{"6a33 0 241"} + Steps());

        // The progress panel never showed in the window: progress is the loader's.
        QVERIFY(!panelShown);
        QVERIFY(form->Download().Hidden().progressPanel->isHidden());

        // The window painted during the download; the click waited for its end.
        QVERIFY(paintsDuring > paintsBefore);
        // ctest runs this on an X server of its own, or reports it skipped.
        if (!realInput)
            QFAIL("the held-back click needs an X server (-platform xcb) and xdotool");
        QCOMPARE(releasesDuring, 0);
        QVERIFY(!menuDuring);
        QTRY_COMPARE_WITH_TIMEOUT(releases.count, 1, 3000);
        QTRY_VERIFY_WITH_TIMEOUT(form->KeyMenu()->isVisible(), 3000);
        form->KeyMenu()->hide();
    }

    // A second window shares the loader; when it closes, the loader stays for the first.
    void aWindowClosingLeavesTheLoaderToTheOthers() {
        const int before = int(LoaderMessages().size());
        Workspace ws2;
        TForm1 second(ws2, testing::TestWindowOptions(programDir.path(), ui));
        second.Download().StartLoader(); // as at its start: joins and greets
        QTRY_VERIFY_WITH_TIMEOUT(!second.Download().LoaderGreetingTimer().isActive(), 3000);
        QVERIFY(second.close());
        form->StartDownload();
        QTRY_COMPARE_WITH_TIMEOUT(LoaderMessages().mid(before), QStringList{"6a33 0 241"} + Steps(),
                                  9000);
    }

    // The keypad pulled out during a download: PadLink's absent message arrives in
    // the pause after report 5, or report 3 finds no keypad. The download stops, the
    // loader hears of its end, and the user is told.
    void unpluggedKeypadEndsTheDownloadWithAWarning() {
        const QString window = QString::number(std::uint32_t(form->winId()));
        const QString warning = "Warning: The keypad was disconnected during the download. "
                                "Connect it and press LOAD again.";
        struct Case {
            int absentAfter, refused, written;
        };
        for (Case c : {Case{5, 0, 5}, Case{0, 3, 2}}) {
            Presence(MSG_KEYPAD_PRESENT);
            sent.clear();
            ui.shown.clear();
            reportsTaken = c.refused ? std::size_t(c.refused - 1) : SIZE_MAX;
            onReport = [&](int n) {
                if (n == c.absentAfter) // handled during the pause that follows
                    WindowMessage::post(&form->Keypad(), MSG_KEYPAD_ABSENT, 0, 0);
            };
            const int before = int(LoaderMessages().size());
            form->StartDownload();
            QTRY_COMPARE_WITH_TIMEOUT(ui.Messages(), QStringList{warning}, 5000);
            onReport = nullptr;
            reportsTaken = SIZE_MAX;

            QCOMPARE(int(sent.size()), c.refused ? c.refused : c.written);
            QStringList expected;
            for (int n = 1; n <= c.written; ++n)
                expected << QString("6a33 %1 %2").arg(window).arg(n);
            expected << QString("6a33 %1 241").arg(window);
            QTRY_COMPARE_WITH_TIMEOUT(LoaderMessages().mid(before), expected, 3000);
            QVERIFY(form->Download().Hidden().progressPanel->isHidden());
        }
        ui.shown.clear();
    }

    void closingAsksTheLoaderToQuit() {
        QVERIFY(form->close());
        QTRY_COMPARE_WITH_TIMEOUT(LoaderMessages().value(LoaderMessages().size() - 1),
                                  QString("12 0 0"), 3000);
        QTRY_VERIFY_WITH_TIMEOUT(!QFile::exists(SocketPath()), 3000); // the loader has gone
        QVERIFY(ui.shown.empty());
    }
};

QTEST_MAIN(TForm1DownloadTest)
#include "TForm1DownloadTest.moc"
