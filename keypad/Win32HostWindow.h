#pragma once
// A hidden message-only window of the calling thread, as PadLink's host: every message
// it receives goes to a handler first, which returns true for those it took. The thread's
// message loop (a Win32 one, or Qt's) delivers them. Qt-free.

#include <cstdint>
#include <functional>

struct HWND__;

namespace pad {

class Win32HostWindow {
  public:
    using Handler = std::function<bool(std::uint32_t message, std::intptr_t lParam)>;

    explicit Win32HostWindow(Handler handler);
    ~Win32HostWindow();
    Win32HostWindow(const Win32HostWindow&) = delete;
    Win32HostWindow& operator=(const Win32HostWindow&) = delete;

    HWND__* handle() const { return window_; }

  private:
    Handler handler_;
    HWND__* window_ = nullptr;
};

} // namespace pad
