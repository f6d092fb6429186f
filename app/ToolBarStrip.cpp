#include "app/ToolBarStrip.h"

#include "app/ArtworkIcon.h"
#include "app/LayoutScale.h"
#include "common/KeypadProtocol.h"

#include <QLabel>
#include <QToolBar>
#include <QToolButton>

namespace pad {
namespace {

QToolBar* MakeToolBar(QWidget* parent, const char* name) {
    auto* bar = new QToolBar(parent);
    bar->setObjectName(name);
    bar->setIconSize(QSize(20, 20));
    bar->setMovable(false);
    return bar;
}

QToolButton* AddButton(QToolBar* bar, const char* name, const char* icon, const QString& tip,
                       const QString& accessible) {
    auto* button = new QToolButton(bar);
    button->setObjectName(name);
    button->setIcon(ArtworkIcon(icon));
    button->setIconSize(QSize(20, 20));
    button->setFixedSize(25, 25);
    button->setAutoRaise(true);
    button->setToolTip(tip);
    button->setAccessibleName(accessible);
    bar->addWidget(button);
    return button;
}

struct Presence {
    QString text;
    QString tip;
    const char* colour;
};

Presence PresenceOf(std::uint32_t message, const LanguageSetup& language) {
    switch (message) {
    case MSG_KEYPAD_PRESENT:
        return {language.Text(KeypadConnectedText), language.Text(KeypadConnectedTip), "#3ddc84"};
    case MSG_KEYPAD_NO_ACCESS:
        return {language.Text(KeypadNoAccessText),
                language.Text(KeypadNoAccessTip) + "\n" + language.Text(KeypadNoAccessHint),
                "#ffb020"};
    default:
        return {language.Text(KeypadAbsentText), language.Text(KeypadAbsentTip), "#8a9099"};
    }
}

} // namespace

ToolBarStrip::ToolBarStrip(QWidget* parent, int width, const LanguageSetup& language)
    : QWidget(parent), width_(width), language_(language) {
    setObjectName("CoolBar1");
    setGeometry(0, 0, width, StripHeight);
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(
        "#CoolBar1 { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #3a3f47, "
        "stop:1 #202328); border-bottom: 1px solid #101215; }"
        "QToolBar { background: transparent; border: none; spacing: 1px; padding: 1px; }"
        "QToolButton { border: 1px solid transparent; border-radius: 4px; padding: 1px; }"
        "QToolButton:hover { background: #4a515b; border-color: #5c6570; }"
        "QToolButton:pressed, QToolButton:checked { background: #15171a; border-color: #6b7480; }"
        "#PadLinkStatus { color: #c8ccd2; padding-left: 6px; }");
    BuildToolBar1();
    BuildToolBar2(width);
}

void ToolBarStrip::BuildToolBar1() {
    ToolBar1 = MakeToolBar(this, "ToolBar1");
    ToolBar1->setGeometry(0, 1, 358, 27);
    ToolButton4 = AddButton(ToolBar1, "ToolButton4", "tool-new", "New", "New");
    ToolButton5 = AddButton(ToolBar1, "ToolButton5", "tool-open", "Open", "Open");
    ToolButton6 = AddButton(ToolBar1, "ToolButton6", "tool-save", "Save", "Save");
    gap_ = new QWidget(ToolBar1); // ToolButton9, the separator
    gap_->setFixedSize(8, 25);
    ToolBar1->addWidget(gap_);
    ToolButton7 = AddButton(ToolBar1, "ToolButton7", "tool-help", "Help", "Help");
    ToolButton10 = AddButton(ToolBar1, "ToolButton10", "tool-sound", QString(),
                             language_.Text(SoundSettingsName));
    presence_ = new QLabel(ToolBar1);
    presence_->setObjectName("PadLinkStatus");
    presence_->setTextFormat(Qt::RichText);
    ToolBar1->addWidget(presence_);
    ShowKeypadPresence(0);
}

void ToolBarStrip::ApplyLanguage() {
    ToolButton10->setAccessibleName(language_.Text(SoundSettingsName));
    ShowKeypadPresence(presenceMessage_);
}

void ToolBarStrip::BuildToolBar2(int width) {
    ToolBar2 = MakeToolBar(this, "ToolBar2");
    ToolBar2->setGeometry(width - 105 - 2, 1, 105, 27);
    ToolButton8 = AddButton(ToolBar2, "ToolButton8", "tool-normal", "Normal mode", "Normal mode");
    ToolButton1 = AddButton(ToolBar2, "ToolButton1", "tool-mode-a", "", "Mode A");
    ToolButton2 = AddButton(ToolBar2, "ToolButton2", "tool-mode-b", "", "Mode B");
    ToolButton3 = AddButton(ToolBar2, "ToolButton3", "tool-mode-c", "", "Mode C");
    for (int mode = -1; mode < 3; ++mode)
        ModeButton(mode)->setCheckable(true);
}

void ToolBarStrip::SetScale(qreal scale) {
    setGeometry(0, 0, ScaledPx(width_, scale), ScaledPx(StripHeight, scale));
    ToolBar1->setGeometry(Scaled(QRect(0, 1, 358, 27), scale));
    ToolBar2->setGeometry(Scaled(QRect(width_ - 105 - 2, 1, 105, 27), scale));
    for (QToolBar* bar : {ToolBar1, ToolBar2}) {
        bar->setIconSize(Scaled(QSize(20, 20), scale));
        for (QToolButton* button : bar->findChildren<QToolButton*>()) {
            button->setIconSize(bar->iconSize());
            button->setFixedSize(Scaled(QSize(25, 25), scale));
        }
    }
    gap_->setFixedSize(Scaled(QSize(8, 25), scale));
}

QToolButton* ToolBarStrip::ModeButton(int viewMode) const {
    switch (viewMode) {
    case 0:
        return ToolButton1;
    case 1:
        return ToolButton2;
    case 2:
        return ToolButton3;
    default:
        return ToolButton8;
    }
}

void ToolBarStrip::ShowKeypadPresence(std::uint32_t message) {
    presenceMessage_ = message;
    const Presence p = PresenceOf(message, language_);
    presence_->setText(QString("<span style=\"color:%1\">&#9679;</span> %2")
                           .arg(p.colour, p.text.toHtmlEscaped()));
    // As rich text the tip wraps its long lines.
    presence_->setToolTip("<p>" + p.tip.toHtmlEscaped().replace("\n", "</p><p>") + "</p>");
    presence_->setAccessibleName(p.text);
    presence_->setAccessibleDescription(p.tip);
}

} // namespace pad
