#pragma once
// The keypad view's fixed geometry: where the 16 key labels stand, the hover zones
// with their highlight and marker places, and the hover-highlight state machine
// that the 40 ms timer drives.

#include <array>

namespace pad {

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

// Zone 0: none found yet; 1-16: the key zone under the pointer; 17: none.
inline constexpr int NoZoneYet = 0;
inline constexpr int OutsideZones = 17;

struct HoverZoneRow {
    int zone = OutsideZones;
    Point highlight; // below PictureTop
    Point marker;    // below PictureTop
};

// The first zone of the table that holds (x, y); y is measured from PictureTop and
// all bounds are exclusive. Zone 17 with (0, 0) places when none does.
HoverZoneRow FindHoverZone(int x, int yBelowTop);

struct KeyLabelPlace {
    int left;
    int top; // client coordinates
    int zone;
    Point marker; // below PictureTop
};
inline constexpr int KeyLabelWidth = 90;
inline constexpr int KeyLabelHeight = 13;

// TntLabel1 .. TntLabel16 (index 0-15 = key 0-15).
const std::array<KeyLabelPlace, 16>& KeyLabelPlaces();

// The hover highlight: every pointer move sets the zone, every timer tick decides
// what to draw.
class HoverTracker {
  public:
    enum class Draw { Nothing, Highlight, Plain };

    void PointerAt(int x, int yBelowTop);
    // One Timer2 tick: what to draw (Highlight at Row()'s places, or the plain
    // picture over the old highlight).
    Draw Tick();
    // After a mode switch: the next move draws afresh.
    void Reset() { hoverZone_ = drawnHoverZone_ = NoZoneYet; }

    int HoverZone() const { return hoverZone_; }
    int DrawnHoverZone() const { return drawnHoverZone_; }
    const HoverZoneRow& Row() const { return row_; }

  private:
    int hoverZone_ = NoZoneYet;
    int drawnHoverZone_ = NoZoneYet;
    HoverZoneRow row_{NoZoneYet, {}, {}};
};

} // namespace pad
