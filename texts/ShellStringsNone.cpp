#include "texts/ShellStrings.h"

namespace pad {

std::u16string ShellOverwriteQuestion() {
    return {};
}

} // namespace pad
