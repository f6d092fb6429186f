// Qd6LoaderS: the companion loader that PadConfig starts. It takes PadConfig's
// messages in its inbox (its local socket on Linux, its window on Windows) and shows a
// download's progress. One instance per user: a second one exits at once.

#include "common/Version.h"
#include "common/WindowSystem.h"
#include "loader/LoaderInbox.h"
#include "loader/TQd6LdrSDlg.h"
#include "look/PadLook.h"
#include "texts/LanguageLookup.h"
#include "texts/qt/QtPath.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFile>

#include <cstdio>
#include <optional>
#include <string_view>
#include <variant>
#include <vector>

namespace {

// With --trace every record and every change of the window goes to standard
// error, one line each, so the loader can be watched from outside.
class Trace {
  public:
    explicit Trace(bool on) : on_(on) {}
    void operator()(const QString& line) const {
        if (!on_)
            return;
        std::fprintf(stderr, "%s\n", qPrintable(line));
        std::fflush(stderr);
    }

  private:
    bool on_;
};

QString describe(const pad::LoaderCommand& command, const pad::LoaderRecord& record) {
    switch (command.kind) {
    case pad::LoaderCommandKind::Hello:
        return "hello";
    case pad::LoaderCommandKind::Progress:
        return QString("progress %1").arg(command.progress);
    case pad::LoaderCommandKind::Complete:
        return "complete";
    case pad::LoaderCommandKind::Quit:
        return "quit";
    case pad::LoaderCommandKind::Ignore:
        break;
    }
    return QString("ignored %1 %2 %3")
        .arg(record.message, 0, 16)
        .arg(record.wParam, 0, 16)
        .arg(record.lParam);
}

enum class Information { None, Help, Version };

// --help and --version are answered before the window system starts, so that they
// need no display.
Information informationAskedFor(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--")
            break;
        if (argument == "--help" || argument == "-h" || argument == "-?" ||
            argument == "--help-all")
            return Information::Help;
        if (argument == "--version" || argument == "-v")
            return Information::Version;
    }
    return Information::None;
}

const QCommandLineOption
    traceOption("trace",
                "Print every message received and every change of the window to standard error.");

void describeOptions(QCommandLineParser& parser) {
    parser.setApplicationDescription("Shows the progress of PadConfig's downloads to the keypad.");
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption(traceOption);
}

// Prints the help or the version when one is asked for and returns the exit status.
std::optional<int> answerInformation(int argc, char* argv[], const QCommandLineParser& parser) {
    const Information asked = informationAskedFor(argc, argv);
    if (asked == Information::None)
        return std::nullopt;
    const QCoreApplication app(argc, argv);
    if (asked == Information::Help)
        std::fputs(qPrintable(parser.helpText()), stdout);
    else
        std::printf("Qd6LoaderS %s\n", pad::ProjectVersion);
    return 0;
}

void setUpApplication(QApplication& app) {
    QApplication::setApplicationName(QString::fromLatin1(pad::LoaderApplicationName));
    // The progress window belongs to PadConfig, which has the only menu entry: on
    // Wayland it carries PadConfig's app id, so the desktop shows it under PadConfig's
    // name and icon rather than as an unknown program.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(pad::AppId));
    QApplication::setQuitOnLastWindowClosed(false); // closing the status window only hides it
    pad::ApplyLook(app); // PadConfig's look, so the window reads as part of it
}

// Reads the options Qt has left in the arguments; the exit status when the loader
// cannot go on: an unknown option, or no display.
std::optional<int> refusalOfArguments(QCommandLineParser& parser, bool noDisplay) {
    if (!parser.parse(QApplication::arguments())) {
        std::fprintf(stderr, "Qd6LoaderS: %s\nTry 'Qd6LoaderS --help' for more information.\n",
                     qPrintable(parser.errorText()));
        return 2;
    }
    if (noDisplay) {
        std::fprintf(stderr, "Qd6LoaderS: %s\n", pad::NoDisplayMessage);
        return 1;
    }
    return std::nullopt;
}

// The texts of the language PadConfig uses: the loader lies in PadConfig's program folder.
pad::Texts padConfigTexts() {
    const std::filesystem::path folder =
        pad::FileSystemPathOf(QCoreApplication::applicationDirPath());
    auto found = pad::FindLanguageFile(
        pad::LanguageSearchFromEnvironment(folder, pad::ShippedLanguageFolders(folder)));
    return found ? pad::Texts(std::move(found->file)) : pad::Texts();
}

// Each record PadConfig sends changes the window or, for Quit, ends the loader.
void connectWindow(pad::LoaderInbox& inbox, pad::TQd6LdrSDlg& window, Trace trace) {
    QObject::connect(&window, &pad::TQd6LdrSDlg::shownChanged,
                     [trace](bool visible) { trace(visible ? "shown" : "hidden"); });
    QObject::connect(&inbox, &pad::LoaderInbox::shortRecordDropped,
                     [trace](int bytes) { trace(QString("short %1").arg(bytes)); });
    QObject::connect(&inbox, &pad::LoaderInbox::recordReceived,
                     [&window, trace](const pad::LoaderRecord& record) {
                         const pad::LoaderCommand command = pad::interpretLoaderRecord(record);
                         trace(describe(command, record));
                         if (command.kind == pad::LoaderCommandKind::Quit)
                             QCoreApplication::quit();
                         else
                             window.apply(command);
                     });
}

} // namespace

int main(int argc, char* argv[]) {
    QCommandLineParser parser;
    describeOptions(parser);
    if (const std::optional<int> status = answerInformation(argc, argv, parser))
        return *status;

    std::vector<char*> qtArgv(argv, argv + argc);
    const bool noDisplay = pad::StartOffscreenWithoutDisplay(qtArgv);
    int qtArgc = int(qtArgv.size());
    qtArgv.push_back(nullptr);
    QApplication app(qtArgc, qtArgv.data());
    setUpApplication(app);
    if (const std::optional<int> status = refusalOfArguments(parser, noDisplay))
        return *status;
    const Trace trace(parser.isSet(traceOption));

    auto opened = pad::OpenLoaderInbox(trace);
    if (const int* status = std::get_if<int>(&opened))
        return *status;
    pad::LoaderInbox& inbox = *std::get<std::unique_ptr<pad::LoaderInbox>>(opened);
    QObject::connect(&inbox, &pad::LoaderInbox::gone, [trace] {
        trace("socket gone");
        QCoreApplication::quit();
    });

    pad::TQd6LdrSDlg window(padConfigTexts());
    connectWindow(inbox, window, trace);
    return app.exec();
}
