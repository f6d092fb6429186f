#include "devicelink/LinkEnvironment.h"

#include "common/EnvironmentNames.h"
#include "common/FileAccess.h"
#include "devicelink/LinkWindow.h"

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
    const char* text = std::getenv(SimulatorUnplugAfterVariable);
    if (!text || !*text)
        return 0;
    char* end = nullptr;
    errno = 0;
    unsigned long long value = std::strtoull(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || value == 0 ||
        !std::isdigit(static_cast<unsigned char>(*text))) {
        std::fprintf(stderr, "%s=%s is not a positive number; ignored\n",
                     SimulatorUnplugAfterVariable, text);
        return 0;
    }
    return std::size_t(value);
}

namespace {

SimulatedInterface SimulatedKeypadInterface(std::uint16_t vendorId, const std::string& logPath,
                                            std::size_t unplugAfter) {
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
        std::fprintf(stderr, "%s=%s is not a regular file; the simulated keypad cannot be opened\n",
                     SimulatorVariable, logPath.c_str());
        keypad.openError = EINVAL; // the host is told an errno
    }
    return keypad;
}

} // namespace

std::shared_ptr<SimulatedHidSystem> makeSimulatedKeypadSystem(std::uint16_t vendorId,
                                                              const std::string& logPath,
                                                              std::size_t unplugAfter) {
    auto system = std::make_shared<SimulatedHidSystem>();
    system->addInterface(SimulatedKeypadInterface(vendorId, logPath, unplugAfter));
    return system;
}

namespace {

class SimulatedUnplugNotifier : public DeviceNotifier {
  public:
    // Shared with the system's unplug listener, which may outlive the notifier.
    struct Target {
        LinkWindow* linkWindow = nullptr;
        Handler handler;
    };

    explicit SimulatedUnplugNotifier(SimulatedHidSystem& system)
        : target_(std::make_shared<Target>()) {
        system.setUnplugListener([target = target_](const std::string& path) {
            if (!target->linkWindow)
                return;
            // Queued, as a real removal arrives: never inside the write that caused it.
            target->linkWindow->queue([target, path] {
                if (target->handler)
                    target->handler({DeviceEvent::Kind::RemoveComplete, true, path});
            });
        });
    }
    ~SimulatedUnplugNotifier() override { *target_ = {}; }
    SimulatedUnplugNotifier(const SimulatedUnplugNotifier&) = delete;
    SimulatedUnplugNotifier& operator=(const SimulatedUnplugNotifier&) = delete;

    void start(LinkWindow& linkWindow, Handler handler) override {
        target_->linkWindow = &linkWindow;
        target_->handler = std::move(handler);
    }

  private:
    std::shared_ptr<Target> target_;
};

bool Exists(const std::filesystem::path& file) {
    std::error_code unknown;
    return std::filesystem::exists(file, unknown);
}

// The simulated keypad's plug: it is plugged in while a file exists. Making or removing
// the file plugs it in or pulls it out, and the link hears of it as of a real arrival
// or removal. Reports that make it unplug itself are told of as well.
class SimulatedPlugNotifier : public DeviceNotifier {
  public:
    struct Plug {
        std::shared_ptr<SimulatedHidSystem> system;
        std::function<SimulatedInterface()> keypad;
        std::filesystem::path file;
        bool plugged = true;
        Handler handler;

        void Follow() {
            if (Exists(file) == plugged)
                return;
            plugged = !plugged;
            if (plugged)
                system->addInterface(keypad());
            else
                system->removeInterface(SimulatedKeypadPath);
            if (handler)
                handler({plugged ? DeviceEvent::Kind::Arrival : DeviceEvent::Kind::RemoveComplete,
                         true, SimulatedKeypadPath});
        }
    };

    explicit SimulatedPlugNotifier(std::shared_ptr<Plug> plug)
        : plug_(std::move(plug)), unplug_(*plug_->system) {
        // Pulled out before the link's first scan when the file is missing.
        if (!Exists(plug_->file)) {
            plug_->system->removeInterface(SimulatedKeypadPath);
            plug_->plugged = false;
        }
    }
    // The file watch may report once more before the window goes.
    ~SimulatedPlugNotifier() override { plug_->handler = nullptr; }
    SimulatedPlugNotifier(const SimulatedPlugNotifier&) = delete;
    SimulatedPlugNotifier& operator=(const SimulatedPlugNotifier&) = delete;

    void start(LinkWindow& linkWindow, Handler handler) override {
        unplug_.start(linkWindow, handler);
        plug_->handler = std::move(handler);
        linkWindow.followFile(plug_->file, [plug = plug_] { plug->Follow(); });
    }

  private:
    std::shared_ptr<Plug> plug_;
    SimulatedUnplugNotifier unplug_;
};

} // namespace

std::unique_ptr<DeviceNotifier> makeSimulatedUnplugNotifier(SimulatedHidSystem& system) {
    return std::make_unique<SimulatedUnplugNotifier>(system);
}

LinkBackend backendFromEnvironment(std::uint16_t vendorId) {
    const char* simulator = std::getenv(SimulatorVariable);
    if (simulator && *simulator) {
        std::size_t unplugAfter = unplugAfterFromEnvironment();
        auto system = makeSimulatedKeypadSystem(vendorId, simulator, unplugAfter);
        std::unique_ptr<DeviceNotifier> notifier;
        const char* plugFile = std::getenv(SimulatorPlugVariable);
        if (plugFile && *plugFile) {
            auto plug = std::make_shared<SimulatedPlugNotifier::Plug>();
            plug->system = system;
            plug->keypad = [=, log = std::string(simulator)] {
                return SimulatedKeypadInterface(vendorId, log, unplugAfter);
            };
            plug->file = plugFile;
            notifier = std::make_unique<SimulatedPlugNotifier>(std::move(plug));
        } else if (unplugAfter > 0) {
            notifier = makeSimulatedUnplugNotifier(*system);
        }
        return {std::move(system), std::move(notifier), true};
    }
    return MachineBackend();
}

} // namespace pad
