#pragma once
// HID interface notifications on Linux: a libudev monitor on the "hidraw" subsystem.
// With a udev daemon running, the monitor listens to udev's events (sent after the
// rules set the node's permissions); without one it listens to the kernel's uevents.

#include "devicelink/DeviceNotifier.h"

#include <memory>

class QSocketNotifier;
struct udev;
struct udev_monitor;

namespace pad {

class UdevNotifier : public DeviceNotifier {
  public:
    UdevNotifier();
    ~UdevNotifier() override;
    UdevNotifier(const UdevNotifier&) = delete;
    UdevNotifier& operator=(const UdevNotifier&) = delete;

    void start(LinkWindow& linkWindow, Handler handler) override;

    // "udev" when a udev daemon runs, else "kernel".
    static const char* eventSource();

  private:
    void receive();

    udev* udev_ = nullptr;
    udev_monitor* monitor_ = nullptr;
    std::unique_ptr<QSocketNotifier> watch_;
    Handler handler_;
};

} // namespace pad
