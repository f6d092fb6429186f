#include "keyboard/capture/KeyNames.h"

#include "model/PhysicalKeys.h"

namespace pad {
namespace {

// The key that sends this scan code, or nullptr.
const PhysicalKey* keyOfScan(std::uint8_t scan, bool extended) {
    for (const auto& k : PhysicalKeys)
        if (k.sendsScan() && k.scanByte() == scan && k.extended() == extended)
            return &k;
    return nullptr;
}

} // namespace

std::string KeyNameText(std::uint32_t flags, KeyLayout* layout) {
    const auto* key = keyOfScan(std::uint8_t((flags >> 16) & 0xFF), (flags >> 24) & 1);
    if (!key)
        return {};
    // The keys of the main block that type a character are named after the layout;
    // Space, the keypad and the keys that type nothing keep their fixed names.
    if (layout && key->is(Character)) {
        std::string name = layout->CharacterKeyName(key->evdev);
        if (!name.empty())
            return name;
    }
    return std::string(key->name);
}

} // namespace pad
