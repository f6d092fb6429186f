#pragma once
// The keypad picture's own controls as screen readers see them: a key label
// (TntLabel1 to TntLabel16) is a menu button whose action opens the key menu, and
// LOAD's hot area (Image5) is a button whose press downloads. The main window
// sets what the actions do.

#include <QLabel>

#include <functional>

namespace pad {

class KeyLabelWidget : public QLabel {
    Q_OBJECT
  public:
    using QLabel::QLabel;
    std::function<void()> openMenu;

  protected:
    // The text on one line, centred; a text wider than the label is cut off at
    // both edges, and the label keeps its size.
    void paintEvent(QPaintEvent* event) override;
    // QLabel gives a label that takes the focus a text document when it is polished
    // or focused; a key label paints its own text and never uses one.
    bool event(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
};

class LoadHotArea : public QWidget {
    Q_OBJECT
  public:
    using QWidget::QWidget;
    std::function<void()> press;
};

// Sets a key label's text without the text document QLabel makes for a label that
// takes the focus.
void SetKeyLabelText(QLabel& label, const QString& text);

// Makes the two known to the accessibility framework; call once before either is
// shown. Further calls do nothing.
void InstallKeypadAccessibility();

} // namespace pad
