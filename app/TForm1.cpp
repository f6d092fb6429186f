// The main window's creation steps, its commands, close steps and the opening of the
// profile named on the command line.

#include "app/TForm1.h"

#include "app/HelpCommands.h"
#include "app/KeypadControls.h"
#include "app/KeypadLinkHost.h"
#include "app/KeypadView.h"
#include "app/LayoutScale.h"
#include "app/ToolBarStrip.h"
#include "texts/qt/QtUtf16.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
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
    : QMainWindow(parent), menus_(menuBar()), keyMenu_(this), ws_(workspace),
      options_(std::move(options)), keypad_(options_.deviceLink, options_.keypadLock),
      ownUi_(options_.ui ? nullptr : std::make_unique<DesktopUiServices>()),
      ui_(options_.ui ? options_.ui : ownUi_.get()),
      documentPorts_(workspace, *this, *ui_, language_.texts(),
                     {[this] { RefreshSlotCaptions(); }, [this] { RebuildMacroMenu(); }}),
      document_(workspace, documentPorts_), dialogs_(workspace, *this, language_, this) {
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
    keypadHost_ = StartKeypadLink(keypad_, *this);
    for (QLabel* label : keyLabels_)
        SetKeyLabelText(*label, FromU16(texts().text(NormalLabelText)));
    pictureTop_ = toolBar_->height();
    keypadView_->SetPictureTop(pictureTop_);
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
    ScaleChildren(*client, layoutScale_, {toolBar_});
    toolBar_->SetScale(layoutScale_);
    keypadView_->SetLayoutScale(layoutScale_);
}

void TForm1::BuildClientArea() {
    auto* client = new QWidget(this);
    client->setFixedSize(ClientWidth, ClientHeight);
    client->setMouseTracking(true);
    setCentralWidget(client);

    keypadView_ = new KeypadView(client);
    keypadView_->setGeometry(0, 0, 500, 500);
    keypadView_->installEventFilter(this);
    keypadView_->setAccessibleName(FromU16(texts().text(KeypadPictureName)));
    toolBar_ = new ToolBarStrip(client, ClientWidth, texts());
    connect(&keypad_, &KeypadSession::presenceChanged, toolBar_, &ToolBarStrip::ShowKeypadPresence);
    BuildKeypad(client);

    DownloadSetup setup;
    setup.hidden = BuildVestiges(client);
    setup.window = this;
    setup.keypad = &keypad_;
    setup.ui = ui_;
    setup.texts = &texts();
    setup.programFolder = ProgramFolder();
    setup.reportPause = options_.reportPause;
    download_ = std::make_unique<DownloadRuntime>(std::move(setup));

    hoverTimer_.setObjectName("Timer2");
    hoverTimer_.setInterval(40);
    connect(&hoverTimer_, &QTimer::timeout, this, &TForm1::HoverTimerTick);
    // The client area holds; the menu bar sits above it.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

// Vestiges the window must keep although nobody sees them: the download writes only
// while the hidden "Real Write" check box is on, and it moves the bar of a progress
// panel that lies outside the client area and stays hidden (the loader's window shows
// the progress). They keep their component names.
HiddenDownloadControls TForm1::BuildVestiges(QWidget* client) {
    const auto part = [](auto* widget, const char* name, QRect geometry) {
        widget->setObjectName(name);
        widget->setGeometry(geometry);
        return widget;
    };
    HiddenDownloadControls h;
    h.realWrite = new QCheckBox(FromU16(texts().text(RealWriteText)), client);
    h.realWrite->setObjectName("CheckBox1");
    h.realWrite->setChecked(true);
    h.realWrite->hide();

    h.progressPanel = part(new QFrame(client), "Panel1", QRect(client->width() + 20, 0, 200, 60));
    h.loadingLabel = part(new QLabel(h.progressPanel), "LoadingLabel", QRect(8, 2, 180, 14));
    h.loadingLabel->setText(FromU16(texts().text(LoadingText)));
    h.frame = part(new QFrame(h.progressPanel), "Shape1", QRect(8, 18, 181, 18));
    h.frame->setFrameStyle(QFrame::Box);
    h.barShape = part(new QFrame(h.progressPanel), "Shape2", QRect(9, 18, 0, 18));
    h.barShape->setStyleSheet("background: blue;");
    h.barPanel = part(new QFrame(h.progressPanel), "Panel2", QRect(9, 20, 0, 14));
    h.percentPanel = part(new QLabel(h.progressPanel), "Panel3", QRect(8, 37, 181, 14));
    h.progressPanel->hide();
    return h;
}

void TForm1::ConnectMenus() {
    const MainMenus& m = menus_;
    OnTrigger(m.newProfile, this, [this] { NewProfile(); });
    OnTrigger(m.openProfile, this, [this] { OpenProfile(); });
    OnTrigger(m.saveProfile, this, [this] { SaveProfile(); });
    OnTrigger(m.saveProfileAs, this, [this] { SaveProfileAs(); });
    OnTrigger(m.download, this, [this] { StartDownload(); });
    OnTrigger(m.exit, this, [this] { Exit(); });
    for (KeypadMode mode : KeypadModes)
        OnTrigger(m.ModeAction(mode), this, [this, mode] { SwitchViewMode(ViewIndex(mode)); });
    OnTrigger(m.modeRules, this, [this] { dialogs_.OpenModeRules(); });
    m.modeRules->setVisible(DialogSet::ModeRulesAvailable());
    OnTrigger(m.newMacro, this, [this] { dialogs_.OpenNewMacro(); });
    OnTrigger(m.editMacros, this, [this] { dialogs_.OpenMacroManager(); });
    OnTrigger(m.help, this, [this] { OpenHelp(); });
    OnTrigger(m.about, this, [this] { dialogs_.ShowAbout(); });
}

void TForm1::ConnectToolBar() {
    toolBar_->UseActions(menus_);
    OnClick(toolBar_->SoundButton(), this, [this] { OpenSoundSettings(); });
}

void TForm1::ConnectKeyMenu() {
    const KeyContextMenu& k = keyMenu_;
    OnTrigger(k.singleKey, this, [this] { dialogs_.OpenSingleKey(); });
    OnTrigger(k.newMacro, this, [this] { dialogs_.OpenKeyMacro(selectedKey_); });
    OnTrigger(k.macroOff, this, [this] { AssignMacroOffToKey(); });
    OnTrigger(k.mouseButton, this, [this] { dialogs_.OpenMouseButton(); });
    OnTrigger(k.assignDefault, this, [this] { AssignDefaultToKey(); });
    keyMenu_.onMacroItem = [this](int j) { dialogs_.EditAndAssignMacro(j); };
    keyMenu_.onMore = [this] { dialogs_.ChooseMoreMacros(); };
}

void TForm1::RebuildMacroMenu() {
    keyMenu_.Rebuild(ws_.profile.macros(), FromU16(texts().text(MoreText)));
}

void TForm1::MacroListChanged() {
    RebuildMacroMenu();
    RefreshKeyLabels();
    MarkModified();
}

void TForm1::UpdateMenuChecks() {
    keyMenu_.UpdateChecks(ws_.profile.kindOf(ws_.selection.currentMode, ws_.selection.currentKey),
                          ws_.profile.macros().count());
}

void TForm1::AssignMacroOffToKey() {
    AssignMacroOff(ws_, *this);
}

void TForm1::AssignDefaultToKey() {
    AssignDefault(ws_, *this);
}

void TForm1::OpenHelp() {
    const QString page = HelpPagePath(ProgramFolder());
    if (!pad::OpenHelp(*ui_, page))
        ui_->inform(this, FromU16(texts().text(NoHelpViewerWarning)).arg(page), WarningCaption());
}

void TForm1::OpenSoundSettings() {
    if (!pad::OpenSoundSettings(*ui_))
        ui_->inform(this,
                    FromU16(texts().text(NoSoundSettingsWarning)).arg(SoundSettingsProgramNames()),
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
