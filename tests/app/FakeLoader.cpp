// A stand-in for Qd6LoaderS in tests: listens on the loader's socket and
// appends every record it receives to a file as
//   <steady-clock nanoseconds> <message hex> <wParam> <lParam>
// It takes the loader's instance lock too, so a real loader started meanwhile
// exits at once, and it exits itself after the quit message (or 5 minutes).
// FAKE_LOADER_START_MS makes it start that much later, as a slow loader would.
// Usage: fake_loader LOGFILE   (or FAKE_LOADER_LOG in the environment)

#include "loader/LoaderProtocol.h"
#include "loader/LoaderSocketPlace.h"

#include <QCoreApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <memory>
#include <thread>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString logPath =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : qEnvironmentVariable("FAKE_LOADER_LOG");
    std::FILE* log = std::fopen(logPath.toLocal8Bit().constData(), "a");
    if (!log) {
        std::fprintf(stderr, "fake_loader: cannot write %s\n", qPrintable(logPath));
        return 2;
    }

    const QString path = QString::fromStdString(pad::LoaderSocketPlaceFromEnvironment().socket);
    QLockFile lock(path + ".lock");
    if (!lock.tryLock(0))
        return 0;
    if (const int startMs = qEnvironmentVariableIntValue("FAKE_LOADER_START_MS"); startMs > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(startMs));
    QLocalServer server;
    server.setSocketOptions(QLocalServer::UserAccessOption);
    QLocalServer::removeServer(path);
    if (!server.listen(path)) {
        std::fprintf(stderr, "fake_loader: cannot listen on %s\n", qPrintable(path));
        return 2;
    }

    QObject::connect(&server, &QLocalServer::newConnection, [&] {
        while (QLocalSocket* socket = server.nextPendingConnection()) {
            auto reader = std::make_shared<pad::LoaderRecordReader>();
            auto take = [socket, reader, log] {
                const QByteArray bytes = socket->readAll();
                const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
                for (const pad::LoaderRecord& r :
                     reader->feed(std::span(data, std::size_t(bytes.size())))) {
                    const auto now = std::chrono::steady_clock::now().time_since_epoch();
                    std::fprintf(log, "%lld %x %u %d\n",
                                 static_cast<long long>(std::chrono::nanoseconds(now).count()),
                                 r.message, r.wParam, r.lParam);
                    std::fflush(log);
                    if (r.message == pad::LoaderQuitMessage)
                        QCoreApplication::quit();
                }
            };
            QObject::connect(socket, &QLocalSocket::readyRead, take);
            QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
    // A test that fails before closing PadConfig must not leave this behind.
    QTimer::singleShot(std::chrono::minutes(5), &app, &QCoreApplication::quit);
    const int result = app.exec();
    std::fclose(log);
    return result;
}
