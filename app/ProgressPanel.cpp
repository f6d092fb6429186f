#include "app/ProgressPanel.h"

namespace pad {

void ProgressPanelState::reset() {
    frame.setWidth(FrameWidth);
    barShape = QRect(frame.left() + 1, frame.top(), 0, barShape.height());
    barPanel = QRect(frame.left() + 1, frame.top() + 2, 0, barPanel.height());
    percentPanel.moveTop(frame.top() + 19);
}

void ProgressPanelState::advance() {
    barShape.setWidth(barShape.width() + 1);
    barPanel.setWidth(barPanel.width() + 1);
    percentText = QString::number(barPanel.width() * 100 / FullBar) + " %";
}

} // namespace pad
