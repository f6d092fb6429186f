// The exports of libpadlink.so over the library's one driver instance.

#include "devicelink/LinkEnvironment.h"
#include "devicelink/PadLink.h"
#include "devicelink/PadLinkDriver.h"

#include <QCoreApplication>

#include <cstring>

#define PADLINK_EXPORT __attribute__((visibility("default")))

namespace {

// The library's state: its device table and link window, created by InitDriver and
// ended (readers stopped, table discarded) before the application object goes.
std::unique_ptr<pad::PadLinkDriver> theLink;

void shutDownLink() {
    theLink.reset();
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

PADLINK_EXPORT std::int32_t InitDriver(QObject* host, std::uint32_t hostMessage,
                                       std::uint32_t usagePage) {
    if (!theLink) {
        std::uint16_t vendorId = pad::vendorIdFromEnvironment(pad::KEYPAD_DEFAULT_VENDOR_ID);
        pad::LinkBackend backend = pad::backendFromEnvironment(vendorId);
        theLink = std::make_unique<pad::PadLinkDriver>(std::move(backend.hid),
                                                       std::move(backend.notifier), vendorId);
        qAddPostRoutine(shutDownLink);
    }
    return theLink->initDriver(host, hostMessage, usagePage);
}

PADLINK_EXPORT std::int32_t SetKbdFeatures(std::uint32_t usagePage, std::uint32_t usage,
                                           const std::uint8_t* report8) {
    if (theLink && report8)
        theLink->setKbdFeatures(usagePage, usage, reportFrom(report8));
    return 1;
}

PADLINK_EXPORT std::int32_t PadLinkWriteReport(std::uint32_t usagePage, std::uint32_t usage,
                                               const std::uint8_t* report8) {
    if (!theLink || !report8)
        return 0;
    return std::int32_t(theLink->writeReport(usagePage, usage, reportFrom(report8)));
}

PADLINK_EXPORT std::int32_t RemoveDevice() {
    if (theLink)
        theLink->removeDevice();
    return 1;
}

PADLINK_EXPORT std::int32_t ReadDevice(std::uint32_t usagePage, std::uint32_t usage) {
    if (theLink)
        theLink->readDevice(usagePage, usage);
    return 1;
}

PADLINK_EXPORT std::int32_t DeviceArrival() {
    return theLink ? theLink->deviceArrival() : 0;
}

PADLINK_EXPORT std::int32_t PadLinkListKeypads(PadLinkKeypadVisitor visitor, void* context) {
    if (!theLink)
        return 0;
    return visitKeypads(theLink->listKeypads(), visitor, context);
}

PADLINK_EXPORT std::int32_t PadLinkListOtherVendorKeypads(PadLinkKeypadVisitor visitor,
                                                          void* context) {
    if (!theLink)
        return 0;
    return visitKeypads(theLink->listOtherVendorKeypads(), visitor, context);
}
}
