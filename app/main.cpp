// PadConfig: configures the Corvask 12 Gaming Keypad.

#include "app/PadConfigMain.h"

#ifdef PADCONFIG_HAVE_PADLINK
#include "devicelink/PadLink.h"
#endif

int main(int argc, char** argv) {
    pad::DeviceLinkPort link;
#ifdef PADCONFIG_HAVE_PADLINK
    link.initDriver = [](QObject* host, std::uint32_t message, std::uint32_t usagePage) {
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
#endif
    return pad::RunPadConfig(argc, argv, link);
}
