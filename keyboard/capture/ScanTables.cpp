#include "keyboard/capture/ScanTables.h"

#include "model/PhysicalKeys.h"

#include <array>

namespace pad {
namespace {

using Table = std::array<std::uint16_t, 256>;

constexpr Table scanToUsage(bool extended) {
    Table table{};
    for (const auto& k : PhysicalKeys)
        if (k.sendsScan() && k.extended() == extended)
            table[k.scanByte()] = k.usage;
    return table;
}

constexpr Table kPlainScanToUsage = scanToUsage(false);
constexpr Table kExtendedScanToUsage = scanToUsage(true);

// Only the usages with a DeviceKeyCode are named from stored macros; their scan code
// is the one on the row that carries the code.
constexpr Table kUsageToScan = [] {
    Table table{};
    for (const auto& k : PhysicalKeys)
        if (k.usage != 0 && k.code != 0)
            table[k.usage] = k.scan;
    return table;
}();

} // namespace

std::uint32_t ScanToUsage(std::uint8_t scan, bool extended) {
    return extended ? kExtendedScanToUsage[scan] : kPlainScanToUsage[scan];
}

std::uint16_t UsageToScan(std::uint8_t usage) {
    return kUsageToScan[usage];
}

} // namespace pad
