#pragma once
// Escape held down ends a capture, so that the keyboard alone can stop a recording
// in which every key, a short Escape included, is recorded. The capture holds back
// an Escape press until it knows which it is: a release, or another key, passes the
// press on in its place before them; a wait of StopAfter without either makes it
// the held Escape, which ends the capture and is passed on no further, up to and
// including its release.

#include "keyboard/capture/Keystroke.h"

#include <chrono>
#include <optional>
#include <span>
#include <vector>

namespace pad {

class EscapeHold {
  public:
    static constexpr std::chrono::milliseconds StopAfter{1000};

    // A capture begins with the keys keysDown (evdev codes) held down. An Escape
    // among them is no Escape of this capture: it cannot end it.
    void Start(std::span<const unsigned> keysDown);
    // The capture was stopped another way: a held-back press is forgotten.
    void Cancel() { held_.reset(); }

    // The keystrokes to pass on now for stroke, in order.
    std::vector<Keystroke> Take(const Keystroke& stroke);

    // An Escape press is held back: the wait runs.
    bool Waiting() const { return held_.has_value(); }
    // The wait ran out with Escape still down: it ends the capture.
    void Expire();
    // Escape ended the capture and has not been released yet.
    bool Draining() const { return draining_; }

  private:
    std::optional<Keystroke> held_;
    bool escapeDown_ = false; // Escape went down and was passed on or held back
    bool draining_ = false;
};

// Whether the keystroke is one of Escape's.
bool IsEscapeStroke(const Keystroke& stroke);

} // namespace pad
