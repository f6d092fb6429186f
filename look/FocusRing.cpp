#include "look/FocusRing.h"

#include "look/PadLook.h"

#include <QApplication>
#include <QEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>

namespace pad {
namespace {

// Moves the one ring to whichever control gets the focus.
class FocusTracker : public QObject {
  public:
    explicit FocusTracker(QObject* parent) : QObject(parent) {
        connect(qApp, &QApplication::focusChanged, this, &FocusTracker::FocusChanged);
    }

    QWidget* Target() const { return ring_ && ring_->isVisible() ? ring_->Followed() : nullptr; }

  private:
    void FocusChanged(QWidget*, QWidget* now) {
        if (!now || now->isWindow() || qobject_cast<QMenu*>(now) || qobject_cast<QMenuBar*>(now)) {
            Hide();
            return;
        }
        QWidget* window = now->window();
        // A window reached from one the keyboard was used in is in keyboard use too.
        if (lastWindow_ && lastWindow_ != window &&
            lastWindow_->testAttribute(Qt::WA_KeyboardFocusChange))
            window->setAttribute(Qt::WA_KeyboardFocusChange);
        lastWindow_ = window;
        if (!window->testAttribute(Qt::WA_KeyboardFocusChange)) {
            Hide();
            return;
        }
        if (!ring_)
            ring_ = new FocusRing(window);
        else if (ring_->parentWidget() != window)
            ring_->setParent(window);
        ring_->Follow(now);
    }

    void Hide() {
        if (ring_)
            ring_->Follow(nullptr);
    }

    QPointer<FocusRing> ring_;
    QPointer<QWidget> lastWindow_;
};

QPointer<FocusTracker> tracker;

} // namespace

void FocusRing::Install() {
    if (!tracker)
        tracker = new FocusTracker(qApp);
}

QWidget* FocusRing::Target() {
    return tracker ? tracker->Target() : nullptr;
}

FocusRing::FocusRing(QWidget* window) : QWidget(window) {
    setObjectName("FocusRing");
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
}

void FocusRing::Follow(QWidget* target) {
    if (target_)
        target_->removeEventFilter(this);
    target_ = target;
    if (!target) {
        hide();
        return;
    }
    target->installEventFilter(this);
    Place();
}

void FocusRing::Place() {
    if (!target_ || !target_->isVisible()) {
        hide();
        return;
    }
    const QPoint origin = target_->mapTo(window(), QPoint(0, 0));
    setGeometry(QRect(origin, target_->size()).adjusted(-Reach, -Reach, Reach, Reach));
    raise();
    show();
}

bool FocusRing::eventFilter(QObject* watched, QEvent* event) {
    if (watched == target_) {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Hide:
            Place();
            break;
        default:
            break;
        }
    }
    return false;
}

void FocusRing::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(FocusRingEdge, 1));
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    painter.setPen(QPen(FocusRingColour, Width));
    const qreal centre = 1 + Width / 2.0;
    painter.drawRoundedRect(QRectF(rect()).adjusted(centre, centre, -centre, -centre), 3, 3);
}

} // namespace pad
