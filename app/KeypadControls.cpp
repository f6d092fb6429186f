#include "app/KeypadControls.h"

#include <QAccessibleWidget>
#include <QPainter>

namespace pad {
namespace {

// A widget with a role of its choice and one action of its own besides the focus.
class ActionAccessible : public QAccessibleWidget {
  public:
    ActionAccessible(QWidget* widget, QAccessible::Role role, QString action,
                     const std::function<void()>& run, bool popup)
        : QAccessibleWidget(widget, role), action_(std::move(action)), run_(run), popup_(popup) {}

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.hasPopup = popup_;
        return s;
    }
    QStringList actionNames() const override {
        return QStringList(action_) + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& name) override {
        if (name == action_) {
            if (run_)
                run_();
            return;
        }
        QAccessibleWidget::doAction(name);
    }

  private:
    QString action_;
    const std::function<void()>& run_;
    bool popup_;
};

QAccessibleInterface* KeypadFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("pad::KeyLabelWidget"))
        if (auto* label = qobject_cast<KeyLabelWidget*>(object))
            return new ActionAccessible(label, QAccessible::ButtonMenu,
                                        QAccessibleActionInterface::showMenuAction(),
                                        label->openMenu, true);
    if (className == QLatin1String("pad::LoadHotArea"))
        if (auto* load = qobject_cast<LoadHotArea*>(object))
            return new ActionAccessible(load, QAccessible::Button,
                                        QAccessibleActionInterface::pressAction(), load->press,
                                        false);
    return nullptr;
}

// Runs QLabel's step while the label takes no focus: QLabel then makes no text
// document for it (and drops one it has). Each would cost the start about half a
// million instructions and the label a document it never paints with.
template <typename Step> void WithoutTextDocument(QLabel& label, Step step) {
    const Qt::FocusPolicy policy = label.focusPolicy();
    label.setFocusPolicy(Qt::NoFocus);
    step();
    label.setFocusPolicy(policy);
}

} // namespace

void KeyLabelWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(palette().color(foregroundRole()));
    const QRect area = contentsRect();
    const int textWidth = fontMetrics().horizontalAdvance(text());
    // Laid out at its own width around the label's centre; the painter clips.
    QRect line = area;
    line.setLeft(area.left() + (area.width() - textWidth) / 2);
    line.setWidth(textWidth);
    painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text());
}

bool KeyLabelWidget::event(QEvent* event) {
    if (event->type() != QEvent::Polish)
        return QLabel::event(event);
    bool handled = false;
    WithoutTextDocument(*this, [&] { handled = QLabel::event(event); });
    return handled;
}

void KeyLabelWidget::focusInEvent(QFocusEvent* event) {
    QFrame::focusInEvent(event);
}

void SetKeyLabelText(QLabel& label, const QString& text) {
    WithoutTextDocument(label, [&] { label.setText(text); });
}

void InstallKeypadAccessibility() {
    static bool installed = false;
    if (!installed)
        QAccessible::installFactory(KeypadFactory);
    installed = true;
}

} // namespace pad
