#include "modes/control/ChildProcess.h"

#include <QFileInfo>
#include <QProcess>
#include <QTimer>

namespace pad {

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
    QObject::connect(process, &QProcess::errorOccurred, owner,
                     [process, finish, name](QProcess::ProcessError error) {
                         if (error == QProcess::FailedToStart)
                             finish(-1, name + " cannot be started: " +
                                            process->errorString().toStdString());
                     });
    QObject::connect(timeout, &QTimer::timeout, owner, [process, finish, name] {
        finish(-1, name + " did not answer");
        process->kill();
    });
    timeout->start(timeoutMs);
    process->start(program, arguments);
}

} // namespace pad
