#pragma once
// The focused window on Windows: the foreground window, followed event by event with
// SetWinEventHook (EVENT_SYSTEM_FOREGROUND, and EVENT_OBJECT_NAMECHANGE for a new
// title of the foreground window), whose events come through the calling thread's
// message loop. A window's app id is its window class, its executable the process
// image's file name ("factorio.exe"). One source per thread.

#include "modes/focus/FocusSource.h"

#include <optional>

namespace pad {

class Win32FocusSource : public FocusSource {
  public:
    // Hooks the events; the thread must run a message loop for them to arrive.
    explicit Win32FocusSource(Events events);
    ~Win32FocusSource() override;
    Win32FocusSource(const Win32FocusSource&) = delete;
    Win32FocusSource& operator=(const Win32FocusSource&) = delete;

    // False when the system refused the hook: then no event ever comes.
    bool hooked() const { return foregroundHook_ != nullptr; }

    std::string description() const override { return "Windows"; }
    std::optional<WindowInfo> focusedWindow() const override;
    // The visible top-level windows with a title, from the top down.
    std::vector<WindowInfo> openWindows() override;

    // The hooks' event for window (an HWND); the hook procedure calls it.
    void windowEvent(void* window, bool foreground);

  private:
    Events events_;
    void* foregroundHook_ = nullptr;
    void* titleHook_ = nullptr;
    std::optional<WindowInfo> last_;
};

// What the system tells of a window (an HWND): class, title, process and image name.
WindowInfo DescribeNativeWindow(void* window);

} // namespace pad
