#include "keyboard/capture/KeyNames.h"

namespace pad {

std::string keyNameOf(const PhysicalKey& key, KeyLayout* layout) {
    // The keys of the main block that type a character are named after the layout;
    // Space, the keypad and the keys that type nothing keep their fixed names.
    if (layout && key.is(Character)) {
        std::string name = layout->CharacterKeyName(key.evdev);
        if (!name.empty())
            return name;
    }
    return std::string(key.name);
}

} // namespace pad
