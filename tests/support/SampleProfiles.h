#pragma once
// The sample profiles shipped in resources/samples, built in code so that a test
// can check the files and a small program can write them again.

#include "model/Profile.h"

#include <cstdint>
#include <vector>

namespace pad::test {

// example.qd6: single keys, mouse buttons, defaults, Macro Off and named macros.
Profile ExampleProfile();

// legacy.qd5: an older 12-key file, built byte by byte: Mode A key 0 is F1 (single
// key), Mode B key 11 plays macro 0 "Jump", Mode C key 5 is Macro Off.
std::vector<std::uint8_t> LegacyQd5Sample();

} // namespace pad::test
