#include "loader/TQd6LdrSDlg.h"

#include "texts/qt/QtUtf16.h"

#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>

namespace pad {

TQd6LdrSDlg::TQd6LdrSDlg(Texts texts, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus),
      texts_(std::move(texts)), heading_(new QLabel(this)), bar_(new QProgressBar(this)),
      detail_(new QLabel(this)) {
    setObjectName("TQd6LdrSDlg");
    setWindowTitle("Qd6 Loader Show Status Only");
    // The window only reports; it must not take the focus from PadConfig.
    setAttribute(Qt::WA_ShowWithoutActivating);

    QFont headingFont = heading_->font();
    headingFont.setBold(true);
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.15);
    heading_->setFont(headingFont);

    bar_->setRange(0, LoaderReportCount);
    bar_->setTextVisible(true);
    bar_->setFormat("%p %");
    bar_->setMinimumHeight(22);

    detail_->setForegroundRole(QPalette::PlaceholderText);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 16, 18, 16);
    layout->setSpacing(10);
    layout->addWidget(heading_);
    layout->addWidget(bar_);
    layout->addWidget(detail_);
    setFixedWidth(380);
    showProgress(0);
    setFixedHeight(sizeHint().height());

    hideTimer_.setSingleShot(true);
    connect(&hideTimer_, &QTimer::timeout, this, &QWidget::hide);
}

int TQd6LdrSDlg::progress() const {
    return bar_->value();
}

void TQd6LdrSDlg::apply(const LoaderCommand& command) {
    switch (command.kind) {
    case LoaderCommandKind::Progress:
        showProgress(command.progress);
        break;
    case LoaderCommandKind::Complete:
        showComplete();
        break;
    case LoaderCommandKind::Hello: // PadConfig has started: nothing to show yet
    case LoaderCommandKind::Quit:
    case LoaderCommandKind::Ignore:
        break;
    }
}

void TQd6LdrSDlg::showProgress(int reports) {
    heading_->setText(Text(LoaderWritingText));
    bar_->setValue(reports);
    detail_->setText(Text(LoaderReportText)
                         .replace("%1", QString::number(reports))
                         .replace("%2", QString::number(LoaderReportCount)));
    if (reports > 0) {
        hideTimer_.start(StalledHideMs);
        if (!isVisible())
            show();
    }
}

void TQd6LdrSDlg::showComplete() {
    heading_->setText(Text(LoaderCompleteText));
    bar_->setValue(LoaderReportCount);
    detail_->setText(Text(LoaderWrittenText));
    if (!isVisible())
        show();
    hideTimer_.start(HideAfterCompleteMs);
}

QString TQd6LdrSDlg::Text(const UiText& text) const {
    return FromU16(texts_.text(text));
}

void TQd6LdrSDlg::placeOnScreen() {
    // Top right of the screen, clear of the middle where PadConfig usually sits.
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    move(area.right() - frameGeometry().width() - 24, area.top() + 24);
}

void TQd6LdrSDlg::showEvent(QShowEvent* event) {
    placeOnScreen();
    QWidget::showEvent(event);
    emit shownChanged(true);
}

void TQd6LdrSDlg::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    hideTimer_.stop();
    emit shownChanged(false);
}

} // namespace pad
