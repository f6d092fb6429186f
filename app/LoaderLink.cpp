#include "app/LoaderLink.h"

#include <QFile>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

namespace pad {

namespace {

// A local socket connects at once or not at all; the limit only guards against a
// loader whose queue of unaccepted connections is full. It bounds a write as well.
constexpr int TimeoutMs = 250;

// A connection to the loader's socket, closed when it goes. Plain system calls:
// Qt's network module would cost PadConfig's start more than it gives here.
class Connection {
  public:
    explicit Connection(const QString& path) {
        const QByteArray name = QFile::encodeName(path);
        sockaddr_un address{};
        if (name.size() >= qsizetype(sizeof(address.sun_path)))
            return;
        fd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd_ < 0)
            return;
        const timeval timeout{0, TimeoutMs * 1000};
        ::setsockopt(fd_, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof(timeout));
        address.sun_family = AF_UNIX;
        std::memcpy(address.sun_path, name.constData(), std::size_t(name.size()));
        connected_ =
            ::connect(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0;
    }
    ~Connection() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    bool connected() const { return connected_; }
    bool send(const std::uint8_t* data, std::size_t size) {
        while (size > 0) {
            const ssize_t sent = ::send(fd_, data, size, MSG_NOSIGNAL);
            if (sent <= 0)
                return false;
            data += sent;
            size -= std::size_t(sent);
        }
        return true;
    }

  private:
    int fd_ = -1;
    bool connected_ = false;
};

} // namespace

LoaderLink::LoaderLink() : socketPath_(QString::fromStdString(loaderSocketPath())) {}

LoaderLink::LoaderLink(QString socketPath) : socketPath_(std::move(socketPath)) {}

bool LoaderLink::find() const {
    return Connection(socketPath_).connected();
}

bool LoaderLink::post(std::uint32_t message, std::uint32_t wParam, std::int32_t lParam) const {
    Connection connection(socketPath_);
    const LoaderRecordBytes record = encodeLoaderRecord({message, wParam, lParam});
    return connection.connected() && connection.send(record.data(), record.size());
}

} // namespace pad
