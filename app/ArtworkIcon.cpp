#include "app/ArtworkIcon.h"

#include "app/KeyedBitmap.h"

#include <QApplication>
#include <QHash>
#include <QIconEngine>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>

namespace pad {
namespace {

class ArtworkIconEngine : public QIconEngine {
  public:
    explicit ArtworkIconEngine(const char* name) : name_(name) {}

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override {
        const quint64 key = quint64(size.width()) << 34 | quint64(size.height()) << 4 | mode;
        if (const auto found = cache_.constFind(key); found != cache_.constEnd())
            return *found;
        const QSize own = ArtworkSize(name_);
        if (own.isEmpty() || size.isEmpty())
            return QPixmap();
        const qreal scale =
            std::min(qreal(size.width()) / own.width(), qreal(size.height()) / own.height());
        QPixmap drawn = QPixmap::fromImage(ArtworkWithAlphaAt(name_, scale));
        if (mode == QIcon::Disabled && qApp) {
            QStyleOption option;
            option.palette = QApplication::palette();
            drawn = QApplication::style()->generatedIconPixmap(mode, drawn, &option);
        }
        cache_.insert(key, drawn);
        return drawn;
    }

    // size is in device pixels already.
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        QPixmap drawn = pixmap(size, mode, state);
        drawn.setDevicePixelRatio(scale);
        return drawn;
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const qreal ratio = painter->device()->devicePixelRatioF();
        painter->drawPixmap(rect, scaledPixmap(rect.size() * ratio, mode, state, ratio));
    }

    // The own size only: the window system asks for it, and other sizes would be
    // rendered at start.
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override { return {ArtworkSize(name_)}; }

    QIconEngine* clone() const override { return new ArtworkIconEngine(name_); }

  private:
    const char* name_;
    QHash<quint64, QPixmap> cache_;
};

} // namespace

QIcon ArtworkIcon(const char* name) {
    return QIcon(new ArtworkIconEngine(name));
}

IconLabel::IconLabel(const QIcon& icon, QWidget* parent) : QLabel(parent), icon_(icon) {}

void IconLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    icon_.paint(&painter, contentsRect());
}

} // namespace pad
