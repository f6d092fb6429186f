#include "app/LayoutScale.h"

#include <QWidget>

#include <algorithm>

namespace pad {

qreal LayoutScaleOf(const QWidget& widget) {
    return std::max(1.0, widget.logicalDpiY() / 96.0);
}

void ScaleChildren(QWidget& parent, qreal scale, std::initializer_list<const QWidget*> skip) {
    for (QWidget* child : parent.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (std::find(skip.begin(), skip.end(), child) != skip.end())
            continue;
        const bool fixed = child->minimumSize() == child->maximumSize();
        const QRect r = Scaled(child->geometry(), scale);
        if (fixed)
            child->setFixedSize(r.size());
        child->setGeometry(r);
        if (child->font().pixelSize() > 0) {
            QFont font = child->font();
            font.setPixelSize(ScaledPx(font.pixelSize(), scale));
            child->setFont(font);
        }
    }
}

} // namespace pad
