#pragma once
// What the keypad receives: the 820-byte download image, the write reports that carry
// it, and the report that selects the keypad's mode. The report layout is the
// keypad's (common/KeypadProtocol.h).
//
// Download image, indexed by keypad address:
//   0-3     unused, never sent
//   4-819   48 KeyActions of 17 bytes, Mode A keys 0-15, then B, then C;
//           mode m, key k starts at 4 + 17 * (16 * m + k)
// A download sends 5 write reports per key slot, from the slot's first address on in
// steps of 4; report data past the image's end is 0 and byte 7 is always 0.

#include "common/KeypadMode.h"
#include "common/KeypadProtocol.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <vector>

namespace pad {

inline constexpr std::size_t DownloadImageSize = KeypadMemorySize;
inline constexpr int ReportsPerSlot = 5;
inline constexpr int ReportsPerDownload = SlotCount * ReportsPerSlot; // 240
inline constexpr std::chrono::milliseconds ReportPause{70};

using DownloadImage = std::array<std::uint8_t, DownloadImageSize>;

// The address of report r (0-239) of a download: 4 + 17 * (r / 5) + 4 * (r % 5).
std::uint16_t DownloadReportAddress(int report);

// The write report for one image address.
Report WriteReport(const DownloadImage& image, std::uint16_t address);

// The 240 write reports of a download, in the order they are sent.
std::vector<Report> DownloadReports(const DownloadImage& image);

// The report that switches the keypad to a mode: 03 FF FF and the mode's code.
Report ModeSelectReport(KeypadMode mode);

} // namespace pad
