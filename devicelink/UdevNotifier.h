#pragma once
// HID interface notifications on Linux: a libudev monitor on the "hidraw" subsystem.
// With a udev daemon running, the monitor listens to udev's events (sent after the
// rules set the node's permissions); without one it listens to the kernel's uevents.

#include "devicelink/DeviceNotifier.h"

struct udev;
struct udev_monitor;

namespace pad {

class UdevNotifier : public DeviceNotifier {
  public:
    UdevNotifier() = default;
    ~UdevNotifier() override;
    UdevNotifier(const UdevNotifier&) = delete;
    UdevNotifier& operator=(const UdevNotifier&) = delete;

    void start(QObject* linkWindow, Handler handler) override;

    // "udev" when a udev daemon runs, else "kernel".
    static const char* eventSource();

  private:
    void receive();

    udev* udev_ = nullptr;
    udev_monitor* monitor_ = nullptr;
    Handler handler_;
};

} // namespace pad
