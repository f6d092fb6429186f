// The main window's creation steps, layout, close steps and window messages.

#include "app/TForm1.h"

#include "app/KeyedBitmap.h"
#include "app/KeypadView.h"
#include "app/LanguageSetup.h"
#include "app/TAboutBox.h"
#include "devicelink/WindowMessage.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>
#include <QToolBar>

namespace pad {
namespace {

constexpr int ClientWidth = 467;
constexpr int ClientHeight = 458;
constexpr int CoolBarHeight = 29;

} // namespace

TForm1::TForm1(Workspace& workspace, TForm1Options options, QWidget* parent)
    : QMainWindow(parent), ws_(workspace), options_(std::move(options)),
      document_(workspace, *this), language_(std::make_unique<LanguageSetup>()) {
    if (options_.ui) {
        ui_ = options_.ui;
    } else {
        ownUi_ = std::make_unique<DesktopUiServices>();
        ui_ = ownUi_.get();
    }
    FormCreate();
}

TForm1::~TForm1() = default;

QString TForm1::ProgramFolder() const {
    if (!options_.programFolder.isEmpty())
        return options_.programFolder;
    return QCoreApplication::applicationDirPath();
}

void TForm1::FormCreate() {
    setObjectName("Form1");
    // Single border, no maximize; the system menu and minimize stay.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    QFont font = this->font();
    font.setPointSize(8);
    setFont(font);

    BuildLayout();
    BuildHiddenControls();
    LoadArtwork();

    ws_.language.programFolder = ProgramFolder().toStdU16String();
    InitDeviceLink();
    for (QLabel* label : keyLabels_)
        label->setText("Normal");
    pictureTop_ = coolBar_->height();
    document_.ResetCaption();
    SwitchViewMode(NormalView);
    SelectLanguage();
    if (LanguageActive())
        ApplyLanguage();
    if (options_.startLoader) {
        LaunchLoader();
        Timer4->start(100);
    }
    RedrawKeypad();
    RebuildMacroMenu();
}

void TForm1::BuildLayout() {
    auto* client = new QWidget(this);
    client->setObjectName("ClientArea");
    client->setFixedSize(ClientWidth, ClientHeight);
    client->setMouseTracking(true);
    setCentralWidget(client);

    bkImg_ = new KeypadView(client);
    bkImg_->setGeometry(0, 0, 500, 500);
    bkImg_->installEventFilter(this);
    bkImg_->setAccessibleName("Keypad");

    coolBar_ = new QWidget(client);
    coolBar_->setObjectName("CoolBar1");
    coolBar_->setGeometry(0, 0, ClientWidth, CoolBarHeight);
    coolBar_->setAttribute(Qt::WA_StyledBackground);
    coolBar_->setStyleSheet(
        "#CoolBar1 { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #3a3f47, "
        "stop:1 #202328); border-bottom: 1px solid #101215; }"
        "QToolBar { background: transparent; border: none; spacing: 1px; padding: 1px; }"
        "QToolButton { border: 1px solid transparent; border-radius: 4px; padding: 1px; }"
        "QToolButton:hover { background: #4a515b; border-color: #5c6570; }"
        "QToolButton:pressed, QToolButton:checked { background: #15171a; border-color: #6b7480; }"
        "#PadLinkStatus { color: #c8ccd2; padding-left: 6px; }");
    BuildToolBars();

    BuildKeypad();
    BuildMenus();
    BuildKeyMenu();

    Timer2 = new QTimer(this);
    Timer2->setObjectName("Timer2");
    Timer2->setInterval(40);
    connect(Timer2, &QTimer::timeout, this, &TForm1::Timer2Timer);
    Timer3 = new QTimer(this);
    Timer3->setObjectName("Timer3");
    Timer3->setInterval(200);
    Timer3->setSingleShot(true);
    connect(Timer3, &QTimer::timeout, this, &TForm1::Timer3Timer);
    Timer4 = new QTimer(this);
    Timer4->setObjectName("Timer4");
    Timer4->setInterval(100);
    connect(Timer4, &QTimer::timeout, this, &TForm1::Timer4Timer);

    // The client area holds; the menu bar sits above it.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void TForm1::BuildHiddenControls() {
    QWidget* client = centralWidget();
    CheckBox1 = new QCheckBox("Real Write", client);
    CheckBox1->setObjectName("CheckBox1");
    CheckBox1->setChecked(true);
    CheckBox1->hide();

    ListBox1 = new QListWidget(client);
    ListBox1->setObjectName("ListBox1");
    ListBox1->hide();

    // The download's progress panel lies outside the client area and stays hidden.
    Panel1 = new QFrame(client);
    Panel1->setObjectName("Panel1");
    Panel1->setGeometry(ClientWidth + 20, 0, 200, 60);
    LoadingLabel = new QLabel("LOADING ...", Panel1);
    LoadingLabel->setObjectName("LoadingLabel");
    LoadingLabel->setGeometry(8, 2, 180, 14);
    Shape1 = new QFrame(Panel1);
    Shape1->setObjectName("Shape1");
    Shape1->setFrameStyle(QFrame::Box);
    Shape1->setGeometry(8, 18, 181, 18);
    Shape2 = new QFrame(Panel1);
    Shape2->setObjectName("Shape2");
    Shape2->setStyleSheet("background: blue;");
    Shape2->setGeometry(9, 18, 0, 18);
    Panel2 = new QFrame(Panel1);
    Panel2->setObjectName("Panel2");
    Panel2->setGeometry(9, 20, 0, 14);
    Panel3 = new QLabel(Panel1);
    Panel3->setObjectName("Panel3");
    Panel3->setGeometry(8, 37, 181, 14);
    Panel1->hide();
}

void TForm1::LoadArtwork() {
    Image1 = LoadKeyedBitmap("keypad");
    Image2 = LoadKeyedBitmap("keys");
    Image3 = LoadKeyedBitmap("load");
    Image4 = LoadKeyedBitmap("load-pressed");
    TntImage2 = LoadKeyedBitmap("highlight");
    TntImage3 = LoadKeyedBitmap("marker");
}

void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (centred_)
        return;
    centred_ = true;
    if (QScreen* screen = this->screen()) {
        const QRect area = screen->availableGeometry();
        QRect frame = frameGeometry();
        frame.moveCenter(area.center());
        move(frame.topLeft());
    }
}

bool TForm1::event(QEvent* event) {
    if (const WindowMessage* message = WindowMessage::from(event)) {
        switch (message->message()) {
        case OpenProfileMessage:
            if (message->wParam())
                OpenProfileFromCommandLine(
                    *reinterpret_cast<const std::vector<std::u16string>*>(message->wParam()));
            return true;
        case MSG_KEYPAD_PRESENT:
        case MSG_KEYPAD_ABSENT:
        case MSG_KEYPAD_NO_ACCESS:
            ShowKeypadPresence(message->message());
            return true;
        default:
            return true; // the host message and anything else: nothing to do
        }
    }
    return QMainWindow::event(event);
}

void TForm1::OpenProfileFromCommandLine(const std::vector<std::u16string>& arguments) {
    document_.OpenFromCommandLine(arguments);
}

void TForm1::closeEvent(QCloseEvent* event) {
    if (!document_.CloseQuery()) {
        event->ignore();
        return;
    }
    RemoveKeyCaptureOnClose();
    PostLoaderQuit();
    event->accept();
}

void TForm1::ShowKeypadPresence(std::uint32_t message) {
    keypadPresence_ = message;
    QString text, tip, colour;
    switch (message) {
    case MSG_KEYPAD_PRESENT:
        text = "Keypad connected";
        tip = "The Corvask 12 keypad is connected.";
        colour = "#3ddc84";
        break;
    case MSG_KEYPAD_NO_ACCESS:
        text = "No permission";
        tip = "The keypad is plugged in, but PadConfig may not open it.\n"
              "Give your user access to its hidraw device (install PadConfig's udev rule,\n"
              "for example with TAG+=\"uaccess\"), then unplug and replug the keypad.";
        colour = "#ffb020";
        break;
    default:
        text = "Not connected";
        tip = "No Corvask 12 keypad is connected.";
        colour = "#8a9099";
        break;
    }
    presenceLabel_->setText(
        QString("<span style=\"color:%1\">&#9679;</span> %2").arg(colour, text));
    presenceLabel_->setToolTip(tip);
    presenceLabel_->setAccessibleName(text);
    presenceLabel_->setAccessibleDescription(tip);
}

} // namespace pad
