#include "app/view/HoverZone.h"

namespace pad {
namespace {

struct ZoneBounds {
    int left, right, top, bottom; // exclusive
    Point highlight;
    Point marker;
};

// HoverZoneTable: tested in this order, the first that holds the point wins.
constexpr std::array<ZoneBounds, 16> Zones = {{
    {49, 139, 21, 41, {45, 21}, {270, 145}},
    {49, 139, 49, 69, {45, 49}, {292, 143}},
    {49, 139, 77, 97, {45, 77}, {316, 140}},
    {49, 139, 105, 125, {45, 105}, {247, 170}},
    {49, 139, 134, 154, {45, 134}, {272, 168}},
    {49, 139, 162, 182, {45, 162}, {296, 166}},
    {49, 139, 190, 210, {45, 190}, {318, 164}},
    {49, 139, 218, 238, {45, 218}, {250, 194}},
    {49, 139, 246, 266, {45, 246}, {274, 192}},
    {49, 139, 274, 294, {45, 274}, {296, 190}},
    {49, 139, 302, 322, {45, 302}, {320, 188}},
    {218, 318, 47, 68, {218, 47}, {352, 164}},
    {353, 453, 371, 391, {353, 371}, {325, 308}},
    {216, 315, 371, 391, {216, 371}, {349, 280}},
    {353, 453, 397, 417, {353, 397}, {380, 304}},
    {216, 315, 397, 417, {216, 397}, {354, 332}},
}};

constexpr std::array<KeyLabelPlace, 16> Labels = {{
    {50, 54, 1, {270, 145}},
    {50, 82, 2, {292, 143}},
    {51, 110, 3, {316, 140}},
    {50, 138, 4, {247, 170}},
    {50, 167, 5, {272, 168}},
    {50, 195, 6, {296, 166}},
    {50, 223, 7, {318, 164}},
    {50, 251, 8, {250, 194}},
    {50, 281, 9, {274, 192}},
    {50, 307, 10, {296, 190}},
    {50, 335, 11, {320, 188}},
    {224, 80, 12, {352, 164}},
    {221, 403, 14, {349, 280}},
    {221, 430, 16, {354, 332}},
    {358, 403, 13, {325, 308}},
    {358, 430, 15, {380, 304}},
}};

} // namespace

HoverZoneRow FindHoverZone(int x, int yBelowTop) {
    for (std::size_t i = 0; i < Zones.size(); ++i) {
        const ZoneBounds& z = Zones[i];
        if (x > z.left && x < z.right && yBelowTop > z.top && yBelowTop < z.bottom)
            return {int(i) + 1, z.highlight, z.marker};
    }
    return {OutsideZones, {}, {}};
}

const std::array<KeyLabelPlace, 16>& KeyLabelPlaces() {
    return Labels;
}

void HoverTracker::PointerAt(int x, int yBelowTop) {
    row_ = FindHoverZone(x, yBelowTop);
    hoverZone_ = row_.zone;
}

HoverTracker::Draw HoverTracker::Tick() {
    if (hoverZone_ >= 1 && hoverZone_ <= 16 && hoverZone_ != drawnHoverZone_ &&
        row_.highlight.x != 0 && row_.highlight.y != 0) {
        drawnHoverZone_ = hoverZone_;
        return Draw::Highlight;
    }
    if (hoverZone_ == OutsideZones && drawnHoverZone_ != OutsideZones) {
        drawnHoverZone_ = OutsideZones;
        return Draw::Plain;
    }
    return Draw::Nothing;
}

} // namespace pad
