#include "devicelink/UdevNotifier.h"

#include <QObject>
#include <QSocketNotifier>

#include <libudev.h>

#include <cstring>
#include <unistd.h>

namespace pad {

UdevNotifier::UdevNotifier() = default;

UdevNotifier::~UdevNotifier() {
    // The socket notifier goes first, before the descriptor it watches.
    watch_.reset();
    if (monitor_)
        udev_monitor_unref(monitor_);
    if (udev_)
        udev_unref(udev_);
}

const char* UdevNotifier::eventSource() {
    return ::access("/run/udev/control", F_OK) == 0 ? "udev" : "kernel";
}

void UdevNotifier::start(LinkWindow&, Handler handler) {
    handler_ = std::move(handler);
    udev_ = udev_new();
    if (!udev_)
        return;
    monitor_ = udev_monitor_new_from_netlink(udev_, eventSource());
    if (!monitor_)
        return;
    if (udev_monitor_filter_add_match_subsystem_devtype(monitor_, "hidraw", nullptr) < 0 ||
        udev_monitor_enable_receiving(monitor_) < 0)
        return;
    int fd = udev_monitor_get_fd(monitor_);
    if (fd < 0)
        return;
    // On the calling thread, the link window's.
    watch_ = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    QObject::connect(watch_.get(), &QSocketNotifier::activated, watch_.get(),
                     [this] { receive(); });
}

void UdevNotifier::receive() {
    udev_device* device = udev_monitor_receive_device(monitor_);
    if (!device)
        return;
    const char* subsystem = udev_device_get_subsystem(device);
    const char* action = udev_device_get_action(device);
    const char* node = udev_device_get_devnode(device);
    if (subsystem && action && std::strcmp(subsystem, "hidraw") == 0) {
        DeviceEvent event;
        event.path = node ? node : "";
        if (std::strcmp(action, "add") == 0)
            event.kind = DeviceEvent::Kind::Arrival;
        else if (std::strcmp(action, "remove") == 0)
            event.kind = DeviceEvent::Kind::RemoveComplete;
        udev_device_unref(device);
        if (handler_)
            handler_(event);
        return;
    }
    udev_device_unref(device);
}

} // namespace pad
