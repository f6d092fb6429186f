#pragma once
// The PadConfig windows that use this user's loader. Several windows share one
// loader; the window that closes last asks it to quit, the others leave it running.
//
// Each window that uses the loader holds a shared lock (flock) on a file beside the
// loader's socket, "<socket>.users". A window that leaves tries to turn its lock into
// an exclusive one: that succeeds only when no other window holds the file. The
// system drops the lock of a window that crashes, so a crashed window never keeps the
// loader alive. On Windows the locks are LockFileEx's (LoaderUsersWin32.cpp).

#include <cstdint>
#include <string>

namespace pad {

class LoaderUsers {
  public:
    explicit LoaderUsers(std::string file);
    ~LoaderUsers();
    LoaderUsers(const LoaderUsers&) = delete;
    LoaderUsers& operator=(const LoaderUsers&) = delete;

    // This window uses the loader from now on; again: nothing more.
    void join();
    // This window no longer uses the loader. True when it was the last one that
    // did, and also when it joined but its lock could not be taken: then, as
    // before there were locks, the closing window asks the loader to quit.
    bool leave();

  private:
    std::string file_;
    bool joined_ = false;
    // The open file (a descriptor; a HANDLE on Windows) that holds the shared lock while
    // joined; -1 when the lock failed.
    std::intptr_t handle_ = -1;
};

} // namespace pad
