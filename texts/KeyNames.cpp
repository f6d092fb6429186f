#include "texts/KeyNames.h"

#include "model/PhysicalKeys.h"

#include <array>
#include <cstdio>
#include <string_view>

namespace pad {
namespace {

std::string hexByte(unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", value & 0xFF);
    return text;
}

constexpr auto kNames = [] {
    std::array<std::string_view, 128> names{};
    for (const auto& k : PhysicalKeys)
        if (k.code != 0)
            names[k.code] = k.codeName;
    return names;
}();

} // namespace

bool IsNamedDeviceKey(DeviceKeyCode code) {
    return code < kNames.size() && !kNames[code].empty();
}

std::string DeviceKeyName(DeviceKeyCode code) {
    if (IsNamedDeviceKey(code))
        return std::string(kNames[code]);
    return hexByte(code);
}

std::string KeyEventName(KeyEvent event) {
    if (event == 0)
        return "(none)";
    return DeviceKeyName(codeOf(event)) + (isRelease(event) ? " release" : " press");
}

std::string PlayModeName(std::uint8_t playMode) {
    switch (playMode) {
    case PlayOnce:
        return "PlayOnce";
    case RepeatWhileHeld:
        return "RepeatWhileHeld";
    case RepeatUntilPressedAgain:
        return "RepeatUntilPressedAgain";
    case DirectKey:
        return "DirectKey";
    default:
        return hexByte(playMode);
    }
}

} // namespace pad
