#include "devicelink/LinkEnvironment.h"

#include "common/FileAccess.h"
#include "devicelink/HidrawSystem.h"
#include "devicelink/UdevNotifier.h"

#include <QObject>
#include <QPointer>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace pad {

std::uint16_t vendorIdFromEnvironment(std::uint16_t fallback) {
    const char* text = std::getenv(VendorIdVariable);
    if (!text || !*text)
        return fallback;
    if (const auto vendorId = ParseVendorId(text))
        return *vendorId;
    std::fprintf(stderr, "%s=%s is not a 16-bit hex number; using 0x%04x\n", VendorIdVariable, text,
                 fallback);
    return fallback;
}

std::size_t unplugAfterFromEnvironment() {
    const char* text = std::getenv("PADLINK_SIMULATOR_UNPLUG_AFTER");
    if (!text || !*text)
        return 0;
    char* end = nullptr;
    errno = 0;
    unsigned long long value = std::strtoull(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || value == 0 ||
        !std::isdigit(static_cast<unsigned char>(*text))) {
        std::fprintf(stderr,
                     "PADLINK_SIMULATOR_UNPLUG_AFTER=%s is not a positive number; ignored\n", text);
        return 0;
    }
    return std::size_t(value);
}

std::shared_ptr<SimulatedHidSystem> makeSimulatedKeypadSystem(std::uint16_t vendorId,
                                                              const std::string& logPath,
                                                              std::size_t unplugAfter) {
    auto system = std::make_shared<SimulatedHidSystem>();
    SimulatedInterface keypad;
    keypad.info = {.path = SimulatedKeypadPath,
                   .vendorId = vendorId,
                   .productId = KEYPAD_PRODUCT_ID,
                   .usagePage = KEYPAD_USAGE_PAGE,
                   .usage = KEYPAD_USAGE};
    keypad.unplugAfterReports = unplugAfter;
    keypad.keypad = std::make_shared<SimulatedKeypad>(logPath);
    // The log stands for the keypad's device node: one that cannot be written makes a
    // keypad that is present but cannot be opened, as without a udev rule.
    keypad.openError = keypad.keypad->logError();
    if (keypad.openError == NotRegularFileError) {
        std::fprintf(stderr,
                     "PADLINK_SIMULATOR=%s is not a regular file; the simulated keypad "
                     "cannot be opened\n",
                     logPath.c_str());
        keypad.openError = EINVAL; // the host is told an errno
    }
    system->addInterface(std::move(keypad));
    return system;
}

namespace {

class SimulatedUnplugNotifier : public DeviceNotifier {
  public:
    // Shared with the system's unplug listener, which may outlive the notifier.
    struct Target {
        QPointer<QObject> linkWindow;
        Handler handler;
    };

    explicit SimulatedUnplugNotifier(SimulatedHidSystem& system)
        : target_(std::make_shared<Target>()) {
        system.setUnplugListener([target = target_](const std::string& path) {
            if (!target->linkWindow)
                return;
            // Queued, as a real removal arrives: never inside the write that caused it.
            QMetaObject::invokeMethod(
                target->linkWindow.data(),
                [target, path] {
                    if (target->handler)
                        target->handler({DeviceEvent::Kind::RemoveComplete, true, path});
                },
                Qt::QueuedConnection);
        });
    }

    bool start(QObject* linkWindow, Handler handler) override {
        target_->linkWindow = linkWindow;
        target_->handler = std::move(handler);
        return true;
    }

  private:
    std::shared_ptr<Target> target_;
};

} // namespace

std::unique_ptr<DeviceNotifier> makeSimulatedUnplugNotifier(SimulatedHidSystem& system) {
    return std::make_unique<SimulatedUnplugNotifier>(system);
}

LinkBackend backendFromEnvironment(std::uint16_t vendorId) {
    const char* simulator = std::getenv("PADLINK_SIMULATOR");
    if (simulator && *simulator) {
        // Nothing is ever plugged into the simulator; its keypad may be unplugged.
        std::size_t unplugAfter = unplugAfterFromEnvironment();
        auto system = makeSimulatedKeypadSystem(vendorId, simulator, unplugAfter);
        std::unique_ptr<DeviceNotifier> notifier;
        if (unplugAfter > 0)
            notifier = makeSimulatedUnplugNotifier(*system);
        return {std::move(system), std::move(notifier), true};
    }
    return {std::make_shared<HidrawSystem>(), std::make_unique<UdevNotifier>(), false};
}

} // namespace pad
