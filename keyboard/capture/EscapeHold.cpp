#include "keyboard/capture/EscapeHold.h"

#include "keyboard/capture/Keystroke.h"

#include <algorithm>

namespace pad {
namespace {

constexpr std::uint8_t EscapeScan = 0x01;
constexpr unsigned EvdevEscape = 1;

std::uint8_t TransitionOf(std::uint32_t flags) {
    return std::uint8_t((flags >> 28) & 0x0C);
}

} // namespace

bool IsEscapeStroke(std::uint32_t flags) {
    const bool extended = (flags >> 24) & 1;
    return ((flags >> 16) & 0xFF) == EscapeScan && !extended;
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

std::vector<CapturedStroke> EscapeHold::Take(const CapturedStroke& stroke) {
    const std::uint8_t transition = TransitionOf(stroke.flags);
    if (!IsEscapeStroke(stroke.flags)) {
        if (!held_)
            return {stroke};
        // Another key: the Escape pressed before it is a key of the recording.
        std::vector<CapturedStroke> out{*held_, stroke};
        held_.reset();
        return out;
    }
    if (transition == TransitionUp) {
        const bool draining = draining_;
        escapeDown_ = draining_ = false;
        if (draining)
            return {};
        std::vector<CapturedStroke> out;
        if (held_)
            out.push_back(*held_);
        held_.reset();
        out.push_back(stroke);
        return out;
    }
    if (draining_ || held_)
        return {}; // repeats of the Escape held back or ending the capture
    if (transition != TransitionRepeat && !escapeDown_) {
        escapeDown_ = true;
        held_ = stroke;
        return {};
    }
    return {stroke};
}

} // namespace pad
