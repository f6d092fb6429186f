#pragma once
// Escape held down ends a capture, so that the keyboard alone can stop a recording
// in which every key, a short Escape included, is recorded. The capture holds back
// an Escape press until it knows which it is: a release, or another key, passes the
// press on in its place before them; a wait of StopAfter without either makes it
// the held Escape, which ends the capture and is passed on no further, up to and
// including its release.

#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace pad {

// One captured keystroke as the capture window receives it: the virtual-key code
// and the keystroke flags word (see PcKeys.h).
struct CapturedStroke {
    std::uint8_t virtualKey = 0;
    std::uint32_t flags = 0;
    bool operator==(const CapturedStroke&) const = default;
};

class EscapeHold {
  public:
    static constexpr std::chrono::milliseconds StopAfter{1000};

    // A capture begins with the keys keysDown (evdev codes) held down. An Escape
    // among them is no Escape of this capture: it cannot end it.
    void Start(std::span<const unsigned> keysDown);
    // The capture was stopped another way: a held-back press is forgotten.
    void Cancel() { held_.reset(); }

    // The keystrokes to pass on now for stroke, in order.
    std::vector<CapturedStroke> Take(const CapturedStroke& stroke);

    // An Escape press is held back: the wait runs.
    bool Waiting() const { return held_.has_value(); }
    // The wait ran out with Escape still down: it ends the capture.
    void Expire();
    // Escape ended the capture and has not been released yet.
    bool Draining() const { return draining_; }

  private:
    std::optional<CapturedStroke> held_;
    bool escapeDown_ = false; // Escape went down and was passed on or held back
    bool draining_ = false;
};

// Whether the flags word is one of Escape's keystrokes.
bool IsEscapeStroke(std::uint32_t flags);

} // namespace pad
