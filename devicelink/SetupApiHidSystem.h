#pragma once
// The machine's HID interfaces on Windows: SetupAPI enumerates them, the HID class
// driver (hid.dll) reads their identifiers and carries feature reports, strings and
// overlapped reads (ReadFileEx, completed in an alertable wait).

#include "devicelink/HidSystem.h"

namespace pad {

class SetupApiHidSystem : public HidSystem {
  public:
    std::optional<std::vector<HidInterfaceInfo>> enumerate() override;
    HidOpenResult open(const std::string& path, HidAccess access) override;
};

} // namespace pad
