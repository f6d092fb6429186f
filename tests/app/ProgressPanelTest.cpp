#include "app/ProgressPanel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace pad;

TEST(ProgressPanel, ResetPlacesTheBarsAtTheFrame) {
    ProgressPanelState panel;
    panel.frame = QRect(30, 40, 250, 16);
    panel.barShape = QRect(0, 0, 77, 14);
    panel.barPanel = QRect(5, 5, 66, 12);
    panel.percentPanel = QRect(90, 0, 40, 15);
    panel.reset();
    EXPECT_EQ(panel.frame, QRect(30, 40, 181, 16));
    EXPECT_EQ(panel.barShape, QRect(31, 40, 0, 14));
    EXPECT_EQ(panel.barPanel, QRect(31, 42, 0, 12));
    EXPECT_EQ(panel.percentPanel, QRect(90, 59, 40, 15));
}

TEST(ProgressPanel, AdvanceWidensBothBarsAndShowsWholePercentOf180) {
    ProgressPanelState panel;
    panel.frame = QRect(10, 10, 181, 16);
    panel.reset();
    std::vector<std::string> texts;
    for (int n = 1; n <= 240; ++n) {
        panel.advance();
        texts.push_back(panel.percentText.toStdString());
    }
    EXPECT_EQ(panel.barShape.width(), 240);
    EXPECT_EQ(panel.barPanel.width(), 240);
    EXPECT_EQ(panel.barShape.left(), 11);
    EXPECT_EQ(texts[0], "0 %"); // 1 * 100 / 180
    EXPECT_EQ(texts[1], "1 %"); // 2 * 100 / 180
    EXPECT_EQ(texts[179], "100 %");
    EXPECT_EQ(texts[239], "133 %"); // the bar runs past its frame, as it always did
    panel.reset();
    EXPECT_EQ(panel.barPanel.width(), 0);
}
