#pragma once
// How the command-line tools and the mode service name a mode to the user, in UTF-8:
// in the words of texts, the built-in English unless told otherwise.

#include "common/Utf16.h"
#include "texts/Texts.h"

#include <string>

namespace pad {

inline std::string ModeTitle(KeypadMode mode, const Texts& texts = Texts()) {
    return ToUtf8(texts.text(ModeText(mode)));
}

} // namespace pad
