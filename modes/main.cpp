// padconfig-modes: switches the Corvask 12 keypad's mode with the focused application,
// by the rules of ~/.config/padconfig/modes.conf. One instance per user.

#include "common/Version.h"
#include "modes/ModeService.h"
#include "modes/ServiceCommandLine.h"
#include "modes/bus/InstanceLock.h"
#include "modes/bus/WindowList.h"
#include "modes/focus/FocusStatus.h"
#include "modes/rules/RulesFile.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QSocketNotifier>
#include <QStringList>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include <csignal>
#include <sys/signalfd.h>
#include <unistd.h>

namespace {

using Options = pad::ServiceCommand;

// The options, or the exit status when they are answered already or wrong. Each option
// is taken only as written here: "-help", "--h" and "--print=1" are unknown options.
std::optional<int> ReadOptions(int argc, char** argv, Options& options) {
    const QCommandLineOption help(QStringList{"h", "help"}), version("version"), print("print"),
        check("check"), listWindows("list-windows");
    const std::set<std::string_view> spellings{"-h",      "--help",  "--version",
                                               "--print", "--check", "--list-windows"};
    QStringList words;
    bool optionsEnd = false;
    for (int i = 0; i < argc; ++i) {
        const std::string_view argument = argv[i];
        optionsEnd = optionsEnd || argument == "--";
        if (i > 0 && !optionsEnd && argument.size() > 1 && argument.front() == '-' &&
            !spellings.contains(argument))
            return pad::ServiceUsageError("unknown option '" + std::string(argument) + "'");
        words << QString::fromLocal8Bit(argument.data(), qsizetype(argument.size()));
    }
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions({help, version, print, check, listWindows});
    if (!parser.parse(words))
        return pad::ServiceUsageError(parser.errorText().toStdString());
    if (parser.isSet(help)) {
        pad::PrintServiceHelp();
        return pad::ServiceExitOk;
    }
    if (parser.isSet(version)) {
        std::printf("padconfig-modes %s\n", pad::ProjectVersion);
        return pad::ServiceExitOk;
    }
    options.print = parser.isSet(print);
    options.check = parser.isSet(check);
    options.listWindows = parser.isSet(listWindows);
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        return pad::ServiceUsageError("one rules file at a time: '" +
                                      files.at(1).toLocal8Bit().toStdString() + "'");
    if (!files.isEmpty())
        options.file = files.front().toLocal8Bit().toStdString();
    if (options.file && !options.check)
        return pad::ServiceUsageError("a rules file is named only with --check: '" + *options.file +
                                      "'");
    if (options.check && options.print)
        return pad::ServiceUsageError("--check and --print do not go together");
    if (options.listWindows && (options.check || options.print))
        return pad::ServiceUsageError("--list-windows goes with no other option");
    return std::nullopt;
}

pad::FocusConnection ConnectDesktop(const pad::FocusSource::Events& events,
                                    const pad::CompositorRoute& route) {
    return pad::ConnectFocusSource(pad::DesktopSession::fromEnvironment(), events, route);
}

// --list-windows: the windows as the service would see them now. Beside a running
// service, KDE Plasma's and GNOME's come from that service, to which alone their
// compositor reports.
int PrintOpenWindows() {
    const pad::DesktopSession session = pad::DesktopSession::fromEnvironment();
    const pad::CompositorRoute route{pad::InstanceLock::holder()
                                         ? pad::CompositorRoute::To::RunningService
                                         : pad::CompositorRoute::To::Nobody,
                                     {}};
    const pad::FocusConnection connection = ConnectDesktop({}, route);
    pad::WindowList list;
    list.status = pad::StatusOfSession(
        session, connection.source ? connection.source->description() : "", connection.failure);
    if (connection.source)
        list.windows = connection.source->openWindows();
    else
        list.failure = connection.failure;
    const std::string output = pad::WriteWindowList(list);
    std::fwrite(output.data(), 1, output.size(), stdout);
    return connection.source ? pad::ServiceExitOk : pad::ServiceExitFailure;
}

// SIGTERM (systemd stopping the service), SIGINT and SIGHUP end the event loop, so
// that the service closes its connections and exits with status 0. Returns the
// descriptor the signals arrive on, or -1.
int BlockEndingSignals() {
    sigset_t ending;
    sigemptyset(&ending);
    for (const int signal : {SIGTERM, SIGINT, SIGHUP})
        sigaddset(&ending, signal);
    if (sigprocmask(SIG_BLOCK, &ending, nullptr) != 0)
        return -1;
    return signalfd(-1, &ending, SFD_CLOEXEC | SFD_NONBLOCK);
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    if (const auto status = ReadOptions(argc, argv, options))
        return *status;
    if (options.check)
        return pad::CheckRules(options.file ? std::filesystem::path(*options.file)
                                            : pad::DefaultRulesPath());

    const int endingSignals = BlockEndingSignals();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("padconfig-modes");
    QCoreApplication::setApplicationVersion(pad::ProjectVersion);
    if (options.listWindows)
        return PrintOpenWindows();
    std::unique_ptr<QSocketNotifier> signalNotifier;
    if (endingSignals >= 0) {
        signalNotifier = std::make_unique<QSocketNotifier>(endingSignals, QSocketNotifier::Read);
        QObject::connect(signalNotifier.get(), &QSocketNotifier::activated, &app,
                         [] { QCoreApplication::quit(); });
    }

    // Without the session's runtime folder, the instance lock and the keypad lock could
    // lie elsewhere than those of the service the session started: two services would
    // send every mode twice, one of them into the other's downloads.
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); !runtime || !*runtime) {
        std::fputs("padconfig-modes: XDG_RUNTIME_DIR is not set; padconfig-modes runs inside "
                   "the user's desktop session, which sets it (as a systemd user service, from "
                   "the autostart entry or from the desktop's own start-up)\n",
                   stderr);
        return pad::ServiceExitFailure;
    }
    pad::InstanceLock::Attempt lock = pad::InstanceLock::acquire();
    if (const auto status = pad::SettleInstance(lock, options.print))
        return *status;
    pad::ServiceParts parts{ConnectDesktop, pad::makeKeypadModePort};
    if (lock.otherInstance)
        parts.makePort = [](QObject*, pad::KeypadPortEvents) {
            return std::make_unique<pad::PrintOnlyPort>();
        };
    pad::ModeService service({options.print, pad::DefaultRulesPath(), lock.otherInstance},
                             std::move(parts));
    if (!service.start())
        return pad::ServiceExitFailure;
    return QCoreApplication::exec();
}
