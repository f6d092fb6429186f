#pragma once
// The Corvask 12 keypad as the suite talks to it: its USB ids, the HID collection that
// carries its reports, the 8-byte write report, the messages of the device-link
// libraries, and the udev rule that lets the user at the seat open it. Everything that
// talks to the keypad, or pretends to be it, takes these facts from here; the build
// reads the ids and the rule line from this file to write the installed udev rule.

#include "common/EnvironmentNames.h"

#include <array>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

// The vendor id the keypad is matched with. The keypad's own id is not known to this
// project; 0x3D7A is a placeholder that no device we know of uses. A build for a
// keypad with another id names it with cmake -DPADCONFIG_KEYPAD_VENDOR_ID=0x1234,
// which defines this macro for every file of the build; PADLINK_VENDOR_ID overrides
// it at run time.
#ifndef PADCONFIG_KEYPAD_VENDOR_ID
#define PADCONFIG_KEYPAD_VENDOR_ID 0x3D7A
#endif

namespace pad {

inline constexpr std::uint16_t KEYPAD_DEFAULT_VENDOR_ID = PADCONFIG_KEYPAD_VENDOR_ID;
inline constexpr std::uint16_t KEYPAD_PRODUCT_ID = 0x4002;

// The vendor-defined top-level collection that carries the keypad's feature reports.
inline constexpr std::uint16_t KEYPAD_USAGE_PAGE = 0xFF00;
inline constexpr std::uint16_t KEYPAD_USAGE = 0xFF00;

// Feature reports are 8 bytes, byte 0 being the report id; input reports are read
// 32 bytes at a time.
inline constexpr std::size_t ReportSize = 8;
inline constexpr std::size_t InputReportSize = 32;
using Report = std::array<std::uint8_t, ReportSize>;

// The write report: id 3, the keypad address (16 bits, little-endian), the 4 memory
// bytes from that address on, and a last byte that carries no data.
inline constexpr std::uint8_t WriteReportId = 0x03;
inline constexpr std::size_t ReportIdOffset = 0;
inline constexpr std::size_t ReportAddressOffset = 1;
inline constexpr std::size_t ReportDataOffset = 3;
inline constexpr std::size_t ReportDataSize = 4;

// The keypad's 16 keys, and its three programmable modes (A, B, C) besides Normal.
inline constexpr int KeysPerMode = 16;
inline constexpr int ModeCount = 3;
inline constexpr int SlotCount = KeysPerMode * ModeCount;

// A key's action in the keypad's memory: 16 event bytes, then the play mode.
inline constexpr int EventsPerAction = 16;
inline constexpr int ActionSize = EventsPerAction + 1;

// The keypad's memory holds addresses 0 to 819: 4 unused bytes, then the actions of
// the 48 key slots, Mode A keys 0-15, then B, then C.
inline constexpr std::size_t FirstImageAddress = 4;
inline constexpr std::size_t KeypadMemorySize = FirstImageAddress + SlotCount * ActionSize;
static_assert(KeypadMemorySize == 820);

// A write report to address 0xFFFF selects the mode whose code (common/KeypadMode.h)
// is its first data byte.
inline constexpr std::uint16_t ModeSelectAddress = 0xFFFF;

// The message number PadConfig and qd6 give InitDriver for the input reports.
inline constexpr std::uint32_t HostMessage = 1124;

// PadLink's and HidBridge's messages to their host, wParam 0 and lParam 0: a scan
// found a keypad, or none.
inline constexpr std::uint32_t MSG_KEYPAD_PRESENT = 0x0600;
inline constexpr std::uint32_t MSG_KEYPAD_ABSENT = 0x0700;
// Posted right after MSG_KEYPAD_PRESENT when no matched keypad can be opened for
// writing (no udev rule grants access): wParam 0, lParam the errno of the last open.
inline constexpr std::uint32_t MSG_KEYPAD_NO_ACCESS = 0x0601;

// A reader thread's messages to the link window: MSG_READER_REPORT is sent with wParam
// the table index and lParam the buffer's address, then MSG_READER_HEAD is posted with
// lParam the buffer's first 4 bytes.
inline constexpr std::uint32_t MSG_READER_HEAD = 0x0501;
inline constexpr std::uint32_t MSG_READER_REPORT = 0x0502;

// The 16-bit hex number text holds, "0x" optional; nullopt for anything else.
inline std::optional<std::uint16_t> ParseVendorId(const char* text) {
    if (!text || !*text)
        return std::nullopt;
    char* end = nullptr;
    errno = 0;
    const unsigned long value = std::strtoul(text, &end, 16);
    if (errno != 0 || end == text || *end != '\0' || value > 0xFFFF ||
        std::string_view(text).find('-') != std::string_view::npos)
        return std::nullopt;
    return std::uint16_t(value);
}

// The vendor id the device links match: PADLINK_VENDOR_ID's when it holds one.
inline std::uint16_t KeypadVendorId() {
    return ParseVendorId(std::getenv(VendorIdVariable)).value_or(KEYPAD_DEFAULT_VENDOR_ID);
}

// The udev rule that gives the user at the seat the keypad's hidraw nodes. {vendor}
// and {product} stand for the ids as udev shows them: four lower-case hex digits.
inline constexpr std::string_view UdevRuleFile = "70-corvask12-keypad.rules";
inline constexpr std::string_view UdevRuleTemplate =
    R"(SUBSYSTEM=="hidraw", ATTRS{idVendor}=="{vendor}", ATTRS{idProduct}=="{product}", TAG+="uaccess")";

// The rule's line for a keypad with this vendor id.
inline std::string UdevRuleLine(std::uint16_t vendorId) {
    auto replace = [](std::string& text, std::string_view field, std::uint16_t id) {
        char digits[5];
        std::snprintf(digits, sizeof digits, "%04x", unsigned(id));
        text.replace(text.find(field), field.size(), digits);
    };
    std::string line(UdevRuleTemplate);
    replace(line, "{vendor}", vendorId);
    replace(line, "{product}", KEYPAD_PRODUCT_ID);
    return line;
}

// The commands that make udev apply a new rule.
inline constexpr char UdevReloadCommand[] =
    "sudo udevadm control --reload-rules && sudo udevadm trigger";

} // namespace pad
