#pragma once
// HidBridge's behaviour on the shared link core: matching by usage page alone,
// readers started by every scan, both report messages to the host, and the indexed
// string query.

#include "devicelink/LinkCore.h"

namespace pad {

class HidBridgeDriver : public LinkCore {
  public:
    static constexpr std::uint16_t StringProductId = 0x015D;
    static constexpr int StringTries = 13;

    using LinkCore::LinkCore;

    std::int32_t initDriver(HostWindow host, std::uint32_t hostMessage, std::uint32_t usagePage);
    std::int32_t setKbdFeatures(std::uint32_t usagePage, std::uint32_t usage,
                                const FeatureReport& report);
    std::int32_t getIndexStr(std::uint32_t usagePage, std::uint32_t usage, int stringIndex,
                             std::uint8_t* buffer, std::uint32_t length);

  protected:
    void onDeviceEvent(const DeviceEvent& event) override;
    void onReaderReport(std::size_t index, const std::uint8_t* buffer) override;
    void onReaderHead(std::size_t index, std::uint32_t head) override;

  private:
    // Stops the readers, rescans, matches, starts readers and posts presence.
    void rescan();
};

} // namespace pad
