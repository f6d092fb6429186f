#include "devicelink/PadLinkDriver.h"

namespace pad {

PadLinkDriver::PadLinkDriver(std::shared_ptr<HidSystem> hid,
                             std::unique_ptr<DeviceNotifier> notifier, std::uint16_t vendorId)
    : LinkCore(std::move(hid), std::move(notifier)), vendorId_(vendorId) {}

std::int32_t PadLinkDriver::initDriver(HostWindow host, std::uint32_t hostMessage,
                                       std::uint32_t usagePage) {
    attach(host, hostMessage, usagePage, "PADLKClass", "PADLKKEYMSG");
    deviceArrival();
    return 1;
}

std::int32_t PadLinkDriver::deviceArrival() {
    stopAllReaders();
    scan();
    for (std::size_t i = 0; i < entries().size() && matchedKeypads().size() < MatchLimit; ++i) {
        const HidDeviceEntry& entry = entries()[i];
        if (entry.usagePage == keypadUsagePage() && isKeypad(entry))
            addMatch(i);
    }
    bool present = !matchedKeypads().empty();
    bool posted = postToHost(present ? MSG_KEYPAD_PRESENT : MSG_KEYPAD_ABSENT, 0, 0);
    if (present)
        checkWriteAccess();
    return posted ? 1 : 0;
}

// A keypad the user may not open (no udev rule for its node) looks present but
// silently takes no report; tell the host.
void PadLinkDriver::checkWriteAccess() {
    int lastError = 0;
    for (std::size_t index : matchedKeypads()) {
        HidOpenResult opened = openEntry(index, HidAccess::ReadWrite);
        if (opened.handle)
            return;
        lastError = opened.error;
    }
    postToHost(MSG_KEYPAD_NO_ACCESS, 0, lastError);
}

std::int32_t PadLinkDriver::setKbdFeatures(std::uint32_t usagePage, std::uint32_t usage,
                                           const FeatureReport& report) {
    writeReport(usagePage, usage, report);
    return 1;
}

std::size_t PadLinkDriver::writeReport(std::uint32_t usagePage, std::uint32_t usage,
                                       const FeatureReport& report) {
    return writeFeature(
        [&](const HidDeviceEntry& e) {
            return e.usagePage == usagePage && e.usage == usage && isKeypad(e);
        },
        report);
}

std::int32_t PadLinkDriver::removeDevice() {
    stopAllReaders();
    for (std::size_t i = 0; i < entries().size(); ++i) {
        if (entries()[i].vendorId == vendorId_ && entries()[i].isOpen())
            closeEntry(i);
    }
    return 1;
}

std::int32_t PadLinkDriver::readDevice(std::uint32_t usagePage, std::uint32_t usage) {
    std::size_t started = 0;
    for (std::size_t i = 0; i < entries().size() && started < MatchLimit; ++i) {
        const HidDeviceEntry& e = entries()[i];
        if (e.usagePage == usagePage && e.usage == usage && isKeypad(e)) {
            startReader(i);
            ++started;
        }
    }
    return 1;
}

std::vector<PadLinkDriver::KeypadInterface> PadLinkDriver::listKeypads() {
    std::vector<KeypadInterface> list;
    for (std::size_t i = 0; i < entries().size(); ++i) {
        const HidDeviceEntry& e = entries()[i];
        if (!isKeypad(e))
            continue;
        bool writable = e.isOpen();
        int error = 0;
        if (!writable) {
            HidOpenResult opened = openEntry(i, HidAccess::ReadWrite);
            writable = opened.handle != nullptr;
            error = opened.error;
        }
        list.push_back({e.path, e.vendorId, e.productId, e.usagePage, e.usage, writable, error});
    }
    return list;
}

std::vector<PadLinkDriver::KeypadInterface> PadLinkDriver::listOtherVendorKeypads() const {
    std::vector<KeypadInterface> list;
    for (const HidDeviceEntry& e : entries()) {
        if (e.productId == KEYPAD_PRODUCT_ID && e.usagePage == KEYPAD_USAGE_PAGE &&
            e.vendorId != vendorId_ && !e.path.empty())
            list.push_back({e.path, e.vendorId, e.productId, e.usagePage, e.usage, false, 0});
    }
    return list;
}

void PadLinkDriver::onDeviceEvent(const DeviceEvent& event) {
    switch (event.kind) {
    case DeviceEvent::Kind::Arrival:
        if (event.interfaceEvent) {
            removeDevice();
            deviceArrival();
        }
        break;
    case DeviceEvent::Kind::QueryRemove:
        removeDevice();
        break;
    case DeviceEvent::Kind::RemoveComplete:
        if (!event.interfaceEvent)
            break;
        // The list is rebuilt by a rescan, so look it up afresh each time: once the
        // removed interface is gone from the table nothing else matches its path.
        for (std::size_t n = 0; n < matchedKeypads().size(); ++n) {
            std::size_t index = matchedKeypads()[n];
            if (index < entries().size() && samePath(event.path, entries()[index].path)) {
                removeDevice();
                deviceArrival();
            }
        }
        break;
    case DeviceEvent::Kind::Other:
        break;
    }
}

void PadLinkDriver::onReaderReport(std::size_t index, const std::uint8_t* buffer) {
    sendToHost(hostMessage(), index & 0xFFFF, reinterpret_cast<std::intptr_t>(buffer));
}

} // namespace pad
