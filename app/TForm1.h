#pragma once
// PadConfig's main window: the tool bar strip, the keypad picture with its 16 key
// labels, the menu bar and the key menu. It edits the Workspace it is given; the
// document commands, the dialogs and the download are parts it owns.
//   TForm1.cpp          creation steps, commands, close steps, command line
//   TForm1Keypad.cpp    key labels, hover highlight, mode switch, key selection, LOAD
//   TForm1Language.cpp  language texts and fonts
//   TForm1Keyboard.cpp  Tab order, key menu and LOAD by keyboard, screen-reader names
//
// Component names, kept as the controls' object names, and what they are:
//   TntMainMenu1            the menu bar (menus_); File1, New1 ... About1 its items
//   TntPopupMenu1           the key menu (keyMenu_); SingeKey1, Marco1 ... its items
//   CoolBar1                the tool bar strip (toolBar_): ToolBar1 with ToolButton4
//                           (New), 5 (Open), 6 (Save), 7 (Help), 10 (sound settings);
//                           ToolBar2 with ToolButton8 (Normal), 1 to 3 (Modes A to C)
//   BkImg                   the keypad picture (keypadView_)
//   TntLabel1 .. TntLabel16 the key labels (keyLabels_)
//   Image5                  LOAD's hot area on the picture (loadButton_)
//   Timer2                  the hover highlight's 40 ms timer (hoverTimer_)
//   Timer3, Timer4          the download and the loader greeting (DownloadRuntime)
//   CheckBox1, Panel1       the hidden "Real Write" and progress panel (BuildVestiges)

#include "app/DialogSet.h"
#include "app/DownloadRuntime.h"
#include "app/KeyContextMenu.h"
#include "app/KeypadLinkHost.h"
#include "app/LanguageSetup.h"
#include "app/MainMenus.h"
#include "app/MainWindowDocumentPorts.h"
#include "app/view/HoverZone.h"
#include "common/KeypadProtocol.h"
#include "dialogs/DialogHost.h"
#include "dialogs/UiServices.h"
#include "editing/Document.h"
#include "editing/Workspace.h"
#include "keypad/DeviceLinkPort.h"
#include "keypad/KeypadSession.h"

#include <QMainWindow>
#include <QTimer>

#include <array>
#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QLabel;
class QMenu;

namespace pad {

class KeypadView;
class TAboutBox;
class ToolBarStrip;

// What the program entry hands the main window; tests replace any part.
struct TForm1Options {
    // Folder of the help page, the language file and the loader; empty = the
    // folder of the running executable.
    QString programFolder;
    // Message boxes, file dialogs, beep, starting programs; null = the desktop's.
    UiServices* ui = nullptr;
    // PadLink's exports, which the window's keypad session calls; unset functions do
    // nothing.
    DeviceLinkPort deviceLink;
    // The keypad lock; unset: the user's (KeypadLock::DefaultPath).
    std::optional<std::filesystem::path> keypadLock;
    // Start the companion loader and its greeting timer once the window is first
    // painted, so that starting it does not hold up the window.
    bool startLoader = true;
    // The pause after each report of a download.
    std::chrono::milliseconds reportPause = ReportPause;
    // Where the language file is looked for besides the program folder (whose entry
    // is ignored); unset: the user's configuration folder and locale from the
    // environment, and the shipped files beside the program.
    std::optional<LanguageSearch> languageSearch;
};

class TForm1 : public QMainWindow, public DialogHost {
    Q_OBJECT

  public:
    TForm1(Workspace& workspace, TForm1Options options = {}, QWidget* parent = nullptr);
    ~TForm1() override;

    Workspace& workspace() { return ws_; }
    Document& document() { return document_; }
    UiServices& ui() const override { return *ui_; }
    QString ProgramFolder() const;

    // DialogHost
    void RefreshKeyLabels() override;
    void RefreshSlotCaptions() override { RefreshKeyLabels(); }
    void RebuildMacroMenu() override;
    void MarkModified() override { document_.MarkModified(); }
    void UpdateMenuChecks() override;
    // MacroListObserver
    void MacroListChanged() override;
    // Whether a language file is in force, and its font.
    bool LanguageActive() const { return language_.Active(); }
    QFont LanguageFont() const { return language_.Font(); }
    // The texts of the language in force.
    const Texts& texts() const { return language_.texts(); }
    QString WarningCaption() const { return documentPorts_.WarningCaption(); }

    // Keypad view
    int ViewMode() const { return ws_.viewMode; }
    int PictureTop() const { return pictureTop_; }
    // Widget pixels per layout pixel: the window grows with its text.
    qreal LayoutScale() const { return layoutScale_; }
    void SwitchViewMode(int mode);
    void RedrawKeypad();
    QLabel* KeyLabel(int key) const { return keyLabels_.at(std::size_t(key)); }
    QWidget* LoadButton() const { return loadButton_; }
    // Key selection: what a mouse-button release on key label n (1-16) does.
    void KeyLabelReleased(int labelNumber);
    // The hover highlight: a pointer move at client coordinates (widget pixels),
    // and one timer tick.
    void PointerMovedTo(QPoint client);
    void HoverTimerTick();
    const QTimer& HoverTimer() const { return hoverTimer_; }
    const HoverTracker& Hover() const { return hover_; }
    QMenu* KeyMenu() const { return keyMenu_.menu; }
    QLabel* SelectedLabel() const;
    // The key menu of label n (1-16) opened from the keyboard: as a mouse-button
    // release on the label, with the menu's first item active.
    void OpenKeyMenuByKeyboard(int labelNumber);

    // Document commands (menu bar and tool bar)
    void NewProfile() { document_.New(); }
    void OpenProfile() { document_.Open(); }
    void SaveProfile() { document_.Save(); }
    void SaveProfileAs() { document_.SaveAs(); }
    void Exit() { document_.Exit(); }

    // Key menu items that need no dialog
    void AssignMacroOffToKey();
    void AssignDefaultToKey();

    // The dialogs, made when first needed or by CreateDialogs.
    void CreateDialogs() { dialogs_.Create(); }
    TAboutBox* AboutBox() const { return dialogs_.AboutBox(); }
    void ChooseMoreMacros() { dialogs_.ChooseMoreMacros(); }
    void OpenHelp();
    void OpenSoundSettings();

    // The device link, the download and the companion loader.
    DownloadRuntime& Download() { return *download_; }
    KeypadSession& Keypad() { return keypad_; }
    void StartDownload() { download_->StartDownload(ws_.profile); }

    // Opens the profile the command line names (the program's path first, then the
    // names) once the event loop runs, so that it opens in the window on screen.
    void OpenCommandLineLater(std::vector<std::u16string> arguments);

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void FormCreate();
    void BuildClientArea();
    void BuildKeypad(QWidget* client);
    HiddenDownloadControls BuildVestiges(QWidget* client);
    void ApplyLayoutScale();
    void ConnectMenus();
    void ConnectToolBar();
    void ConnectKeyMenu();
    void SelectLanguage();
    void ApplyLanguage();
    void ApplyKeyLabelFont();
    // The mode title on the picture and the checked mode button.
    void ShowViewModeControls();
    bool KeyLabelEvent(int key, QEvent* event);
    bool LoadButtonEvent(QEvent* event);
    // Keyboard: the Tab order, and the keys that open a key menu or press LOAD.
    void SetUpKeyboard();
    bool KeyLabelKeyEvent(int key, QEvent* event);
    bool LoadButtonKeyEvent(QEvent* event);

    MainMenus menus_;
    KeyContextMenu keyMenu_;
    ToolBarStrip* toolBar_ = nullptr;
    KeypadView* keypadView_ = nullptr;
    std::array<QLabel*, KeysPerMode> keyLabels_{};
    QWidget* loadButton_ = nullptr;
    QTimer hoverTimer_;
    Workspace& ws_;
    TForm1Options options_;
    KeypadSession keypad_;
    std::unique_ptr<KeypadLinkHost> keypadHost_; // PadLink's host, made by FormCreate
    std::unique_ptr<UiServices> ownUi_;
    UiServices* ui_ = nullptr;
    LanguageSetup language_;
    MainWindowDocumentPorts documentPorts_;
    Document document_;
    DialogSet dialogs_;
    std::unique_ptr<DownloadRuntime> download_;
    int pictureTop_ = 0;
    qreal layoutScale_ = 1;
    HoverTracker hover_;
    bool centred_ = false;
    bool loaderStarted_ = false;
    int selectedKey_ = -1; // SelectedLabel: the key whose label last opened the key menu
    QLabel* modeTitle_ = nullptr;
};

} // namespace pad
