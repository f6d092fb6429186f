#pragma once
// The loader's end of the local socket: accepts any number of short-lived
// connections, cuts what they send into records and hands each one on.

#include "loader/LoaderProtocol.h"

#include <QLocalServer>
#include <QObject>
#include <QString>

namespace pad {

class LoaderServer : public QObject {
    Q_OBJECT
  public:
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

    QLocalServer server_;
};

} // namespace pad
