// The mode service switched on and off on Windows: the Run keys for the sign-in
// (Autostart.h) and the running service. Stopping waits for the service to end, so the
// steps run on a thread of their own.

#include "modes/control/ServiceControl.h"

#include "modes/control/Autostart.h"

#include <QDir>
#include <QFileInfo>
#include <QMetaObject>
#include <QThread>

#include <memory>

namespace pad {
namespace {

std::optional<std::string> RunStep(const SwitchStep& step, const QString& program) {
    using Kind = SwitchStep::Kind;
    const std::filesystem::path path = program.toStdWString();
    if (program.isEmpty() &&
        (step.kind == Kind::CopyAutostartEntry || step.kind == Kind::StartService))
        return std::string(ServiceProgramName) + ".exe" + NotInstalledText;
    switch (step.kind) {
    case Kind::CopyAutostartEntry:
        return EnableAutostart(path);
    case Kind::RemoveAutostartEntry:
        return DisableAutostart();
    case Kind::StartService:
        return StartModeService(path);
    case Kind::StopService:
        return StopModeService();
    case Kind::Systemctl: // no systemd on Windows: never planned
        break;
    }
    return std::nullopt;
}

} // namespace

QString FindServiceProgram(const QString& programFolder) {
    const QString program =
        programFolder + QLatin1Char('/') +
        QString::fromLatin1(ServiceProgramName.data(), qsizetype(ServiceProgramName.size())) +
        QStringLiteral(".exe");
    return QFileInfo::exists(program) ? QDir::toNativeSeparators(QDir::cleanPath(program))
                                      : QString();
}

ModeServiceControl::ModeServiceControl(QString programFolder, QObject* parent)
    : QObject(parent), programFolder_(std::move(programFolder)) {}

void ModeServiceControl::probe(std::function<void(const ServiceSetup&)> done) {
    // The Run keys stand in for the autostart entry; Windows has no systemd.
    ServiceSetup setup;
    setup.autostartEntry = StartsAtSignIn();
    QMetaObject::invokeMethod(
        this, [setup, done] { done(setup); }, Qt::QueuedConnection);
}

void ModeServiceControl::switchService(
    bool on, const ServiceSetup& setup,
    std::function<void(const std::optional<std::string>&)> done) {
    const std::vector<SwitchStep> steps = PlanServiceSwitch(on, setup);
    const QString program = FindServiceProgram(programFolder_);
    auto failure = std::make_shared<std::optional<std::string>>();
    QThread* worker = QThread::create([steps, program, failure] {
        for (const SwitchStep& step : steps)
            if ((*failure = RunStep(step, program)))
                return;
    });
    // The thread is not this object's child: it ends by itself, whenever this goes.
    connect(worker, &QThread::finished, worker, &QObject::deleteLater);
    connect(worker, &QThread::finished, this, [failure, done] { done(*failure); });
    worker->start();
}

} // namespace pad
