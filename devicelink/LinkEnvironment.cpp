#include "devicelink/LinkEnvironment.h"

#include "devicelink/HidrawSystem.h"
#include "devicelink/UdevNotifier.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace pad {

std::uint16_t vendorIdFromEnvironment(std::uint16_t fallback) {
    const char* text = std::getenv("PADLINK_VENDOR_ID");
    if (!text || !*text)
        return fallback;
    char* end = nullptr;
    errno = 0;
    unsigned long value = std::strtoul(text, &end, 16);
    if (errno != 0 || end == text || *end != '\0' || value > 0xFFFF || std::strchr(text, '-')) {
        std::fprintf(stderr, "PADLINK_VENDOR_ID=%s is not a 16-bit hex number; using 0x%04x\n",
                     text, fallback);
        return fallback;
    }
    return std::uint16_t(value);
}

std::shared_ptr<SimulatedHidSystem> makeSimulatedKeypadSystem(std::uint16_t vendorId,
                                                              const std::string& logPath) {
    auto system = std::make_shared<SimulatedHidSystem>();
    SimulatedInterface keypad;
    keypad.info = {SimulatedKeypadPath, vendorId, 0x4002, 0xFF00, 0xFF00, true};
    keypad.keypad = std::make_shared<SimulatedKeypad>(logPath);
    // The log stands for the keypad's device node: one that cannot be written makes a
    // keypad that is present but cannot be opened, as without a udev rule.
    keypad.openError = keypad.keypad->logError();
    system->addInterface(std::move(keypad));
    return system;
}

LinkBackend backendFromEnvironment(std::uint16_t vendorId) {
    const char* simulator = std::getenv("PADLINK_SIMULATOR");
    if (simulator && *simulator) {
        // Nothing is ever plugged into the simulator, so no notifications.
        return {makeSimulatedKeypadSystem(vendorId, simulator), nullptr, true};
    }
    return {std::make_shared<HidrawSystem>(), std::make_unique<UdevNotifier>(), false};
}

} // namespace pad
