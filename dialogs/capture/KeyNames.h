#pragma once
// Key names as a user of a US keyboard layout knows them, looked up like the
// platform's key-name service: by the scan code and extended mark of a
// keystroke flags word.

#include <cstdint>
#include <string>

namespace pad {

// The name of the key in bits 16-23 (scan code) and bit 24 (extended) of
// flags; empty when the key has no name. Extended 0x37 is "Prnt Scrn".
std::string KeyNameText(std::uint32_t flags);

} // namespace pad
