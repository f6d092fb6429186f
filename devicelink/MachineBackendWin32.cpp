// The machine's HID interfaces on Windows: SetupAPI and the HID class driver,
// followed through RegisterDeviceNotificationA.

#include "devicelink/LinkEnvironment.h"
#include "devicelink/SetupApiHidSystem.h"
#include "devicelink/Win32DeviceNotifier.h"

namespace pad {

LinkBackend MachineBackend() {
    return {std::make_shared<SetupApiHidSystem>(), std::make_unique<Win32DeviceNotifier>(), false};
}

} // namespace pad
