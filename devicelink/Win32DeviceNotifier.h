#pragma once
// HID interface notifications on Windows: the link window is registered with
// RegisterDeviceNotificationA for the HID interface class, and the system sends it
// WM_DEVICECHANGE, which the window's procedure decodes and hands to the link
// (Win32LinkWindow.cpp). The registration ends with the notifier.

#include "devicelink/DeviceNotifier.h"

namespace pad {

class Win32DeviceNotifier : public DeviceNotifier {
  public:
    Win32DeviceNotifier() = default;
    ~Win32DeviceNotifier() override;
    Win32DeviceNotifier(const Win32DeviceNotifier&) = delete;
    Win32DeviceNotifier& operator=(const Win32DeviceNotifier&) = delete;

    void start(LinkWindow& linkWindow, Handler handler) override;

  private:
    void* registration_ = nullptr;
};

} // namespace pad
