#pragma once
// The mode service of one program run on Windows: one thread, one message loop,
// which waits for the foreground window's events (Win32FocusSource), the rules
// file's change notification (Win32RulesWatcher) and PadLink's messages, and hands
// every event to the ServiceCore. The instance that sets the modes has a hidden
// window (ServiceWindow.h) that WM_CLOSE ends. Plain Win32, no Qt.

#include "modes/ServiceCore.h"
#include "modes/focus/Win32FocusSource.h"
#include "modes/win32/KeypadPortWin32.h"
#include "modes/win32/RulesWatcherWin32.h"

#include <memory>

namespace pad {

class WindowsModeService {
  public:
    explicit WindowsModeService(ServiceOptions options);
    ~WindowsModeService();
    WindowsModeService(const WindowsModeService&) = delete;
    WindowsModeService& operator=(const WindowsModeService&) = delete;

    // Runs until the window is closed or the session ends; the exit status.
    int run();

    // The service window's messages.
    long long windowMessage(void* window, unsigned message, unsigned long long wParam,
                            long long lParam);

  private:
    bool start();

    ServiceCore core_;
    void* window_ = nullptr;
    std::unique_ptr<Win32RulesWatcher> watcher_;
    std::unique_ptr<Win32FocusSource> focus_;
    std::unique_ptr<Win32KeypadModePort> port_;
};

} // namespace pad
