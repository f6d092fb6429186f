#include "app/KeypadView.h"

#include <QPaintEvent>
#include <QPainter>

namespace pad {

KeypadView::KeypadView(QWidget* parent) : QWidget(parent) {
    setObjectName("BkImg");
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

void KeypadView::SetPicture(const QImage& picture) {
    picture_ = picture;
    screen_ = picture;
    update();
}

void KeypadView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    painter.drawImage(event->rect().topLeft(), screen_, event->rect());
}

} // namespace pad
