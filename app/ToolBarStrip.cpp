#include "app/ToolBarStrip.h"

#include "app/ArtworkIcon.h"
#include "app/LayoutScale.h"
#include "app/MainMenus.h"
#include "common/KeypadProtocol.h"
#include "texts/qt/QtUtf16.h"

#include <QAction>
#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>

namespace pad {
namespace {

// The strip's geometry in layout pixels, which Place scales to widget pixels.
struct StripGeometry {
    QRect documentBar;
    int modeBarWidth; // the mode bar ends modeBarMargin before the strip's right edge
    int modeBarMargin;
    QSize icon;
    QSize button;
    QSize gap; // ToolButton9, between Save and Help
};
constexpr StripGeometry Geometry = {QRect(0, 1, 358, 27), 105,           2,
                                    QSize(20, 20),        QSize(25, 25), QSize(8, 25)};

QToolBar* MakeToolBar(QWidget* parent, const char* name) {
    auto* bar = new QToolBar(parent);
    bar->setObjectName(name);
    bar->setMovable(false);
    return bar;
}

QToolButton* AddButton(QToolBar* bar, const char* name, const char* icon) {
    auto* button = new QToolButton(bar);
    button->setObjectName(name);
    button->setIcon(ArtworkIcon(icon));
    button->setAutoRaise(true);
    bar->addWidget(button);
    return button;
}

struct Presence {
    QString text;
    QString tip;
    const char* colour;
};

Presence PresenceOf(std::uint32_t message, const Texts& texts) {
    const auto words = [&](const UiText& text) { return FromU16(texts.text(text)); };
    switch (message) {
    case MSG_KEYPAD_PRESENT:
        return {words(KeypadConnectedText), words(KeypadConnectedTip), "#3ddc84"};
    case MSG_KEYPAD_NO_ACCESS:
        return {words(KeypadNoAccessText),
                words(KeypadNoAccessTip) + "\n" + words(KeypadNoAccessHint), "#ffb020"};
    default:
        return {words(KeypadAbsentText), words(KeypadAbsentTip), "#8a9099"};
    }
}

} // namespace

// PadLink's presence: a dot in the presence's colour before the text. The dot is
// painted over the label's indent, as a circle rather than a character: few fonts have
// U+25CF, and finding one that has it costs the start a search through the system's
// fonts. As rich text, the label would cost the start a text document.
class PresenceLabel : public QLabel {
  public:
    using QLabel::QLabel;

    void Show(const QString& text, const QColor& dot) {
        dot_ = dot;
        setText(text);
        update();
    }

  protected:
    bool event(QEvent* event) override {
        if (event->type() == QEvent::Polish || event->type() == QEvent::FontChange)
            setIndent(dotSize() + fontMetrics().height() / 3);
        return QLabel::event(event);
    }

    void paintEvent(QPaintEvent* event) override {
        QLabel::paintEvent(event);
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(dot_);
        const QRect area = contentsRect();
        const int size = dotSize();
        const int left = text().isRightToLeft() ? area.right() + 1 - size : area.left();
        painter.drawEllipse(QRectF(left, area.center().y() + 1 - size / 2.0, size, size));
    }

  private:
    // About the size of the circle character in a text font.
    int dotSize() const { return std::max(4, fontMetrics().ascent() * 3 / 5); }

    QColor dot_;
};

ToolBarStrip::ToolBarStrip(QWidget* parent, int width, const Texts& texts)
    : QWidget(parent), width_(width), texts_(texts) {
    setObjectName("CoolBar1");
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(
        "#CoolBar1 { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #3a3f47, "
        "stop:1 #202328); border-bottom: 1px solid #101215; }"
        "QToolBar { background: transparent; border: none; spacing: 1px; padding: 1px; }"
        "QToolButton { border: 1px solid transparent; border-radius: 4px; padding: 1px; }"
        "QToolButton:hover { background: #4a515b; border-color: #5c6570; }"
        "QToolButton:pressed, QToolButton:checked { background: #15171a; border-color: #6b7480; }"
        "#PadLinkStatus { color: #c8ccd2; padding-left: 9px; padding-bottom: 2px; }");
    BuildDocumentBar();
    BuildModeBar();
    SetScale(1);
    applyTexts();
}

void ToolBarStrip::BuildDocumentBar() {
    documentBar_ = MakeToolBar(this, "ToolBar1");
    newButton_ = AddButton(documentBar_, "ToolButton4", "tool-new");
    openButton_ = AddButton(documentBar_, "ToolButton5", "tool-open");
    saveButton_ = AddButton(documentBar_, "ToolButton6", "tool-save");
    gap_ = new QWidget(documentBar_);
    documentBar_->addWidget(gap_);
    helpButton_ = AddButton(documentBar_, "ToolButton7", "tool-help");
    soundButton_ = AddButton(documentBar_, "ToolButton10", "tool-sound");
    presence_ = new PresenceLabel(documentBar_);
    presence_->setObjectName("PadLinkStatus");
    presence_->setTextFormat(Qt::PlainText);
    documentBar_->addWidget(presence_);
}

void ToolBarStrip::applyTexts() {
    // The buttons show a picture; the tip and the spoken name are the command's words.
    const std::pair<QToolButton*, UiText> named[] = {
        {newButton_, NewText},
        {openButton_, OpenTip},
        {saveButton_, SaveText},
        {helpButton_, HelpMenuText},
        {ModeButton(KeypadMode::Normal), NormalModeText}};
    for (const auto& [button, text] : named) {
        button->setToolTip(FromU16(texts_.plainText(text)));
        button->setAccessibleName(FromU16(texts_.plainText(text)));
    }
    soundButton_->setAccessibleName(FromU16(texts_.text(SoundSettingsName)));
    ShowKeypadPresence(presenceMessage_);
}

void ToolBarStrip::BuildModeBar() {
    modeBar_ = MakeToolBar(this, "ToolBar2");
    const auto add = [this](KeypadMode mode, const char* name, const char* icon) {
        QToolButton* button = AddButton(modeBar_, name, icon);
        button->setCheckable(true);
        modeButtons_[std::size_t(mode)] = button;
    };
    add(KeypadMode::Normal, "ToolButton8", "tool-normal");
    add(KeypadMode::A, "ToolButton1", "tool-mode-a");
    add(KeypadMode::B, "ToolButton2", "tool-mode-b");
    add(KeypadMode::C, "ToolButton3", "tool-mode-c");
}

void ToolBarStrip::UseActions(const MainMenus& menus) {
    const std::pair<QToolButton*, QAction*> commands[] = {{newButton_, menus.newProfile},
                                                          {openButton_, menus.openProfile},
                                                          {saveButton_, menus.saveProfile},
                                                          {helpButton_, menus.help}};
    for (const auto& [button, action] : commands)
        connect(button, &QToolButton::clicked, action, &QAction::trigger);
    // The buttons keep their own tips and pictures; only the check state follows.
    for (KeypadMode mode : KeypadModes) {
        QToolButton* button = ModeButton(mode);
        QAction* action = menus.ModeAction(mode);
        connect(button, &QToolButton::clicked, action, [button, action] {
            action->trigger();
            button->setChecked(action->isChecked());
        });
        connect(action, &QAction::toggled, button, &QToolButton::setChecked);
    }
}

void ToolBarStrip::SetScale(qreal scale) {
    const StripGeometry& g = Geometry;
    const QRect modeBar(width_ - g.modeBarWidth - g.modeBarMargin, g.documentBar.y(),
                        g.modeBarWidth, g.documentBar.height());
    setGeometry(0, 0, ScaledPx(width_, scale), ScaledPx(StripHeight, scale));
    documentBar_->setGeometry(Scaled(g.documentBar, scale));
    modeBar_->setGeometry(Scaled(modeBar, scale));
    for (QToolBar* bar : {documentBar_, modeBar_}) {
        bar->setIconSize(Scaled(g.icon, scale));
        for (QToolButton* button : bar->findChildren<QToolButton*>()) {
            button->setIconSize(bar->iconSize());
            button->setFixedSize(Scaled(g.button, scale));
        }
    }
    gap_->setFixedSize(Scaled(g.gap, scale));
}

void ToolBarStrip::ShowKeypadPresence(std::uint32_t message) {
    presenceMessage_ = message;
    const Presence p = PresenceOf(message, texts_);
    presence_->Show(p.text, QColor(p.colour));
    // As rich text the tip wraps its long lines.
    presence_->setToolTip("<p>" + p.tip.toHtmlEscaped().replace("\n", "</p><p>") + "</p>");
    presence_->setAccessibleName(p.text);
    presence_->setAccessibleDescription(p.tip);
}

} // namespace pad
