#include "loader/link/LoaderLink.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace pad {

namespace {

// A non-blocking connection to the loader's socket, closed when it goes. Plain
// system calls: Qt's network module would cost PadConfig's start more than it
// gives here. A local socket connects at once, or fails at once with EAGAIN when
// the loader has stopped taking connections.
class Connection {
  public:
    enum class State { Absent, Busy, Connected };

    explicit Connection(const std::string& path) {
        sockaddr_un address{};
        if (path.size() >= sizeof(address.sun_path))
            return;
        fd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        if (fd_ < 0)
            return;
        address.sun_family = AF_UNIX;
        std::memcpy(address.sun_path, path.data(), path.size());
        if (::connect(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0)
            state_ = State::Connected;
        else if (errno == EAGAIN)
            state_ = State::Busy;
    }
    ~Connection() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    State state() const { return state_; }
    // The whole record or nothing useful: the loader drops a partial one.
    bool send(const std::uint8_t* data, std::size_t size) {
        return ::send(fd_, data, size, MSG_NOSIGNAL | MSG_DONTWAIT) == ssize_t(size);
    }

  private:
    int fd_ = -1;
    State state_ = State::Absent;
};

} // namespace

LoaderLink::LoaderLink() : place_(LoaderSocketPlaceFromEnvironment()) {}

LoaderLink::LoaderLink(LoaderSocketPlace place) : place_(std::move(place)) {}

bool LoaderLink::placeUsable() const {
    const std::string problem = PrepareLoaderSocketPlace(place_, ::geteuid());
    if (!problem.empty() && !warned_) {
        std::fprintf(stderr, "padconfig: the loader Qd6LoaderS cannot be used: %s\n",
                     problem.c_str());
        warned_ = true;
    }
    return problem.empty();
}

bool LoaderLink::find() const {
    return placeUsable() && Connection(place_.socket).state() != Connection::State::Absent;
}

bool LoaderLink::post(std::uint32_t message, std::uint32_t wParam, std::int32_t lParam) const {
    if (!placeUsable())
        return false;
    Connection connection(place_.socket);
    const LoaderRecordBytes record = encodeLoaderRecord({message, wParam, lParam});
    return connection.state() == Connection::State::Connected &&
           connection.send(record.data(), record.size());
}

} // namespace pad
