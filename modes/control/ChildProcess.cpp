#include "modes/control/ChildProcess.h"

#include "modes/control/ServiceSwitch.h"

#include <QFileInfo>
#include <QMetaObject>
#include <QProcess>
#include <QTimer>

namespace pad {
namespace {

// Connecting to the desktop and listing its windows takes a moment; one that does not
// end by then is not waiting for anything good.
constexpr int ListWindowsTimeoutMs = 10000;

} // namespace

void RunChildProcess(QObject* owner, const QString& program, const QStringList& arguments,
                     int timeoutMs, std::function<void(const ChildEnd&)> done) {
    auto* process = new QProcess(owner);
    auto* timeout = new QTimer(process);
    timeout->setSingleShot(true);
    const std::string name = QFileInfo(program).fileName().toStdString();
    // Called once: when the child ends, cannot start, or is given up on.
    auto finish = [process, done](int exitCode, std::string errors) {
        if (process->property("finished").toBool())
            return;
        process->setProperty("finished", true);
        ChildEnd end{exitCode, process->readAllStandardOutput().toStdString(), std::move(errors)};
        if (end.errors.empty())
            end.errors = process->readAllStandardError().trimmed().toStdString();
        process->deleteLater();
        done(end);
    };
    QObject::connect(process, &QProcess::finished, owner,
                     [process, finish](int code, QProcess::ExitStatus) {
                         finish(process->exitStatus() == QProcess::NormalExit ? code : -1, {});
                     });
    QObject::connect(
        process, &QProcess::errorOccurred, owner,
        [process, finish, name](QProcess::ProcessError error) {
            if (error == QProcess::FailedToStart)
                finish(-1, name + " cannot be started: " + process->errorString().toStdString());
        });
    QObject::connect(timeout, &QTimer::timeout, owner, [process, finish, name] {
        finish(-1, name + " did not answer");
        process->kill();
    });
    timeout->start(timeoutMs);
    process->start(program, arguments);
}

void ListWindows(QObject* owner, const QString& serviceProgram,
                 std::function<void(const WindowList&)> done) {
    const std::string program(ServiceProgramName);
    auto failed = [done](const std::string& why) { done({{{}, false, why}, {}, why}); };
    if (serviceProgram.isEmpty()) {
        QMetaObject::invokeMethod(
            owner, [failed, program] { failed(program + NotInstalledText); }, Qt::QueuedConnection);
        return;
    }
    RunChildProcess(owner, serviceProgram, {QStringLiteral("--list-windows")}, ListWindowsTimeoutMs,
                    [done, failed, program](const ChildEnd& end) {
                        if (auto list = ReadWindowList(end.output))
                            return done(*list);
                        failed(end.errors.empty() ? program + " --list-windows failed"
                                                  : end.errors);
                    });
}

} // namespace pad
