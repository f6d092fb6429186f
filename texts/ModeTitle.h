#pragma once
// How the command-line tools name a mode to the user, in UTF-8.

#include "common/Utf16.h"
#include "texts/UiTexts.h"

#include <string>

namespace pad {

inline std::string ModeTitle(KeypadMode mode) {
    return ToUtf8(ModeText(mode).english);
}

} // namespace pad
