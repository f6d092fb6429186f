#pragma once
// The machine's HID interfaces through hidapi's hidraw backend.

#include "devicelink/HidSystem.h"

namespace pad {

class HidrawSystem : public HidSystem {
  public:
    HidrawSystem();

    std::optional<std::vector<HidInterfaceInfo>> enumerate() override;
    HidOpenResult open(const std::string& path, HidAccess access) override;
};

} // namespace pad
