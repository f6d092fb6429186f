// The keypad view: key labels, hover highlight, mode switch, key selection and the
// LOAD button.

#include "app/TForm1.h"

#include "app/KeypadControls.h"
#include "app/KeypadView.h"
#include "app/ToolBarStrip.h"
#include "texts/qt/QtUtf16.h"

#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QToolButton>

#include <algorithm>
#include <cmath>

namespace pad {
namespace {

QLabel* MakeKeyLabel(QWidget* client, int key, const QFont& font, const QPalette& palette) {
    const KeyLabelPlace& place = KeyLabelPlaces()[std::size_t(key)];
    auto* label = new KeyLabelWidget(client);
    label->setObjectName(QString("TntLabel%1").arg(key + 1));
    label->setGeometry(place.left, place.top, KeyLabelWidth, KeyLabelHeight);
    label->setFixedSize(KeyLabelWidth, KeyLabelHeight);
    label->setAlignment(Qt::AlignCenter);
    label->setFont(font);
    label->setPalette(palette);
    label->setAttribute(Qt::WA_TranslucentBackground);
    label->setMouseTracking(true);
    return label;
}

} // namespace

void TForm1::BuildKeypad(QWidget* client) {
    QFont labelFont("Arial");
    labelFont.setPointSize(8);
    labelFont.setBold(true);
    QPalette white;
    white.setColor(QPalette::WindowText, Qt::white);
    for (int key = 0; key < KeysPerMode; ++key) {
        keyLabels_[std::size_t(key)] = MakeKeyLabel(client, key, labelFont, white);
        keyLabels_[std::size_t(key)]->installEventFilter(this);
    }

    // The name of the mode shown, above the keypad picture.
    modeTitle_ = new QLabel(client);
    modeTitle_->setObjectName("ModeTitle");
    modeTitle_->setGeometry(160, 38, 220, 22);
    QFont titleFont("DejaVu Sans");
    titleFont.setPixelSize(15);
    titleFont.setBold(true);
    titleFont.setLetterSpacing(QFont::AbsoluteSpacing, 2);
    modeTitle_->setFont(titleFont);
    modeTitle_->setPalette(white);
    modeTitle_->setAttribute(Qt::WA_TransparentForMouseEvents);

    loadButton_ = new LoadHotArea(client);
    loadButton_->setObjectName("Image5");
    loadButton_->setGeometry(402, 43, 50, 50);
    loadButton_->setToolTip(FromU16(texts().plainText(LoadText)));
    loadButton_->setAccessibleName(FromU16(texts().plainText(LoadText)));
    loadButton_->setCursor(Qt::PointingHandCursor);
    loadButton_->installEventFilter(this);
}

void TForm1::RedrawKeypad() {
    keypadView_->RedrawKeypad(ws_.viewMode);
}

void TForm1::SwitchViewMode(int mode) {
    ws_.viewMode = mode;
    RedrawKeypad();
    RefreshKeyLabels();
    hover_.Reset();
    keypad_.SelectMode(*ModeOfViewIndex(mode));
    ShowViewModeControls();
}

void TForm1::ShowViewModeControls() {
    const KeypadMode shown = *ModeOfViewIndex(ws_.viewMode);
    modeTitle_->setText(FromU16(texts().plainText(ModeText(shown))).toUpper());
    menus_.ModeAction(shown)->setChecked(true);
    // The mode buttons show only a picture; they are announced by the mode's name.
    for (KeypadMode mode : KeypadModes)
        toolBar_->ModeButton(mode)->setAccessibleName(FromU16(texts().plainText(ModeText(mode))));
}

void TForm1::RefreshKeyLabels() {
    for (int key = 0; key < KeysPerMode; ++key) {
        QLabel* label = keyLabels_[std::size_t(key)];
        const std::u16string_view text =
            ws_.viewMode == NormalView
                ? nativeKey(key).label
                : std::u16string_view(ws_.profile.slot(ws_.viewMode, key).label);
        SetKeyLabelText(*label, FromU16(text));
        label->setAccessibleName(FromU16(texts().keyLabelName(key, text)));
        label->repaint();
    }
}

void TForm1::PointerMovedTo(QPoint client) {
    hoverTimer_.stop();
    // The zones are in layout pixels.
    const int x = int(std::floor(client.x() / layoutScale_));
    const int y = int(std::floor(client.y() / layoutScale_));
    hover_.PointerAt(x, y - pictureTop_);
    hoverTimer_.start(40);
}

void TForm1::HoverTimerTick() {
    const HoverTracker::Draw draw = hover_.Tick();
    keypadView_->DrawHover(draw, hover_.Row());
}

QLabel* TForm1::SelectedLabel() const {
    return selectedKey_ < 0 ? nullptr : keyLabels_[std::size_t(selectedKey_)];
}

void TForm1::KeyLabelReleased(int labelNumber) {
    if (ws_.viewMode == NormalView || labelNumber < 1 || labelNumber > KeysPerMode)
        return;
    ws_.selection.currentKey = std::int16_t(labelNumber - 1);
    ws_.selection.currentMode = std::int16_t(ws_.viewMode);
    selectedKey_ = labelNumber - 1;
    const QRect r = SelectedLabel()->geometry();
    const QPoint below = centralWidget()->mapToGlobal(QPoint(r.left(), r.bottom() + 1));
    UpdateMenuChecks();
    KeyMenu()->popup(below);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == loadButton_)
        return LoadButtonEvent(event);
    if (watched == keypadView_) {
        if (event->type() == QEvent::Paint && options_.startLoader && !loaderStarted_) {
            // Once the window has been painted: the loader's start would hold it up.
            loaderStarted_ = true;
            QMetaObject::invokeMethod(
                this, [this] { download_->StartLoader(); }, Qt::QueuedConnection);
        }
        if (event->type() == QEvent::MouseMove) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            PointerMovedTo(keypadView_->mapTo(centralWidget(), mouse->position().toPoint()));
        }
        return false;
    }
    const auto label = std::find(keyLabels_.begin(), keyLabels_.end(), watched);
    if (label != keyLabels_.end())
        return KeyLabelEvent(int(label - keyLabels_.begin()), event);
    return false;
}

bool TForm1::KeyLabelEvent(int key, QEvent* event) {
    if (KeyLabelKeyEvent(key, event))
        return true;
    QLabel* label = keyLabels_[std::size_t(key)];
    if (event->type() == QEvent::MouseMove) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        PointerMovedTo(label->mapTo(centralWidget(), mouse->position().toPoint()));
        return false;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        KeyLabelReleased(key + 1);
        return true;
    }
    return false;
}

bool TForm1::LoadButtonEvent(QEvent* event) {
    if (LoadButtonKeyEvent(event))
        return true;
    if (event->type() == QEvent::MouseButtonPress) {
        keypadView_->DrawLoad(true);
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        keypadView_->DrawLoad(false);
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (loadButton_->rect().contains(mouse->position().toPoint()))
            StartDownload();
        return true;
    }
    return false;
}

} // namespace pad
