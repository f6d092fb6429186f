#pragma once
// The main window's layout is drawn in layout pixels, one per widget pixel at a
// logical 96 DPI. Its texts are point-sized, so they grow with the logical DPI
// (QT_FONT_DPI, or Xft.dpi with Qt's high-DPI scaling off); the layout grows with
// them, keeping its proportions. The device pixel ratio is Qt's own business and
// comes on top.

#include <QRect>

#include <initializer_list>

class QWidget;

namespace pad {

// Widget pixels per layout pixel for a widget's screen: at least 1.
qreal LayoutScaleOf(const QWidget& widget);

inline int ScaledPx(int v, qreal scale) {
    return qRound(v * scale);
}
inline QSize Scaled(QSize s, qreal scale) {
    return {ScaledPx(s.width(), scale), ScaledPx(s.height(), scale)};
}
inline QRect Scaled(const QRect& r, qreal scale) {
    return {QPoint(ScaledPx(r.x(), scale), ScaledPx(r.y(), scale)), Scaled(r.size(), scale)};
}

// Scales the geometry of parent's direct children (and the size of those of fixed
// size, and pixel-sized fonts) from layout pixels, except the widgets in skip.
void ScaleChildren(QWidget& parent, qreal scale, std::initializer_list<const QWidget*> skip);

} // namespace pad
