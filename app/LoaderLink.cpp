#include "app/LoaderLink.h"

#include <QLocalSocket>

namespace pad {

namespace {

// A local socket connects at once or not at all; the limit only guards against
// a loader whose queue of unaccepted connections is full.
constexpr int ConnectTimeoutMs = 250;
constexpr int WriteTimeoutMs = 250;

} // namespace

LoaderLink::LoaderLink() : socketPath_(QString::fromStdString(loaderSocketPath())) {}

LoaderLink::LoaderLink(QString socketPath) : socketPath_(std::move(socketPath)) {}

bool LoaderLink::find() const {
    QLocalSocket socket;
    socket.connectToServer(socketPath_, QIODevice::WriteOnly);
    const bool found = socket.waitForConnected(ConnectTimeoutMs);
    socket.abort();
    return found;
}

bool LoaderLink::post(std::uint32_t message, std::uint32_t wParam, std::int32_t lParam) const {
    QLocalSocket socket;
    socket.connectToServer(socketPath_, QIODevice::WriteOnly);
    if (!socket.waitForConnected(ConnectTimeoutMs))
        return false;
    const LoaderRecordBytes record = encodeLoaderRecord({message, wParam, lParam});
    const qint64 written =
        socket.write(reinterpret_cast<const char*>(record.data()), qint64(record.size()));
    const bool sent = written == qint64(record.size()) &&
                      (socket.bytesToWrite() == 0 || socket.waitForBytesWritten(WriteTimeoutMs));
    socket.disconnectFromServer();
    return sent;
}

} // namespace pad
