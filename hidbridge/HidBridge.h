#pragma once
// HidBridge (libhidbridge.so, HidBridge.dll), a variant of PadLink: it matches every HID interface
// with the host's usage page whatever its vendor, starts a reader on each match by
// itself, and hands each input report to the host twice: first sent as host message
// + 1 (wParam = table index, lParam = address of the 32-byte report), then posted as
// the host message (wParam = table index, lParam = the report's first 4 bytes).
// Every interface arrival posts MSG_KEYPAD_ABSENT and then the rescan's presence
// message. The removal of a matched interface stops that interface's reader; the
// host gets MSG_KEYPAD_ABSENT once no matched interface is left. Same threading rules,
// host window and environment variables as PadLink; its hidden window has the class
// "USBHIDClass" and the title "BRDGKEYMSG".

#include "devicelink/PadLink.h"

#include <cstdint>

// Ordinals of HidBridge.dll (hidbridge.def): 2 InitDriver, 3 SetKbdFeatures,
// 4 GetIndexStr.
extern "C" {
std::int32_t InitDriver(pad::HostWindow host, std::uint32_t hostMessage, std::uint32_t usagePage);
// Sends the report to every interface with this usage page and usage. Always 1.
std::int32_t SetKbdFeatures(std::uint32_t usagePage, std::uint32_t usage,
                            const std::uint8_t* report8);
// Reads string stringIndex (UTF-16LE) of every interface with this usage page and
// usage and product id 0x015D into buffer, which must hold length + 1 bytes; a device
// that gives no string after 13 tries leaves a single zero byte. Returns the number
// of entries in the device table.
std::int32_t GetIndexStr(std::uint32_t usagePage, std::uint32_t usage, std::uint32_t stringIndex,
                         std::uint8_t* buffer, std::uint32_t length);
}
