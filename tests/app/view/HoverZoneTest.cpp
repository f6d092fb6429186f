#include "app/view/HoverZone.h"

#include <gtest/gtest.h>

namespace pad {
namespace {

TEST(HoverZones, BordersBelongToNoZone) {
    EXPECT_EQ(FindHoverZone(50, 30).zone, 1);
    EXPECT_EQ(FindHoverZone(49, 30).zone, OutsideZones);
    EXPECT_EQ(FindHoverZone(139, 30).zone, OutsideZones);
    EXPECT_EQ(FindHoverZone(138, 30).zone, 1);
    EXPECT_EQ(FindHoverZone(100, 21).zone, OutsideZones);
    EXPECT_EQ(FindHoverZone(100, 41).zone, OutsideZones);
    EXPECT_EQ(FindHoverZone(100, 45).zone, OutsideZones); // between zones 1 and 2
}

TEST(HoverZones, ArrowKeysAreNumberedAcrossTheColumns) {
    // Zones 13-16 lie at labels 15, 13, 16, 14.
    const auto& labels = KeyLabelPlaces();
    EXPECT_EQ(FindHoverZone(400, 380).zone, 13);
    EXPECT_EQ(FindHoverZone(250, 380).zone, 14);
    EXPECT_EQ(FindHoverZone(400, 405).zone, 15);
    EXPECT_EQ(FindHoverZone(250, 405).zone, 16);
    EXPECT_EQ(labels[12].zone, 14); // TntLabel13, U-Arrow
    EXPECT_EQ(labels[14].zone, 13); // TntLabel15, L-Arrow
}

TEST(HoverZones, EveryLabelLiesInsideItsOwnZoneAndHighlight) {
    // Labels are placed in client coordinates; the tool bar strip is 29 high. The
    // highlight bitmap is 102 x 21.
    const int pictureTop = 29;
    for (const KeyLabelPlace& label : KeyLabelPlaces()) {
        const int cx = label.left + KeyLabelWidth / 2;
        const int cy = label.top + KeyLabelHeight / 2 - pictureTop;
        const HoverZoneRow row = FindHoverZone(cx, cy);
        EXPECT_EQ(row.zone, label.zone) << label.left << "," << label.top;
        EXPECT_EQ(row.marker, label.marker);
        EXPECT_TRUE(cx >= row.highlight.x && cx < row.highlight.x + 102 && cy >= row.highlight.y &&
                    cy < row.highlight.y + 21)
            << "zone " << row.zone;
    }
}

TEST(HoverTracker, DrawsOnceAfterTheZoneChanges) {
    HoverTracker hover;
    EXPECT_EQ(hover.Tick(), HoverTracker::Draw::Nothing); // nothing found yet
    hover.PointerAt(60, 85);                              // zone 3
    EXPECT_EQ(hover.Tick(), HoverTracker::Draw::Highlight);
    EXPECT_EQ(hover.Tick(), HoverTracker::Draw::Nothing);
    hover.PointerAt(60, 110); // zone 4
    hover.PointerAt(70, 112); // still zone 4
    EXPECT_EQ(hover.Tick(), HoverTracker::Draw::Highlight);
    EXPECT_EQ(hover.Row().highlight, (Point{45, 105}));
    hover.PointerAt(80, 115);
    EXPECT_EQ(hover.Tick(), HoverTracker::Draw::Nothing);
    hover.PointerAt(5, 5); // out of every zone
    EXPECT_EQ(hover.Tick(), HoverTracker::Draw::Plain);
    EXPECT_EQ(hover.Tick(), HoverTracker::Draw::Nothing);
}

TEST(HoverTracker, AfterAResetTheSameZoneDrawsAgain) {
    HoverTracker hover;
    hover.PointerAt(60, 85);
    EXPECT_EQ(hover.Tick(), HoverTracker::Draw::Highlight);
    hover.Reset();
    EXPECT_EQ(hover.DrawnHoverZone(), NoZoneYet);
    hover.PointerAt(60, 85);
    EXPECT_EQ(hover.Tick(), HoverTracker::Draw::Highlight);
}

} // namespace
} // namespace pad
