#pragma once
// One download of a profile into the keypad: its write reports one after the other,
// each followed by the keypad's pause, with progress after each, stopping early once
// the keypad has gone. PadConfig and qd6 supply the write, the progress display, the
// way they wait and how they notice the keypad leaving. Qt-free; the Qt programs wait
// with keypad/DownloadRunner.h's PauseWithoutInput.

#include "keypad/KeypadReports.h"

#include <chrono>
#include <functional>

namespace pad {

struct DownloadHooks {
    // Sends one report to the keypad; false when no keypad took it.
    std::function<bool(const Report&)> sendReport;
    // Asked before each report: true once the keypad has gone (unset: never).
    std::function<bool()> keypadGone;
    // After report n (1 ... 240) and its pause.
    std::function<void(int sent)> reportDone;
    // Waits until the deadline (unset: sleeps).
    std::function<void(std::chrono::steady_clock::time_point deadline)> pauseUntil;
};

struct DownloadResult {
    int sent = 0;            // reports written, each with its pause
    bool keypadLost = false; // stopped early: the keypad went away
};

// Sends the image's 240 write reports. Each report gets the whole pause once it has
// been handed over, measured on the steady clock; the download stops as soon as the
// keypad has gone or a report was not taken.
DownloadResult RunDownload(const DownloadImage& image, const DownloadHooks& hooks,
                           std::chrono::milliseconds pause = ReportPause);

} // namespace pad
