#include "app/KeypadView.h"

#include "app/KeyedBitmap.h"

#include <QPaintEvent>
#include <QPainter>

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

KeypadArtwork KeypadArtwork::Load() {
    return {LoadKeyedBitmap("keypad"),    LoadKeyedBitmap("keys"),
            LoadKeyedBitmap("load"),      LoadKeyedBitmap("load-pressed"),
            LoadKeyedBitmap("highlight"), LoadKeyedBitmap("marker")};
}

KeypadView::KeypadView(QWidget* parent) : QWidget(parent) {
    setObjectName("BkImg");
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

void KeypadView::RedrawKeypad(int viewMode) {
    viewMode_ = viewMode;
    stale_ = true;
    update();
}

void KeypadView::Compose() {
    // As large as the window's outer size, at least 475 x 504.
    const QSize outer = window()->frameGeometry().size().expandedTo(QSize(475, 504));
    QImage surface(outer, QImage::Format_RGB32);
    surface.fill(ModeColour(viewMode_));
    DrawKeyedBitmap(surface, art_.Image1, 0, pictureTop_);
    DrawKeyedBitmap(surface, art_.Image2, Image2X, pictureTop_ + Image2Y);
    DrawKeyedBitmap(surface, art_.Image3, LoadX, pictureTop_ + LoadY);
    picture_ = surface;
    screen_ = surface;
    stale_ = false;
}

QImage& KeypadView::Screen() {
    if (stale_)
        Compose();
    return screen_;
}

const QImage& KeypadView::Picture() {
    if (stale_)
        Compose();
    return picture_;
}

void KeypadView::DrawHover(HoverTracker::Draw draw, const HoverZoneRow& row) {
    if (draw == HoverTracker::Draw::Nothing)
        return;
    QImage& screen = Screen();
    DrawKeyedBitmap(screen, art_.Image1, 0, pictureTop_);
    DrawKeyedBitmap(screen, art_.Image2, Image2X, pictureTop_ + Image2Y);
    if (draw == HoverTracker::Draw::Highlight) {
        DrawKeyedBitmap(screen, art_.TntImage2, row.highlight.x, pictureTop_ + row.highlight.y);
        DrawKeyedBitmap(screen, art_.TntImage3, row.marker.x, pictureTop_ + row.marker.y);
    }
    update();
}

void KeypadView::DrawLoad(bool pressed) {
    DrawKeyedBitmap(Screen(), pressed ? art_.Image4 : art_.Image3, LoadX, pictureTop_ + LoadY);
    update();
}

void KeypadView::paintEvent(QPaintEvent* event) {
    const QImage& screen = Screen();
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    painter.drawImage(event->rect().topLeft(), screen, event->rect());
}

} // namespace pad
