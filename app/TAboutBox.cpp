#include "app/TAboutBox.h"

#include "app/KeyedBitmap.h"
#include "common/Version.h"
#include "dialogs/ScreenCentre.h"

#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QShowEvent>

namespace pad {

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName("AboutBox");
    setWindowTitle("About");
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(298, 213);
    setModal(true);

    auto* panel = new QFrame(this);
    panel->setObjectName("Panel1");
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(2);
    panel->setGeometry(8, 8, 281, 161);

    auto* icon = new QLabel(panel);
    icon->setObjectName("ProgramIcon");
    icon->setGeometry(14, 34, 32, 32);
    icon->setPixmap(QPixmap::fromImage(KeyedToAlpha(LoadKeyedBitmap("icon"))));
    icon->setAccessibleName("Corvask 12 Gaming Keypad");

    auto* product = new QLabel("Corvask 12 Gaming Keypad", panel);
    product->setObjectName("ProductName");
    QFont bold = product->font();
    bold.setBold(true);
    product->setFont(bold);
    product->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    product->setGeometry(14, 12, 255, 18);

    auto* version = new QLabel("Version", panel);
    version->setObjectName("Version");
    version->setGeometry(68, 36, 180, 18);

    auto* number = new QLabel(ProductVersion, panel);
    number->setObjectName("VersionNumber");
    number->setGeometry(68, 62, 180, 18);

    auto* notice = new QLabel("Licensed under GPL-3.0-or-later", panel);
    notice->setObjectName("Comments");
    notice->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    notice->setGeometry(15, 137, 250, 18);

    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("OKButton");
    ok->setGeometry(111, 180, 75, 25);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

// Centred on the screen, not over the main window as a dialog with a parent would be.
void TAboutBox::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        CentreOnScreen(*this);
}

} // namespace pad
