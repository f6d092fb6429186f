// The exports of libhidbridge.so over the library's one driver instance.

#include "devicelink/LinkEnvironment.h"
#include "hidbridge/HidBridge.h"
#include "hidbridge/HidBridgeDriver.h"

#include <QCoreApplication>

#include <cstring>

#define HIDBRIDGE_EXPORT __attribute__((visibility("default")))

namespace {

// The library's state: its device table and link window, created by InitDriver and
// ended (readers stopped, table discarded) before the application object goes.
std::unique_ptr<pad::HidBridgeDriver> theBridge;

void shutDownBridge() {
    theBridge.reset();
}

} // namespace

extern "C" {

HIDBRIDGE_EXPORT std::int32_t InitDriver(QObject* host, std::uint32_t hostMessage,
                                         std::uint32_t usagePage) {
    if (!theBridge) {
        std::uint16_t vendorId = pad::vendorIdFromEnvironment(pad::KEYPAD_DEFAULT_VENDOR_ID);
        pad::LinkBackend backend = pad::backendFromEnvironment(vendorId);
        theBridge = std::make_unique<pad::HidBridgeDriver>(std::move(backend.hid),
                                                           std::move(backend.notifier));
        qAddPostRoutine(shutDownBridge);
    }
    return theBridge->initDriver(host, hostMessage, usagePage);
}

HIDBRIDGE_EXPORT std::int32_t SetKbdFeatures(std::uint32_t usagePage, std::uint32_t usage,
                                             const std::uint8_t* report8) {
    if (theBridge && report8) {
        pad::FeatureReport report{};
        std::memcpy(report.data(), report8, report.size());
        theBridge->setKbdFeatures(usagePage, usage, report);
    }
    return 1;
}

HIDBRIDGE_EXPORT std::int32_t GetIndexStr(std::uint32_t usagePage, std::uint32_t usage,
                                          std::uint32_t stringIndex, std::uint8_t* buffer,
                                          std::uint32_t length) {
    return theBridge ? theBridge->getIndexStr(usagePage, usage, int(stringIndex), buffer, length)
                     : 0;
}
}
