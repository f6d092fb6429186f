#pragma once
// The loader's end of the local socket: accepts short-lived connections, cuts what
// they send into records and hands each one on. It keeps at most a fixed number of
// connections: a new one beyond that drops the one that has been idle longest, so
// that clients piling up can never use up the loader's file descriptors.

#include "loader/LoaderProtocol.h"

#include <QLocalServer>
#include <QObject>
#include <QString>

#include <vector>

class QLocalSocket;

namespace pad {

class LoaderServer : public QObject {
    Q_OBJECT
  public:
    static constexpr std::size_t MaxConnections = 32;

    explicit LoaderServer(QObject* parent = nullptr);

    // Listens on path, readable and writable by this user only. A socket file
    // left behind by a loader that died is replaced. False when it cannot listen.
    bool listen(const QString& path);
    QString errorString() const { return server_.errorString(); }

    // A connection that sends nothing for this long is dropped, so a peer that
    // connects and never writes holds nothing for ever.
    static constexpr int IdleTimeoutMs = 5000;

  signals:
    void recordReceived(const pad::LoaderRecord& record);
    // A connection closed with fewer than 12 bytes of a record left over.
    void shortRecordDropped(int bytes);

  private:
    void acceptConnections();
    void makeRoom();
    void forget(QLocalSocket* socket);

    // The open connections, the one idle longest first. Declared before server_: the
    // sockets are its children and still report their end while it is destroyed.
    std::vector<QLocalSocket*> connections_;
    QLocalServer server_;
};

} // namespace pad
