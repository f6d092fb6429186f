#include "loader/link/LoaderUsers.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace pad {

LoaderUsers::LoaderUsers(std::string file) : file_(std::move(file)) {}

LoaderUsers::~LoaderUsers() {
    if (handle_ >= 0)
        ::close(int(handle_));
}

void LoaderUsers::join() {
    if (joined_)
        return;
    joined_ = true;
    const int fd = ::open(file_.c_str(), O_RDONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd >= 0 && ::flock(fd, LOCK_SH | LOCK_NB) != 0)
        ::close(fd);
    else
        handle_ = fd;
}

bool LoaderUsers::leave() {
    if (!joined_)
        return false;
    joined_ = false;
    if (handle_ < 0)
        return true;
    // Two windows that leave at the same moment: the conversion first drops this
    // window's lock, so one of them finds itself alone.
    const bool last = ::flock(int(handle_), LOCK_EX | LOCK_NB) == 0;
    ::close(int(handle_));
    handle_ = -1;
    return last;
}

} // namespace pad
