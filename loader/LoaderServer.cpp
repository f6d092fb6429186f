#include "loader/LoaderServer.h"

#include <QLocalSocket>
#include <QTimer>

#include <algorithm>
#include <memory>

namespace pad {

LoaderServer::LoaderServer(QObject* parent) : QObject(parent) {
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, &LoaderServer::acceptConnections);
}

bool LoaderServer::listen(const QString& path) {
    // Only one loader per user gets this far (see main), so a file at path is stale.
    QLocalServer::removeServer(path);
    return server_.listen(path);
}

void LoaderServer::forget(QLocalSocket* socket) {
    connections_.erase(std::remove(connections_.begin(), connections_.end(), socket),
                       connections_.end());
}

void LoaderServer::makeRoom() {
    while (connections_.size() >= MaxConnections) {
        QLocalSocket* oldest = connections_.front();
        forget(oldest);
        oldest->abort();
        oldest->deleteLater();
    }
}

void LoaderServer::acceptConnections() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        makeRoom();
        connections_.push_back(socket);
        auto reader = std::make_shared<LoaderRecordReader>();
        auto* idle = new QTimer(socket);
        idle->setSingleShot(true);
        idle->start(IdleTimeoutMs);
        connect(idle, &QTimer::timeout, socket, &QLocalSocket::abort);

        connect(socket, &QLocalSocket::readyRead, this, [this, socket, reader, idle] {
            idle->start(IdleTimeoutMs);
            forget(socket); // now the most recently active
            connections_.push_back(socket);
            const QByteArray bytes = socket->readAll();
            const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
            for (const LoaderRecord& record :
                 reader->feed(std::span(data, static_cast<std::size_t>(bytes.size()))))
                emit recordReceived(record);
        });
        connect(socket, &QLocalSocket::disconnected, this, [this, socket, reader] {
            forget(socket);
            if (reader->pending() > 0)
                emit shortRecordDropped(static_cast<int>(reader->pending()));
            socket->deleteLater();
        });
    }
}

} // namespace pad
