#pragma once
// PadLink's behaviour on the shared link core: keypads matched by vendor, product and
// usage page; readers only on request; every interface arrival and every removal of a
// matched keypad rescans; query-remove closes everything without a rescan.

#include "devicelink/LinkCore.h"
#include "devicelink/PadLink.h"

namespace pad {

class PadLinkDriver : public LinkCore {
  public:
    PadLinkDriver(std::shared_ptr<HidSystem> hid, std::unique_ptr<DeviceNotifier> notifier,
                  std::uint16_t vendorId);

    std::int32_t initDriver(HostWindow host, std::uint32_t hostMessage, std::uint32_t usagePage);
    std::int32_t setKbdFeatures(std::uint32_t usagePage, std::uint32_t usage,
                                const FeatureReport& report);
    // setKbdFeatures' write; returns how many keypad interfaces took the report.
    std::size_t writeReport(std::uint32_t usagePage, std::uint32_t usage,
                            const FeatureReport& report);
    std::int32_t removeDevice();
    std::int32_t readDevice(std::uint32_t usagePage, std::uint32_t usage);
    std::int32_t deviceArrival();

    struct KeypadInterface {
        std::string path;
        std::uint16_t vendorId, productId;
        std::uint32_t usagePage, usage;
        bool writable;
        int openError;
    };
    // Every entry with the keypad's vendor and product id, with a trial write open.
    std::vector<KeypadInterface> listKeypads();
    // Every entry with the keypad's product id and usage page under another vendor id:
    // most likely a keypad that reports a vendor id this link does not match. Not
    // opened: writable is false and openError 0.
    std::vector<KeypadInterface> listOtherVendorKeypads() const;

    std::uint16_t vendorId() const { return vendorId_; }

  protected:
    void onDeviceEvent(const DeviceEvent& event) override;
    void onReaderReport(std::size_t index, const std::uint8_t* buffer) override;
    void onReaderHead(std::size_t, std::uint32_t) override {}

  private:
    bool isKeypad(const HidDeviceEntry& entry) const {
        return entry.vendorId == vendorId_ && entry.productId == KEYPAD_PRODUCT_ID;
    }
    void checkWriteAccess();

    std::uint16_t vendorId_;
};

} // namespace pad
