// The mode service switched on and off on Linux: systemctl, the autostart entry, and
// the instance that holds the service's lock.

#include "modes/control/ServiceControl.h"

#include "modes/bus/InstanceLock.h"
#include "modes/control/ChildProcess.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <vector>

namespace pad {
namespace {

// A systemctl that has not ended by then is not waiting for anything good.
constexpr int SystemctlTimeoutMs = 20000;

QString Local(const std::filesystem::path& path) {
    return QFile::decodeName(path.c_str());
}

// The first of the candidates that exists, else empty.
QString FirstExisting(const QStringList& candidates) {
    for (const QString& candidate : candidates)
        if (!candidate.isEmpty() && QFile::exists(candidate))
            return QDir::cleanPath(candidate);
    return {};
}

using Finished =
    std::function<void(int exitCode, const std::string& output, const std::string& errors)>;
using SwitchDone = std::function<void(const std::optional<std::string>&)>;

// Runs systemctl; a systemctl that cannot start or does not end gives exit code -1.
void Systemctl(QObject* owner, const std::vector<std::string>& arguments, Finished done) {
    QStringList list;
    for (const std::string& argument : arguments)
        list << QString::fromStdString(argument);
    RunChildProcess(owner, QStringLiteral("systemctl"), list, SystemctlTimeoutMs,
                    [done](const ChildEnd& end) { done(end.exitCode, end.output, end.errors); });
}

std::optional<std::string> CopyAutostartEntry(const QString& programFolder) {
    const QString name = QString::fromLatin1(ServiceProgramName.data(), ServiceProgramName.size()) +
                         QStringLiteral(".desktop");
    const QString source = FirstExisting(
        {programFolder + QStringLiteral("/" PADCONFIG_INSTALLED_AUTOSTART_DIR "/") + name,
         programFolder + QStringLiteral("/" PADCONFIG_BUILD_AUTOSTART_DIR "/") + name,
         QStandardPaths::locate(QStandardPaths::GenericDataLocation,
                                QStringLiteral("padconfig/autostart/") + name)});
    if (source.isEmpty())
        return "the autostart entry " + name.toStdString() + NotInstalledText;
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return source.toStdString() + " cannot be read: " + in.errorString().toStdString();
    const QByteArray entry = in.readAll();
    const QString target = Local(AutostartEntryPath());
    QDir().mkpath(QFileInfo(target).absolutePath());
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly) || out.write(entry) != entry.size() || !out.commit())
        return target.toStdString() + " cannot be written: " + out.errorString().toStdString();
    return std::nullopt;
}

std::optional<std::string> RemoveAutostartEntry() {
    std::error_code error;
    std::filesystem::remove(AutostartEntryPath(), error);
    if (error)
        return AutostartEntryPath().string() + " cannot be removed: " + error.message();
    return std::nullopt;
}

std::optional<std::string> StartService(const QString& programFolder) {
    if (InstanceLock::holder())
        return std::nullopt;
    const QString program = FindServiceProgram(programFolder);
    if (program.isEmpty())
        return std::string(ServiceProgramName) + NotInstalledText;
    if (!QProcess::startDetached(program, {}))
        return program.toStdString() + " cannot be started";
    return std::nullopt;
}

std::optional<std::string> StopService() {
    const auto holder = InstanceLock::holder();
    if (!holder)
        return std::nullopt;
    if (*holder <= 0)
        return "padconfig-modes runs, but its process cannot be found to end it";
    if (kill(*holder, SIGTERM) != 0 && errno != ESRCH)
        return "padconfig-modes (pid " + std::to_string(*holder) +
               ") cannot be ended: " + std::strerror(errno);
    return std::nullopt;
}

void RunSteps(QObject* owner, const QString& programFolder, std::vector<SwitchStep> steps,
              std::size_t next, SwitchDone done) {
    using Kind = SwitchStep::Kind;
    for (; next < steps.size(); ++next) {
        const SwitchStep& step = steps[next];
        std::optional<std::string> failure;
        switch (step.kind) {
        case Kind::Systemctl:
            Systemctl(owner, step.arguments,
                      [owner, programFolder, steps, next, done](int code, const std::string&,
                                                                const std::string& errors) {
                          if (code != 0)
                              done(errors.empty() ? "systemctl failed" : errors);
                          else
                              RunSteps(owner, programFolder, steps, next + 1, done);
                      });
            return;
        case Kind::CopyAutostartEntry:
            failure = CopyAutostartEntry(programFolder);
            break;
        case Kind::RemoveAutostartEntry:
            failure = RemoveAutostartEntry();
            break;
        case Kind::StartService:
            failure = StartService(programFolder);
            break;
        case Kind::StopService:
            failure = StopService();
            break;
        }
        if (failure) {
            QMetaObject::invokeMethod(
                owner, [done, failure] { done(failure); }, Qt::QueuedConnection);
            return;
        }
    }
    QMetaObject::invokeMethod(
        owner, [done] { done(std::nullopt); }, Qt::QueuedConnection);
}

} // namespace

QString FindServiceProgram(const QString& programFolder) {
    const QString name = QString::fromLatin1(ServiceProgramName.data(), ServiceProgramName.size());
    // The service of this PadConfig first: beside it in the build tree, in bin/ of its
    // prefix when installed; then the one the autostart entry will start, from PATH.
    const QString program =
        FirstExisting({programFolder + QLatin1Char('/') + name,
                       programFolder + QStringLiteral("/" PADCONFIG_INSTALLED_BIN_DIR "/") + name});
    return program.isEmpty() ? QStandardPaths::findExecutable(name) : program;
}

ModeServiceControl::ModeServiceControl(QString programFolder, QObject* parent)
    : QObject(parent), programFolder_(std::move(programFolder)) {}

void ModeServiceControl::probe(std::function<void(const ServiceSetup&)> done) {
    ServiceSetup setup;
    setup.autostartEntry = std::filesystem::exists(AutostartEntryPath());
    Systemctl(this, SystemdSessionProbe(),
              [this, setup, done](int code, const std::string& output, const std::string&) mutable {
                  setup.systemdSession = ReadSystemdSession(code, output);
                  Systemctl(this, UnitEnabledProbe(),
                            [setup, done](int code, const std::string& output,
                                          const std::string&) mutable {
                                setup.unitEnabled = ReadUnitEnabled(code, output);
                                done(setup);
                            });
              });
}

void ModeServiceControl::switchService(
    bool on, const ServiceSetup& setup,
    std::function<void(const std::optional<std::string>&)> done) {
    RunSteps(this, programFolder_, PlanServiceSwitch(on, setup), 0, std::move(done));
}

} // namespace pad
