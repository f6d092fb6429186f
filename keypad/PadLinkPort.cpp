#include "keypad/PadLinkPort.h"

#include "devicelink/PadLink.h"

namespace pad {

DeviceLinkPort PadLinkPort() {
    DeviceLinkPort link;
    link.initDriver = [](QObject* host, std::uint32_t message, std::uint32_t usagePage) {
        return InitDriver(host, message, usagePage);
    };
    link.setKbdFeatures = [](std::uint32_t usagePage, std::uint32_t usage,
                             const std::uint8_t* report) {
        SetKbdFeatures(usagePage, usage, report);
    };
    link.writeReport = [](std::uint32_t usagePage, std::uint32_t usage,
                          const std::uint8_t* report) {
        return PadLinkWriteReport(usagePage, usage, report);
    };
    link.deviceArrival = [] { return DeviceArrival(); };
    return link;
}

} // namespace pad
