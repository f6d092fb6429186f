#include "app/TAboutBox.h"

#include "app/ArtworkIcon.h"
#include "app/LayoutScale.h"
#include "common/Version.h"
#include "dialogs/ScreenCentre.h"
#include "texts/Texts.h"
#include "texts/qt/QtUtf16.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

namespace pad {

namespace {

QLabel* PanelLabel(QWidget* panel, const char* name, const QString& text, QRect geometry,
                   Qt::Alignment alignment = {}) {
    auto* label = new QLabel(text, panel);
    label->setObjectName(name);
    label->setGeometry(geometry);
    if (alignment)
        label->setAlignment(alignment);
    return label;
}

} // namespace

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    // The box shows the built-in English whatever the language in force.
    const Texts english;
    const auto words = [&](const UiText& text) { return FromU16(english.text(text)); };
    setObjectName("AboutBox");
    setWindowTitle(words(AboutText));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(298, 213);
    setModal(true);

    auto* panel = new QFrame(this);
    panel->setObjectName("Panel1");
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(2);
    panel->setGeometry(8, 8, 281, 161);

    auto* icon = new IconLabel(ArtworkIcon("icon"), panel);
    icon->setObjectName("ProgramIcon");
    icon->setGeometry(14, 34, 32, 32);
    icon->setAccessibleName(words(ProductNameText));
    QLabel* product = PanelLabel(panel, "ProductName", words(ProductNameText),
                                 QRect(14, 12, 255, 18), Qt::AlignHCenter | Qt::AlignTop);
    QFont bold = product->font();
    bold.setBold(true);
    product->setFont(bold);
    PanelLabel(panel, "Version", words(VersionText), QRect(68, 36, 180, 18));
    PanelLabel(panel, "VersionNumber", ProductVersion, QRect(68, 62, 180, 18));
    PanelLabel(panel, "Comments", words(LicenceText), QRect(15, 137, 250, 18),
               Qt::AlignHCenter | Qt::AlignTop);

    auto* ok = new QPushButton(words(OkText), this);
    ok->setObjectName("OKButton");
    ok->setGeometry(111, 180, 75, 25);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    // The box grows with its text.
    const qreal scale = LayoutScaleOf(*this);
    setFixedSize(Scaled(size(), scale));
    ScaleChildren(*this, scale, {});
    ScaleChildren(*panel, scale, {});
}

// Centred on the screen, not over the main window as a dialog with a parent would be.
void TAboutBox::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        CentreOnScreen(*this);
}

} // namespace pad
