#include "hidbridge/HidBridgeDriver.h"

#include "devicelink/PadLink.h"

namespace pad {

std::int32_t HidBridgeDriver::initDriver(HostWindow host, std::uint32_t hostMessage,
                                         std::uint32_t usagePage) {
    attach(host, hostMessage, usagePage, "USBHIDClass", "BRDGKEYMSG");
    rescan();
    return 1;
}

void HidBridgeDriver::rescan() {
    stopAllReaders();
    scan();
    for (std::size_t i = 0; i < entries().size() && matchedKeypads().size() < MatchLimit; ++i) {
        if (!entries()[i].path.empty() && entries()[i].usagePage == keypadUsagePage()) {
            addMatch(i);
            startReader(i);
        }
    }
    postToHost(matchedKeypads().empty() ? MSG_KEYPAD_ABSENT : MSG_KEYPAD_PRESENT, 0, 0);
}

std::int32_t HidBridgeDriver::setKbdFeatures(std::uint32_t usagePage, std::uint32_t usage,
                                             const FeatureReport& report) {
    writeFeature(
        [&](const HidDeviceEntry& e) { return e.usagePage == usagePage && e.usage == usage; },
        report);
    return 1;
}

std::int32_t HidBridgeDriver::getIndexStr(std::uint32_t usagePage, std::uint32_t usage,
                                          int stringIndex, std::uint8_t* buffer,
                                          std::uint32_t length) {
    for (std::size_t i = 0; i < entries().size(); ++i) {
        const HidDeviceEntry& e = entries()[i];
        if (e.usagePage != usagePage || e.usage != usage || e.productId != StringProductId)
            continue;
        if (!buffer)
            continue;
        // An interface that cannot be opened counts as one that never answers.
        HidOpenResult opened = openEntry(i, HidAccess::Query);
        bool answered = false;
        for (int tries = 0; opened.handle && tries < StringTries && !answered; ++tries)
            answered =
                opened.handle->getIndexedString(stringIndex, buffer, std::size_t(length) + 1);
        if (!answered)
            buffer[0] = 0;
    }
    return std::int32_t(entries().size());
}

void HidBridgeDriver::onDeviceEvent(const DeviceEvent& event) {
    if (!event.interfaceEvent)
        return;
    if (event.kind == DeviceEvent::Kind::Arrival) {
        postToHost(MSG_KEYPAD_ABSENT, 0, 0);
        rescan();
    } else if (event.kind == DeviceEvent::Kind::RemoveComplete) {
        // Only the removed interface's reader stops; the other matches keep reading,
        // and the host hears of absence once none is left. No rescan: the rows stay
        // until the next arrival.
        bool removed = false;
        for (std::size_t index : std::vector<std::size_t>(matchedKeypads())) {
            if (index < entries().size() && samePath(event.path, entries()[index].path)) {
                stopReader(index);
                removeMatch(index);
                removed = true;
            }
        }
        if (removed && matchedKeypads().empty())
            postToHost(MSG_KEYPAD_ABSENT, 0, 0);
    }
    // Query-remove and everything else: nothing.
}

void HidBridgeDriver::onReaderReport(std::size_t index, const std::uint8_t* buffer) {
    sendToHost(hostMessage() + 1, index & 0xFFFF, reinterpret_cast<std::intptr_t>(buffer));
}

void HidBridgeDriver::onReaderHead(std::size_t index, std::uint32_t head) {
    postToHost(hostMessage(), index & 0xFFFF, std::intptr_t(head));
}

} // namespace pad
