#pragma once
// File names between the file system (bytes) and the program (UTF-16 text). Names
// are UTF-8; a byte that is not part of valid UTF-8 decodes to the lone surrogate
// U+DC80 + byte and encodes back to that byte, so every name the file system allows
// comes back byte for byte.

#include <string>
#include <string_view>

namespace pad {

std::u16string DecodeFileName(std::string_view bytes);
// A lone surrogate outside U+DC80 to U+DCFF, which no decoded name holds, becomes
// U+FFFD.
std::string EncodeFileName(std::u16string_view name);

} // namespace pad
