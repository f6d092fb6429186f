#include "app/KeypadView.h"

#include "app/KeyedBitmap.h"

#include <QPaintEvent>
#include <QPainter>

#include <cstring>

namespace pad {
namespace {

// Background colour of each view mode: Normal, Mode A, Mode B, Mode C.
QColor ModeColour(int viewMode) {
    switch (viewMode) {
    case 0:
        return QColor(0, 0, 128);
    case 1:
        return QColor(0, 128, 0);
    case 2:
        return QColor(128, 0, 0);
    default:
        return QColor(6, 6, 6);
    }
}

constexpr int Image2X = 228, Image2Y = 94;
constexpr int LoadX = 396, LoadY = 8;

} // namespace

KeypadArtwork KeypadArtwork::Load(qreal scale) {
    return {ArtworkAt("keypad", scale),
            ArtworkAt("keys", scale),
            ArtworkAt("load", scale),
            ArtworkAt("load-pressed", scale),
            ArtworkAt("highlight", scale),
            ArtworkAt("marker", scale),
            scale};
}

KeypadView::KeypadView(QWidget* parent) : QWidget(parent) {
    setObjectName("BkImg");
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

void KeypadView::SetLayoutScale(qreal scale) {
    layoutScale_ = scale;
    stale_ = true;
    update();
}

qreal KeypadView::Scale() const {
    return layoutScale_ * devicePixelRatioF();
}

int KeypadView::Px(qreal v) const {
    return qRound(v * art_.scale);
}

void KeypadView::RedrawKeypad(int viewMode) {
    viewMode_ = viewMode;
    stale_ = true;
    update();
}

void KeypadView::Compose() {
    if (!qFuzzyCompare(art_.scale, Scale()))
        art_ = KeypadArtwork::Load(Scale());
    // As large as the window's outer size, at least 475 x 504 layout pixels.
    const QSize outer = window()->frameGeometry().size() * devicePixelRatioF();
    QImage surface(outer.expandedTo(QSize(Px(475), Px(504))), QImage::Format_RGB32);
    surface.setDevicePixelRatio(devicePixelRatioF());
    surface.fill(ModeColour(viewMode_));
    DrawKeyedBitmap(surface, art_.Image1, 0, Px(pictureTop_));
    DrawKeyedBitmap(surface, art_.Image2, Px(Image2X), Px(pictureTop_ + Image2Y));
    DrawKeyedBitmap(surface, art_.Image3, Px(LoadX), Px(pictureTop_ + LoadY));
    picture_ = surface;
    screen_ = surface;
    highlightDrawn_ = markerDrawn_ = QRect();
    stale_ = false;
}

QImage& KeypadView::Screen() {
    if (stale_ || !qFuzzyCompare(art_.scale, Scale()))
        Compose();
    return screen_;
}

QRect KeypadView::DrawOnScreen(const QImage& bitmap, int x, int y) {
    const QPoint at(Px(x), Px(y));
    DrawKeyedBitmap(Screen(), bitmap, at.x(), at.y());
    return QRect(at, bitmap.size());
}

void KeypadView::Restore(const QRect& rect) {
    const QRect r = rect & picture_.rect();
    for (int row = r.top(); row <= r.bottom(); ++row)
        std::memcpy(screen_.scanLine(row) + r.left() * 4,
                    picture_.constScanLine(row) + r.left() * 4, std::size_t(r.width()) * 4);
}

void KeypadView::DrawHover(HoverTracker::Draw draw, const HoverZoneRow& row) {
    if (draw == HoverTracker::Draw::Nothing)
        return;
    // The plain picture over the old highlight, then the new one.
    Screen();
    Restore(highlightDrawn_);
    Restore(markerDrawn_);
    highlightDrawn_ = markerDrawn_ = QRect();
    if (draw == HoverTracker::Draw::Highlight) {
        highlightDrawn_ =
            DrawOnScreen(art_.TntImage2, row.highlight.x, pictureTop_ + row.highlight.y);
        markerDrawn_ = DrawOnScreen(art_.TntImage3, row.marker.x, pictureTop_ + row.marker.y);
    }
    update();
}

void KeypadView::DrawLoad(bool pressed) {
    // The kept picture holds the normal look; the pressed look goes over it.
    Screen();
    const QRect button(QPoint(Px(LoadX), Px(pictureTop_ + LoadY)), art_.Image3.size());
    Restore(button);
    if (pressed)
        DrawOnScreen(art_.Image4, LoadX, pictureTop_ + LoadY);
    update();
}

void KeypadView::paintEvent(QPaintEvent* event) {
    const QImage& screen = Screen();
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (screen.devicePixelRatio() == 1.0) {
        painter.drawImage(event->rect().topLeft(), screen, event->rect());
        return;
    }
    painter.setClipRect(event->rect());
    painter.drawImage(QPointF(0, 0), screen);
}

} // namespace pad
