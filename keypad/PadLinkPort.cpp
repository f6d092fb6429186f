#include "keypad/PadLinkPort.h"

#include "devicelink/PadLink.h"

namespace pad {

DeviceLinkPort PadLinkPort() {
    DeviceLinkPort link;
    link.initDriver = [](HostWindow host, std::uint32_t message, std::uint32_t usagePage) {
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
    link.keypadNodes = [] {
        std::vector<std::string> nodes;
        PadLinkListKeypads(
            [](void* context, const char* path, std::uint16_t, std::uint16_t, std::uint32_t,
               std::uint32_t, std::int32_t,
               std::int32_t) { static_cast<std::vector<std::string>*>(context)->push_back(path); },
            &nodes);
        return nodes;
    };
    return link;
}

} // namespace pad
