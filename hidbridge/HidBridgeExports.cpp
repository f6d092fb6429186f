// The exports of libhidbridge.so over the library's one driver instance.

#include "devicelink/ExportMacro.h"
#include "devicelink/LinkEnvironment.h"
#include "hidbridge/HidBridge.h"
#include "hidbridge/HidBridgeDriver.h"

#include <cstring>
#include <utility>

namespace {

// The library's state: its device table and link window, created by InitDriver and
// kept until the program ends (devicelink/LinkWindow.h, keepUntilProgramEnd).
pad::HidBridgeDriver* theBridge = nullptr;

void shutDownBridge() {
    delete std::exchange(theBridge, nullptr);
}

} // namespace

extern "C" {

DEVICELINK_EXPORT std::int32_t InitDriver(pad::HostWindow host, std::uint32_t hostMessage,
                                          std::uint32_t usagePage) {
    if (!theBridge) {
        std::uint16_t vendorId = pad::vendorIdFromEnvironment(pad::KEYPAD_DEFAULT_VENDOR_ID);
        pad::LinkBackend backend = pad::backendFromEnvironment(vendorId);
        theBridge = new pad::HidBridgeDriver(std::move(backend.hid), std::move(backend.notifier));
        pad::LinkWindow::keepUntilProgramEnd(shutDownBridge);
    }
    return theBridge->initDriver(host, hostMessage, usagePage);
}

DEVICELINK_EXPORT std::int32_t SetKbdFeatures(std::uint32_t usagePage, std::uint32_t usage,
                                              const std::uint8_t* report8) {
    if (theBridge && report8) {
        pad::FeatureReport report{};
        std::memcpy(report.data(), report8, report.size());
        theBridge->setKbdFeatures(usagePage, usage, report);
    }
    return 1;
}

DEVICELINK_EXPORT std::int32_t GetIndexStr(std::uint32_t usagePage, std::uint32_t usage,
                                           std::uint32_t stringIndex, std::uint8_t* buffer,
                                           std::uint32_t length) {
    return theBridge ? theBridge->getIndexStr(usagePage, usage, int(stringIndex), buffer, length)
                     : 0;
}
}
