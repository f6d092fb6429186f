#include "keyboard/capture/EscapeHold.h"

#include <algorithm>

namespace pad {
namespace {

constexpr std::uint8_t EscapeUsage = 0x29;
constexpr unsigned EvdevEscape = 1;

} // namespace

bool IsEscapeStroke(const Keystroke& stroke) {
    return stroke.key && stroke.key->usage == EscapeUsage;
}

void EscapeHold::Start(std::span<const unsigned> keysDown) {
    held_.reset();
    escapeDown_ = std::ranges::find(keysDown, EvdevEscape) != keysDown.end();
    // Still draining only while the Escape that ended the last capture is down.
    draining_ = draining_ && escapeDown_;
}

void EscapeHold::Expire() {
    if (!held_)
        return;
    held_.reset();
    draining_ = true;
}

std::vector<Keystroke> EscapeHold::Take(const Keystroke& stroke) {
    const KeyTransition transition = stroke.transition;
    if (!IsEscapeStroke(stroke)) {
        if (!held_)
            return {stroke};
        // Another key: the Escape pressed before it is a key of the recording.
        std::vector<Keystroke> out{*held_, stroke};
        held_.reset();
        return out;
    }
    if (transition == KeyTransition::Up) {
        const bool draining = draining_;
        escapeDown_ = draining_ = false;
        if (draining)
            return {};
        std::vector<Keystroke> out;
        if (held_)
            out.push_back(*held_);
        held_.reset();
        out.push_back(stroke);
        return out;
    }
    if (draining_ || held_)
        return {}; // repeats of the Escape held back or ending the capture
    if (transition != KeyTransition::AutoRepeat && !escapeDown_) {
        escapeDown_ = true;
        held_ = stroke;
        return {};
    }
    return {stroke};
}

} // namespace pad
