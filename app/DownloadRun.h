#pragma once
// One download of a profile into the keypad: the write reports one after the
// other, each followed by its pause, and the moves of the hidden progress panel.
// QtCore only; the main window supplies the device-link call and what happens
// after each report (the loader's progress message, the panel's repaint).

#include "profile/Download.h"

#include <QDeadlineTimer>
#include <QRect>
#include <QString>

#include <chrono>
#include <functional>
#include <vector>

namespace pad {

// The hidden progress panel's moving parts: the frame (Shape1), the blue bar
// (Shape2), the bar panel (Panel2) and the percentage panel (Panel3).
struct ProgressPanelState {
    static constexpr int FrameWidth = 181;
    static constexpr int FullBar = 180; // bar panel width that reads 100 %

    QRect frame;
    QRect barShape;
    QRect barPanel;
    QRect percentPanel;
    QString percentText;
    bool visible = false;

    // Before a download: frame 181 wide; both bars empty at the frame's left + 1,
    // the shape at the frame's top, the panel 2 below; the percentage 19 below the top.
    void reset();
    // After each report: both bars one pixel wider, the percentage of the bar panel.
    void advance();
    // At the end of a download.
    void hide() { visible = false; }
};

struct DownloadHooks {
    // Sends one 8-byte report to the keypad; false when no keypad took it.
    std::function<bool(const Report&)> sendReport;
    // After report n (1 ... 240) and its pause.
    std::function<void(int sent)> reportDone;
    // Asked before each report: true once the keypad has gone (unset: never).
    std::function<bool()> keypadGone;
};

struct DownloadResult {
    int sent = 0;            // reports written, each with its pause
    bool keypadLost = false; // stopped early: the keypad went away
};

// Sends every report, each followed by the whole pause once it is written, and stops
// as soon as the keypad has gone or a report was not taken. With realWrite off
// nothing is sent and nothing waits.
DownloadResult RunDownloadReports(const std::vector<Report>& reports, bool realWrite,
                                  const DownloadHooks& hooks,
                                  std::chrono::milliseconds pause = ReportPause);

// Waits until deadline while the window keeps repainting and timers and socket
// events run; mouse and key input stay queued until afterwards.
void PauseWithoutInput(const QDeadlineTimer& deadline);

} // namespace pad
