// The exports of libpadlink.so over the library's one driver instance.

#include "devicelink/ExportMacro.h"
#include "devicelink/LinkEnvironment.h"
#include "devicelink/PadLink.h"
#include "devicelink/PadLinkDriver.h"

#include <cstring>
#include <utility>

namespace {

// The library's state: its device table and link window, created by InitDriver and
// kept until the program ends (devicelink/LinkWindow.h, keepUntilProgramEnd).
pad::PadLinkDriver* theLink = nullptr;

void shutDownLink() {
    delete std::exchange(theLink, nullptr);
}

pad::FeatureReport reportFrom(const std::uint8_t* report8) {
    pad::FeatureReport report{};
    if (report8)
        std::memcpy(report.data(), report8, report.size());
    return report;
}

std::int32_t visitKeypads(const std::vector<pad::PadLinkDriver::KeypadInterface>& keypads,
                          PadLinkKeypadVisitor visitor, void* context) {
    if (visitor) {
        for (const auto& k : keypads)
            visitor(context, k.path.c_str(), k.vendorId, k.productId, k.usagePage, k.usage,
                    k.writable ? 1 : 0, k.openError);
    }
    return std::int32_t(keypads.size());
}

} // namespace

extern "C" {

DEVICELINK_EXPORT std::int32_t InitDriver(pad::HostWindow host, std::uint32_t hostMessage,
                                          std::uint32_t usagePage) {
    if (!theLink) {
        std::uint16_t vendorId = pad::vendorIdFromEnvironment(pad::KEYPAD_DEFAULT_VENDOR_ID);
        pad::LinkBackend backend = pad::backendFromEnvironment(vendorId);
        theLink =
            new pad::PadLinkDriver(std::move(backend.hid), std::move(backend.notifier), vendorId);
        pad::LinkWindow::keepUntilProgramEnd(shutDownLink);
    }
    return theLink->initDriver(host, hostMessage, usagePage);
}

DEVICELINK_EXPORT std::int32_t SetKbdFeatures(std::uint32_t usagePage, std::uint32_t usage,
                                              const std::uint8_t* report8) {
    if (theLink && report8)
        theLink->setKbdFeatures(usagePage, usage, reportFrom(report8));
    return 1;
}

DEVICELINK_EXPORT std::int32_t PadLinkWriteReport(std::uint32_t usagePage, std::uint32_t usage,
                                                  const std::uint8_t* report8) {
    if (!theLink || !report8)
        return 0;
    return std::int32_t(theLink->writeReport(usagePage, usage, reportFrom(report8)));
}

DEVICELINK_EXPORT std::int32_t RemoveDevice() {
    if (theLink)
        theLink->removeDevice();
    return 1;
}

DEVICELINK_EXPORT std::int32_t ReadDevice(std::uint32_t usagePage, std::uint32_t usage) {
    if (theLink)
        theLink->readDevice(usagePage, usage);
    return 1;
}

DEVICELINK_EXPORT std::int32_t DeviceArrival() {
    return theLink ? theLink->deviceArrival() : 0;
}

DEVICELINK_EXPORT std::int32_t PadLinkListKeypads(PadLinkKeypadVisitor visitor, void* context) {
    if (!theLink)
        return 0;
    return visitKeypads(theLink->listKeypads(), visitor, context);
}

DEVICELINK_EXPORT std::int32_t PadLinkListOtherVendorKeypads(PadLinkKeypadVisitor visitor,
                                                             void* context) {
    if (!theLink)
        return 0;
    return visitKeypads(theLink->listOtherVendorKeypads(), visitor, context);
}
}
