#include "devicelink/Win32DeviceNotifier.h"

#include "devicelink/LinkWindow.h"

#include <array>
#include <cstddef>
#include <cstring>

#include <windows.h>

#include <dbt.h>
extern "C" {
#include <hidsdi.h>
}

namespace pad {

Win32DeviceNotifier::~Win32DeviceNotifier() {
    if (registration_)
        ::UnregisterDeviceNotification(static_cast<HDEVNOTIFY>(registration_));
}

void Win32DeviceNotifier::start(LinkWindow& linkWindow, Handler) {
    auto* window = static_cast<HWND>(linkWindow.nativeHandle());
    if (!window || (::GetVersion() & 0x80000000u) != 0)
        return; // no window, or not the NT family: no notifications
    // The filter record: size field 32, device type DBT_DEVTYP_DEVICEINTERFACE, the HID
    // interface class, and the name field "CHIDKBD", which runs past the 32 bytes the
    // size field announces (and is not read by the system).
    constexpr char Name[] = "CHIDKBD";
    constexpr std::size_t NameOffset = offsetof(DEV_BROADCAST_DEVICEINTERFACE_A, dbcc_name);
    alignas(DEV_BROADCAST_DEVICEINTERFACE_A) std::array<std::uint8_t, NameOffset + sizeof Name>
        record{};
    DEV_BROADCAST_DEVICEINTERFACE_A filter{};
    filter.dbcc_size = 32;
    filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    ::HidD_GetHidGuid(&filter.dbcc_classguid);
    std::memcpy(record.data(), &filter, NameOffset);
    std::memcpy(record.data() + NameOffset, Name, sizeof Name);
    registration_ =
        ::RegisterDeviceNotificationA(window, record.data(), DEVICE_NOTIFY_WINDOW_HANDLE);
}

} // namespace pad
