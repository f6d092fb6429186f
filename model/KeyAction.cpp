#include "model/KeyAction.h"

#include <algorithm>

namespace pad {

std::array<std::uint8_t, ActionSize> KeyAction::bytes() const {
    std::array<std::uint8_t, ActionSize> out{};
    std::copy(events.begin(), events.end(), out.begin());
    out[EventsPerAction] = playMode;
    return out;
}

KeyAction KeyAction::fromBytes(const std::uint8_t* seventeenBytes) {
    KeyAction a;
    std::copy(seventeenBytes, seventeenBytes + EventsPerAction, a.events.begin());
    a.playMode = seventeenBytes[EventsPerAction];
    return a;
}

} // namespace pad
