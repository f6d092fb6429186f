#pragma once
// Key names, looked up like the platform's key-name service: by the scan code
// and extended mark of a keystroke flags word. Keys that type a character are
// named after the active layout; every other key, and every key when no layout
// is known, has the name a user of a US keyboard knows.

#include "keyboard/capture/KeyLayout.h"

#include <cstdint>
#include <string>

namespace pad {

// The name (UTF-8) of the key in bits 16-23 (scan code) and bit 24 (extended)
// of flags; empty when the key has no name. Extended 0x37 is "Prnt Scrn".
// layout, when given, names the character keys.
std::string KeyNameText(std::uint32_t flags, KeyLayout* layout = nullptr);

} // namespace pad
