#pragma once
// PadLink.dll as PadConfig binds it on Windows: loaded at start from the program's own
// folder, InitDriver (ordinal 2) and SetKbdFeatures (ordinal 3) bound by ordinal, and
// the suite's additions (DeviceArrival 6, PadLinkWriteReport 7, PadLinkListKeypads 8)
// where the DLL has them. The DLL stays loaded until the process ends. Qt-free.

#include "keypad/DeviceLinkPort.h"

#include <optional>
#include <string>

namespace pad {

struct PadLinkBinding {
    std::optional<DeviceLinkPort> port; // unset when PadLink cannot be used
    std::string problem;                // then why, as a sentence for the user
};

PadLinkBinding BindPadLinkLibrary();

} // namespace pad
