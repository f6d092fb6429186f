#pragma once
// What the keypad receives: the 820-byte download image built from a profile, the
// 8-byte write reports that carry it, and the report that selects the keypad's mode.
//
// Download image, indexed by keypad address:
//   0-3     unused, never sent
//   4-819   48 KeyActions of 17 bytes, Mode A keys 0-15, then B, then C;
//           mode m, key k starts at 4 + 17 * (16 * m + k)
// Write report (feature report 3), 8 bytes:
//   0 report id 0x03 | 1 address low | 2 address high | 3-6 image bytes at
//   address .. address + 3 (0 past the image) | 7 always 0
// Mode-select report: address 0xFFFF, byte 3 the mode code, bytes 4-7 zero.

#include "profile/Profile.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <vector>

namespace pad {

inline constexpr std::uint16_t KEYPAD_USAGE_PAGE = 0xFF00;
inline constexpr std::uint16_t KEYPAD_USAGE = 0xFF00;
inline constexpr std::uint8_t WriteReportId = 0x03;
inline constexpr std::uint16_t ModeSelectAddress = 0xFFFF;
inline constexpr std::uint16_t FirstImageAddress = 4;
inline constexpr std::size_t DownloadImageSize = 820;
inline constexpr int ReportsPerSlot = 5;
inline constexpr int ReportsPerDownload = SlotCount * ReportsPerSlot; // 240
inline constexpr std::chrono::milliseconds ReportPause{70};

// Mode codes of the mode-select report.
inline constexpr int ModeCodeNormal = 0;
inline constexpr int ModeCodeA = 1;
inline constexpr int ModeCodeB = 2;
inline constexpr int ModeCodeC = 3;

using DownloadImage = std::array<std::uint8_t, DownloadImageSize>;
using Report = std::array<std::uint8_t, 8>;

// The image of the profile's 48 KeyActions; addresses 0-3 are 0.
DownloadImage BuildDownloadImage(const Profile& profile);

// The address of report r (0-239) of a download: 4 + 17 * (r / 5) + 4 * (r % 5).
std::uint16_t DownloadReportAddress(int report);

// The write report for one image address.
Report WriteReport(const DownloadImage& image, std::uint16_t address);

// The 240 write reports of a download, in the order they are sent.
std::vector<Report> DownloadReports(const DownloadImage& image);

// The report that switches the keypad to a mode: 0 Normal, 1-3 Mode A-C.
Report ModeSelectReport(int modeCode);

} // namespace pad
