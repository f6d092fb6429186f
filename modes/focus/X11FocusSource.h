#pragma once
// The focused window on an X11 desktop: the window manager names the active window
// in the root window's _NET_ACTIVE_WINDOW; its WM_CLASS, _NET_WM_NAME (or WM_NAME)
// and _NET_WM_PID tell the rest. The service follows changes of the active window
// and of that window's title and class through property-change events, read from
// the X connection when its socket has data.

#include "modes/focus/FocusSource.h"

#include <QObject>
#include <QSocketNotifier>

#include <cstdint>
#include <memory>

struct xcb_connection_t;

namespace pad {

class X11FocusSource : public QObject, public FocusSource {
    Q_OBJECT
  public:
    // Connects to the display that DISPLAY names. Returns nullptr, with the reason in
    // failure, when there is none or its window manager does not name the active
    // window.
    static std::unique_ptr<X11FocusSource> connect(Events events, std::string& failure);
    ~X11FocusSource() override;

    std::string description() const override;
    std::optional<WindowInfo> focusedWindow() const override { return focused_; }
    std::vector<WindowInfo> openWindows() override;

    struct Atoms {
        std::uint32_t activeWindow, clientList, supported, wmName, netWmName, utf8String, netWmPid,
            clientMachine;
    };

  private:
    X11FocusSource(xcb_connection_t* connection, std::uint32_t root, const Atoms& atoms,
                   Events events);
    void readEvents();
    // Reads the active window's facts again and reports them when they changed.
    void refresh(bool report);
    std::uint32_t activeWindow();
    WindowInfo windowInfo(std::uint32_t window);
    void watchProperties(std::uint32_t window, bool on);
    // Takes in events that round trips queued, once the event loop runs again.
    void readQueuedEventsLater();

    xcb_connection_t* connection_;
    std::uint32_t root_;
    Atoms atoms_;
    Events events_;
    std::string hostName_;
    std::uint32_t watched_ = 0;
    std::optional<WindowInfo> focused_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

} // namespace pad
