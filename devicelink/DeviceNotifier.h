#pragma once
// Device notifications as the device links see them: an interface arrived, may be
// removed (query-remove), or was removed (remove-complete, naming its path).

#include <functional>
#include <string>

namespace pad {

class LinkWindow;

struct DeviceEvent {
    enum class Kind { Arrival, QueryRemove, RemoveComplete, Other };
    Kind kind = Kind::Other;
    // false for notifications about something other than a HID interface (e.g. an
    // open handle); the links act only on interface notifications.
    bool interfaceEvent = true;
    std::string path; // the interface's path, for arrival and removal
};

class DeviceNotifier {
  public:
    using Handler = std::function<void(const DeviceEvent&)>;
    virtual ~DeviceNotifier() = default;

    // Starts delivering events to handler on linkWindow's thread (the calling thread).
    // Where no notifications can be had, none come; the link then learns of changes
    // only when asked. A notifier ends before its link window.
    virtual void start(LinkWindow& linkWindow, Handler handler) = 0;
};

// Delivers the events a test (or the simulator) hands it, straight to the handler.
class ManualNotifier : public DeviceNotifier {
  public:
    void start(LinkWindow&, Handler handler) override { handler_ = std::move(handler); }
    void deliver(const DeviceEvent& event) {
        if (handler_)
            handler_(event);
    }

  private:
    Handler handler_;
};

} // namespace pad
