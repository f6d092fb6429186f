#pragma once
// The state of the main window's hidden progress panel, which a download advances
// after each report (the keypad session runs the download itself). The
// panel's widgets follow it only while the panel can be seen. QtCore only.

#include <QRect>
#include <QString>

namespace pad {

// The panel's moving parts: the frame (Shape1), the blue bar (Shape2), the bar panel
// (Panel2) and the percentage panel (Panel3).
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

} // namespace pad
