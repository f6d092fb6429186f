#pragma once
// The device-link port bound to PadLink's exports (libpadlink.so).

#include "keypad/DeviceLinkPort.h"

namespace pad {

DeviceLinkPort PadLinkPort();

} // namespace pad
