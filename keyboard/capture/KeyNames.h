#pragma once
// Key names, as the platform's key-name service gives them: keys that type a character
// are named after the active layout; every other key, and every key when no layout is
// known, has the name a user of a US keyboard knows.

#include "keyboard/capture/KeyLayout.h"
#include "model/PhysicalKeys.h"

#include <string>

namespace pad {

// The name (UTF-8) of key; layout, when given, names the character keys.
std::string keyNameOf(const PhysicalKey& key, KeyLayout* layout = nullptr);

} // namespace pad
