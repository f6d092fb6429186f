// The main window's creation steps, its commands, close steps and the opening of the
// profile named on the command line.

#include "app/TForm1.h"

#include "app/HelpCommands.h"
#include "app/KeypadControls.h"
#include "app/KeypadView.h"
#include "app/LayoutScale.h"
#include "app/ToolBarStrip.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QScreen>
#include <QToolButton>

namespace pad {
namespace {

constexpr int ClientWidth = 467;
constexpr int ClientHeight = 458;

template <typename Handler> void OnClick(QAbstractButton* button, TForm1* form, Handler handler) {
    QObject::connect(button, &QAbstractButton::clicked, form, handler);
}

template <typename Handler> void OnTrigger(QAction* action, TForm1* form, Handler handler) {
    QObject::connect(action, &QAction::triggered, form, handler);
}

} // namespace

TForm1::TForm1(Workspace& workspace, TForm1Options options, QWidget* parent)
    : QMainWindow(parent), TntMainMenu1(menuBar()), TntPopupMenu1(this), ws_(workspace),
      options_(std::move(options)), keypad_(options_.deviceLink, options_.keypadLock),
      ownUi_(options_.ui ? nullptr : std::make_unique<DesktopUiServices>()),
      ui_(options_.ui ? options_.ui : ownUi_.get()),
      documentPorts_(workspace, *this, *ui_, language_,
                     {[this] { RefreshSlotCaptions(); }, [this] { RebuildMacroMenu(); }}),
      document_(workspace, documentPorts_), dialogs_(workspace, *this, this) {
    FormCreate();
}

TForm1::~TForm1() = default;

QString TForm1::ProgramFolder() const {
    if (!options_.programFolder.isEmpty())
        return options_.programFolder;
    return QCoreApplication::applicationDirPath();
}

void TForm1::FormCreate() {
    InstallKeypadAccessibility(); // before the key labels and LOAD exist
    // Single border, no maximize; the system menu and minimize stay.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    QFont font = this->font();
    font.setPointSize(8);
    setFont(font);
    BuildClientArea();
    ConnectMenus();
    ConnectToolBar();
    ConnectKeyMenu();
    SetUpKeyboard();

    ws_.language.programFolder = ProgramFolder().toStdU16String();
    keypad_.Start();
    for (QLabel* label : TntLabels)
        label->setText("Normal");
    pictureTop_ = CoolBar1->height();
    BkImg->SetPictureTop(pictureTop_);
    document_.ResetCaption();
    SwitchViewMode(NormalView);
    SelectLanguage();
    if (LanguageActive())
        ApplyLanguage();
    RedrawKeypad();
    RebuildMacroMenu();
    ApplyLayoutScale();
}

void TForm1::ApplyLayoutScale() {
    QWidget* client = centralWidget();
    layoutScale_ = LayoutScaleOf(*client);
    if (layoutScale_ == 1.0)
        return;
    client->setFixedSize(Scaled(client->size(), layoutScale_));
    ScaleChildren(*client, layoutScale_, {CoolBar1});
    CoolBar1->SetScale(layoutScale_);
    BkImg->SetLayoutScale(layoutScale_);
}

void TForm1::BuildClientArea() {
    auto* client = new QWidget(this);
    client->setFixedSize(ClientWidth, ClientHeight);
    client->setMouseTracking(true);
    setCentralWidget(client);

    BkImg = new KeypadView(client);
    BkImg->setGeometry(0, 0, 500, 500);
    BkImg->installEventFilter(this);
    BkImg->setAccessibleName("Keypad");
    CoolBar1 = new ToolBarStrip(client, ClientWidth, language_);
    connect(&keypad_, &KeypadSession::presenceChanged, CoolBar1, &ToolBarStrip::ShowKeypadPresence);
    BuildKeypad(client);

    DownloadSetup setup;
    setup.window = this;
    setup.keypad = &keypad_;
    setup.ui = ui_;
    setup.warningCaption = [this] { return WarningCaption(); };
    setup.text = [this](const AddedText& text) { return language_.Text(text); };
    setup.programFolder = ProgramFolder();
    setup.reportPause = options_.reportPause;
    download_ = std::make_unique<DownloadRuntime>(std::move(setup), client);

    Timer2.setInterval(40);
    connect(&Timer2, &QTimer::timeout, this, &TForm1::Timer2Timer);
    // The client area holds; the menu bar sits above it.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void TForm1::ConnectMenus() {
    const MainMenus& m = TntMainMenu1;
    OnTrigger(m.New1, this, [this] { New1Click(); });
    OnTrigger(m.Open1, this, [this] { Open1Click(); });
    OnTrigger(m.Save1, this, [this] { Save1Click(); });
    OnTrigger(m.SaveAs1, this, [this] { SaveAs1Click(); });
    OnTrigger(m.Import1, this, [this] { StartDownload(); });
    OnTrigger(m.Exit1, this, [this] { Exit1Click(); });
    OnTrigger(m.ModeA1, this, [this] { SwitchViewMode(0); });
    OnTrigger(m.ModeB1, this, [this] { SwitchViewMode(1); });
    OnTrigger(m.ModeC1, this, [this] { SwitchViewMode(2); });
    OnTrigger(m.ByApplication1, this, [this] { dialogs_.ByApplication1Click(); });
    OnTrigger(m.NewMacro1, this, [this] { dialogs_.NewMacro1Click(); });
    OnTrigger(m.EditMarcos1, this, [this] { dialogs_.EditMarcos1Click(); });
    OnTrigger(m.Help2, this, [this] { OpenHelp(); });
    OnTrigger(m.About1, this, [this] { dialogs_.ShowAbout(); });
}

void TForm1::ConnectToolBar() {
    OnClick(CoolBar1->ToolButton4, this, [this] { New1Click(); });
    OnClick(CoolBar1->ToolButton5, this, [this] { Open1Click(); });
    OnClick(CoolBar1->ToolButton6, this, [this] { Save1Click(); });
    OnClick(CoolBar1->ToolButton7, this, [this] { OpenHelp(); });
    OnClick(CoolBar1->ToolButton10, this, [this] { OpenSoundSettings(); });
    for (int mode = NormalView; mode < 3; ++mode)
        OnClick(CoolBar1->ModeButton(mode), this, [this, mode] { SwitchViewMode(mode); });
}

void TForm1::ConnectKeyMenu() {
    const KeyContextMenu& k = TntPopupMenu1;
    OnTrigger(k.SingeKey1, this, [this] { dialogs_.SingeKey1Click(); });
    OnTrigger(k.Marco1, this, [this] { dialogs_.NewMacro2Click(selectedKey_); });
    OnTrigger(k.MacrosOff1, this, [this] { MacrosOff1Click(); });
    OnTrigger(k.MouseButton1, this, [this] { dialogs_.MouseButton1Click(); });
    OnTrigger(k.Default1, this, [this] { Default1Click(); });
    TntPopupMenu1.onMacroItem = [this](int j) { dialogs_.MacroItemClick(j); };
    TntPopupMenu1.onMore = [this] { dialogs_.More1Click(); };
}

void TForm1::RebuildMacroMenu() {
    TntPopupMenu1.Rebuild(ws_.profile.macros(), TableText(21));
}

void TForm1::UpdateMenuChecks() {
    TntPopupMenu1.UpdateChecks(
        ws_.profile.kindOf(ws_.selection.currentMode, ws_.selection.currentKey),
        ws_.profile.macros().count());
}

void TForm1::MacrosOff1Click() {
    AssignMacroOff(ws_, *this);
}

void TForm1::Default1Click() {
    AssignDefault(ws_, *this);
}

void TForm1::OpenHelp() {
    const QString page = HelpPagePath(ProgramFolder());
    if (!pad::OpenHelp(*ui_, page))
        ui_->inform(this, language_.Text(NoHelpViewerWarning).arg(page), WarningCaption());
}

void TForm1::OpenSoundSettings() {
    if (!pad::OpenSoundSettings(*ui_))
        ui_->inform(this, language_.Text(NoSoundSettingsWarning).arg(SoundSettingsProgramNames()),
                    WarningCaption());
}

void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (centred_)
        return;
    centred_ = true;
    if (QScreen* screen = this->screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void TForm1::OpenCommandLineLater(std::vector<std::u16string> arguments) {
    QMetaObject::invokeMethod(
        this,
        [this, arguments = std::move(arguments)] { document_.OpenFromCommandLine(arguments); },
        Qt::QueuedConnection);
}

void TForm1::closeEvent(QCloseEvent* event) {
    if (!document_.CloseQuery()) {
        event->ignore();
        return;
    }
    dialogs_.RemoveKeyCapture();
    download_->PostLoaderQuit();
    event->accept();
}

} // namespace pad
