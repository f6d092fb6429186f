#pragma once
// The download (keypad/DownloadRun.h) in a Qt program: its pauses run the event loop
// without user input, so the window keeps painting and PadLink's messages arrive.

#include "keypad/DownloadRun.h"

#include <QDeadlineTimer>

namespace pad {

// Waits until deadline while timers, socket events and repaints run; mouse and key
// input stay queued until afterwards.
void PauseWithoutInput(const QDeadlineTimer& deadline);
// The same as a download's pause (DownloadHooks::pauseUntil).
void PauseWithoutInputUntil(std::chrono::steady_clock::time_point deadline);

} // namespace pad
