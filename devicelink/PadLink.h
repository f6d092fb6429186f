#pragma once
// PadLink, the device-link library of the Corvask 12 keypad (libpadlink.so on Linux,
// PadLink.dll on Windows): what a host program needs to use it. The host passes its
// window: on Linux a QObject, to which PadLink delivers pad::WindowMessage events
// (see devicelink/WindowMessage.h); on Windows a window handle, to which it posts and
// sends window messages (devicelink/HostWindow.h).
//
// Call InitDriver once, on a thread that runs the platform's message loop (a Qt event
// loop on Linux, a Win32 message loop on Windows), and every other export on that same
// thread. Soon after InitDriver the host receives MSG_KEYPAD_PRESENT or
// MSG_KEYPAD_ABSENT; it receives one again after every change of the machine's HID
// interfaces that concerns a keypad. PadLink's hidden window has the class "PADLKClass"
// and the title "PADLKKEYMSG".
//
// Environment, read by InitDriver:
//   PADLINK_VENDOR_ID  the keypad's USB vendor id in hex (e.g. 0x1234), instead of
//                      KEYPAD_DEFAULT_VENDOR_ID
//   PADLINK_SIMULATOR  a file name: use one simulated keypad instead of the machine's
//                      devices, and append every feature report it receives to the
//                      file as a line of 8 lower-case hex bytes (a file that cannot
//                      be written makes the keypad one that cannot be opened)
//   PADLINK_SIMULATOR_UNPLUG_AFTER  a number N: the simulated keypad is unplugged once
//                      it has received N feature reports; PadLink hears of it as of a
//                      real removal (it rescans and posts MSG_KEYPAD_ABSENT) and later
//                      writes reach nothing

// The keypad's ids, report layout and message numbers: common/KeypadProtocol.h.

#include "common/KeypadProtocol.h"
#include "devicelink/HostWindow.h"

#include <cstdint>

// Receives what PadLinkListKeypads reports: one call per interface with the keypad's
// vendor and product id. writable is 1 when it could be opened for writing, else 0
// with the errno in openError.
typedef void (*PadLinkKeypadVisitor)(void* context, const char* path, std::uint16_t vendorId,
                                     std::uint16_t productId, std::uint32_t usagePage,
                                     std::uint32_t usage, std::int32_t writable,
                                     std::int32_t openError);

// Ordinals of PadLink.dll (padlink.def), by which a host binds the exports:
//   2 InitDriver, 3 SetKbdFeatures, 4 RemoveDevice, 5 ReadDevice, 6 DeviceArrival.
// The additions come after them: 7 PadLinkWriteReport, 8 PadLinkListKeypads,
// 9 PadLinkListOtherVendorKeypads. On Linux the host binds by name.
extern "C" {
// Stores the host, starts following the HID interfaces and scans. Always 1.
std::int32_t InitDriver(pad::HostWindow host, std::uint32_t hostMessage, std::uint32_t usagePage);
// Sends the 8-byte report (byte 0 = report id) to every keypad interface with this
// usage page and usage. Always 1; nothing tells whether a keypad received it.
std::int32_t SetKbdFeatures(std::uint32_t usagePage, std::uint32_t usage,
                            const std::uint8_t* report8);
// Stops every reader and closes every keypad interface. Always 1.
std::int32_t RemoveDevice();
// Starts readers (at most 10) on the keypad interfaces with this usage page and usage;
// each input report reaches the host as the host message, sent (wParam = table index,
// lParam = address of the 32-byte report, valid while the host handles it). Always 1.
std::int32_t ReadDevice(std::uint32_t usagePage, std::uint32_t usage);
// Stops the readers, rescans and posts the presence message; non-zero when it was
// queued.
std::int32_t DeviceArrival();
// Sends the report as SetKbdFeatures does and tells how many keypad interfaces took
// it: 0 when none did (no keypad, one unplugged since the last scan, or one that
// refused the report). A host that must know whether a report arrived uses this.
std::int32_t PadLinkWriteReport(std::uint32_t usagePage, std::uint32_t usage,
                                const std::uint8_t* report8);
// Reports every interface of the last scan that has the keypad's vendor and product
// id; returns how many there were.
std::int32_t PadLinkListKeypads(PadLinkKeypadVisitor visitor, void* context);
// Reports every interface of the last scan that has the keypad's product id and usage
// page under another vendor id (writable 0, openError 0: they are not opened); returns
// how many there were.
std::int32_t PadLinkListOtherVendorKeypads(PadLinkKeypadVisitor visitor, void* context);
}
