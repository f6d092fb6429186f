// The keypad view: picture drawing, key labels, hover highlight, mode switch, key
// selection and the LOAD button.

#include "app/TForm1.h"

#include "app/KeyedBitmap.h"
#include "app/KeypadView.h"
#include "common/QtUtf16.h"

#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QTimer>
#include <QToolButton>

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

void TForm1::BuildKeypad() {
    QWidget* client = centralWidget();
    QFont labelFont("Arial");
    labelFont.setPointSize(8);
    labelFont.setBold(true);
    QPalette white;
    white.setColor(QPalette::WindowText, Qt::white);
    for (int key = 0; key < 16; ++key) {
        const KeyLabelPlace& place = KeyLabelPlaces()[std::size_t(key)];
        auto* label = new QLabel(client);
        label->setObjectName(QString("TntLabel%1").arg(key + 1));
        label->setGeometry(place.left, place.top, KeyLabelWidth, KeyLabelHeight);
        label->setFixedSize(KeyLabelWidth, KeyLabelHeight);
        label->setAlignment(Qt::AlignCenter);
        label->setFont(labelFont);
        label->setPalette(white);
        label->setAttribute(Qt::WA_TranslucentBackground);
        label->setMouseTracking(true);
        label->installEventFilter(this);
        keyLabels_[std::size_t(key)] = label;
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

    Image5 = new QWidget(client);
    Image5->setObjectName("Image5");
    Image5->setGeometry(402, 43, 50, 50);
    Image5->setToolTip("LOAD");
    Image5->setAccessibleName("LOAD");
    Image5->setCursor(Qt::PointingHandCursor);
    Image5->installEventFilter(this);
}

void TForm1::RedrawKeypad() {
    const QSize outer = frameGeometry().size().expandedTo(QSize(475, 504));
    QImage surface(outer, QImage::Format_RGB32);
    surface.fill(ModeColour(ws_.viewMode));
    DrawKeyedBitmap(surface, Image1, 0, pictureTop_);
    DrawKeyedBitmap(surface, Image2, Image2X, pictureTop_ + Image2Y);
    DrawKeyedBitmap(surface, Image3, LoadX, pictureTop_ + LoadY);
    bkImg_->SetPicture(surface);
}

void TForm1::DrawOnScreen(const QImage& bitmap, int x, int y) {
    DrawKeyedBitmap(bkImg_->Screen(), bitmap, x, y);
    bkImg_->Show();
}

void TForm1::SwitchViewMode(int mode) {
    ws_.viewMode = mode;
    RedrawKeypad();
    RefreshKeyLabels();
    hover_.Reset();
    SendModeSelect(mode == NormalView ? 0 : mode + 1);
    ShowViewModeControls();
}

void TForm1::ShowViewModeControls() {
    const int mode = ws_.viewMode;
    QString names[] = {Text(14, "Normal mode"), Text(46, "Mode A"), Text(47, "Mode B"),
                       Text(48, "Mode C")};
    for (QString& name : names)
        name.remove(QRegularExpression("&(?!&)"));
    modeTitle_->setText(names[mode + 1].toUpper());
    // The mode buttons show only a picture; they are announced by the mode's name.
    const char* buttons[] = {"ToolButton8", "ToolButton1", "ToolButton2", "ToolButton3"};
    for (int m = NormalView; m < 3; ++m)
        if (auto* button = findChild<QToolButton*>(buttons[m + 1])) {
            button->setChecked(m == mode);
            button->setAccessibleName(names[m + 1]);
        }
}

void TForm1::RefreshKeyLabels() {
    for (int key = 0; key < 16; ++key) {
        QLabel* label = keyLabels_[std::size_t(key)];
        const std::u16string_view text =
            ws_.viewMode == NormalView
                ? nativeKey(key).label
                : std::u16string_view(ws_.profile.slot(ws_.viewMode, key).label);
        label->setText(FromU16(text));
        label->setAccessibleName(label->text());
        label->repaint();
    }
}

void TForm1::RefreshSlotCaptions() {
    RefreshKeyLabels();
}

void TForm1::PointerMovedTo(QPoint client) {
    Timer2->stop();
    hover_.PointerAt(client.x(), client.y() - pictureTop_);
    Timer2->start(40);
}

void TForm1::Timer2Timer() {
    switch (hover_.Tick()) {
    case HoverTracker::Draw::Highlight: {
        const HoverZoneRow& row = hover_.Row();
        DrawKeyedBitmap(bkImg_->Screen(), Image1, 0, pictureTop_);
        DrawKeyedBitmap(bkImg_->Screen(), Image2, Image2X, pictureTop_ + Image2Y);
        DrawKeyedBitmap(bkImg_->Screen(), TntImage2, row.highlight.x,
                        pictureTop_ + row.highlight.y);
        DrawKeyedBitmap(bkImg_->Screen(), TntImage3, row.marker.x, pictureTop_ + row.marker.y);
        bkImg_->Show();
        break;
    }
    case HoverTracker::Draw::Plain:
        DrawKeyedBitmap(bkImg_->Screen(), Image1, 0, pictureTop_);
        DrawKeyedBitmap(bkImg_->Screen(), Image2, Image2X, pictureTop_ + Image2Y);
        bkImg_->Show();
        break;
    case HoverTracker::Draw::Nothing:
        break;
    }
}

void TForm1::KeyLabelReleased(int labelNumber) {
    if (ws_.viewMode == NormalView)
        return;
    if (labelNumber < 1 || labelNumber > 16)
        return;
    ws_.selection.currentKey = std::int16_t(labelNumber - 1);
    ws_.selection.currentMode = std::int16_t(ws_.viewMode);
    selectedLabel_ = keyLabels_[std::size_t(labelNumber - 1)];
    const QRect r = selectedLabel_->geometry();
    const QPoint below = centralWidget()->mapToGlobal(QPoint(r.left(), r.bottom() + 1));
    UpdateMenuChecks();
    keyMenu_->popup(below);
}

void TForm1::LoadPressed(bool pressed) {
    DrawOnScreen(pressed ? Image4 : Image3, LoadX, pictureTop_ + LoadY);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Image5) {
        if (event->type() == QEvent::MouseButtonPress) {
            LoadPressed(true);
            return true;
        }
        if (event->type() == QEvent::MouseButtonRelease) {
            LoadPressed(false);
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (Image5->rect().contains(mouse->position().toPoint()))
                StartDownload();
            return true;
        }
        return false;
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget)
        return false;
    if (event->type() == QEvent::MouseMove &&
        (widget == bkImg_ || widget->objectName().startsWith("TntLabel"))) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        PointerMovedTo(widget->mapTo(centralWidget(), mouse->position().toPoint()));
        return false;
    }
    if (event->type() == QEvent::MouseButtonRelease &&
        widget->objectName().startsWith("TntLabel")) {
        KeyLabelReleased(widget->objectName().mid(8).toInt());
        return true;
    }
    return false;
}

} // namespace pad
