// The machine's HID interfaces on Linux: hidapi's hidraw backend, followed through udev.

#include "devicelink/HidrawSystem.h"
#include "devicelink/LinkEnvironment.h"
#include "devicelink/UdevNotifier.h"

namespace pad {

LinkBackend MachineBackend() {
    return {std::make_shared<HidrawSystem>(), std::make_unique<UdevNotifier>(), false};
}

} // namespace pad
