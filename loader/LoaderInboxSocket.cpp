// The loader's inbox on Linux: its local socket, with the instance lock beside it.

#include "loader/LoaderInbox.h"
#include "loader/LoaderServer.h"
#include "loader/LoaderSocketPlace.h"

#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QLockFile>
#include <QTimer>

#include <cstdio>

#include <unistd.h>

namespace pad {
namespace {

constexpr int SocketCheckIntervalMs = 2000;

class SocketInbox : public LoaderInbox {
  public:
    explicit SocketInbox(const QString& path) : path_(path), lock_(path + ".lock") {
        connect(&server_, &LoaderServer::recordReceived, this, &LoaderInbox::recordReceived);
        connect(&server_, &LoaderServer::shortRecordDropped, this,
                &LoaderInbox::shortRecordDropped);
        // A socket that has gone (its runtime folder was removed at logout, or by a test
        // that ended) can never be reached again. The folder's watch tells at once; the
        // timer is for file systems that report no changes.
        connect(&folderWatch_, &QFileSystemWatcher::directoryChanged, this,
                &SocketInbox::checkSocket);
        connect(&socketWatch_, &QTimer::timeout, this, &SocketInbox::checkSocket);
    }

    bool lock() { return lock_.tryLock(0); }
    bool listen() {
        if (!server_.listen(path_))
            return false;
        folderWatch_.addPath(QFileInfo(path_).absolutePath());
        socketWatch_.start(SocketCheckIntervalMs);
        return true;
    }
    QString errorString() const { return server_.errorString(); }

  private:
    void checkSocket() {
        if (!gone_ && !QFileInfo::exists(path_)) {
            gone_ = true;
            emit gone();
        }
    }

    QString path_;
    QLockFile lock_;
    LoaderServer server_;
    QFileSystemWatcher folderWatch_;
    QTimer socketWatch_;
    bool gone_ = false;
};

} // namespace

std::variant<std::unique_ptr<LoaderInbox>, int> OpenLoaderInbox(const LoaderInbox::Trace& trace) {
    const LoaderSocketPlace place = LoaderSocketPlaceFromEnvironment();
    if (const std::string problem = PrepareLoaderSocketPlace(place, ::geteuid());
        !problem.empty()) {
        std::fprintf(stderr, "Qd6LoaderS: %s\n", problem.c_str());
        return 1;
    }
    const QString path = QFile::decodeName(QByteArray::fromStdString(place.socket));
    auto inbox = std::make_unique<SocketInbox>(path);
    if (!inbox->lock()) {
        trace("already running");
        return 0;
    }
    if (!inbox->listen()) {
        std::fprintf(stderr, "Qd6LoaderS: cannot listen on %s: %s\n", qPrintable(path),
                     qPrintable(inbox->errorString()));
        return 1;
    }
    trace("listening " + path);
    return std::unique_ptr<LoaderInbox>(std::move(inbox));
}

} // namespace pad
