// padconfig-modes: switches the Corvask 12 keypad's mode with the focused application,
// by the rules of ~/.config/padconfig/modes.conf. One instance per user.

#include "common/Version.h"
#include "modes/InstanceLock.h"
#include "modes/ModeService.h"
#include "modes/ServiceCommandLine.h"
#include "modes/rules/RulesFile.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <memory>
#include <string>
#include <vector>

#include <csignal>
#include <sys/signalfd.h>
#include <unistd.h>

namespace {

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
    pad::ServiceCommand options;
    if (const auto status = pad::ReadServiceCommand({argv, argv + argc}, options))
        return *status;
    if (options.check)
        return pad::CheckRules(options.file ? std::filesystem::path(*options.file)
                                            : pad::DefaultRulesPath());

    const int endingSignals = BlockEndingSignals();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("padconfig-modes");
    QCoreApplication::setApplicationVersion(pad::ProjectVersion);
    std::unique_ptr<QSocketNotifier> signalNotifier;
    if (endingSignals >= 0) {
        signalNotifier = std::make_unique<QSocketNotifier>(endingSignals, QSocketNotifier::Read);
        QObject::connect(signalNotifier.get(), &QSocketNotifier::activated, &app,
                         [] { QCoreApplication::quit(); });
    }

    pad::InstanceLock::Attempt lock = pad::InstanceLock::acquire();
    if (const auto status = pad::SettleInstance(lock, options.print))
        return *status;
    pad::ModeService service({options.print, pad::DefaultRulesPath(), lock.otherInstance});
    if (!service.start())
        return pad::ServiceExitFailure;
    return QCoreApplication::exec();
}
