#pragma once
// PadConfig's main window: the tool bar strip, the keypad picture with its 16 key
// labels, the menu bar, the key menu and the document commands. It owns nothing of
// the profile; it edits the Workspace it is given.
//
// The methods are spread over several files by subject:
//   TForm1.cpp          creation steps, layout, close steps, window messages
//   TForm1Keypad.cpp    keypad drawing, hover highlight, mode switch, key selection
//   TForm1Menus.cpp     menu bar, key menu, macro items and check marks
//   TForm1Document.cpp  the document commands' window side
//   TForm1Language.cpp  language texts and fonts
//   TForm1Help.cpp      help page, sound settings, About box
//   TForm1Dialogs.cpp   the four dialogs and the key-menu items that open them
//   TForm1Download.cpp  device link, mode select, download and companion loader

#include "app/DeviceLinkPort.h"
#include "dialogs/DialogHost.h"
#include "dialogs/UiServices.h"
#include "profile/Assignment.h"
#include "profile/Document.h"
#include "profile/HoverZone.h"
#include "profile/Workspace.h"

#include <QImage>
#include <QMainWindow>

#include <array>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QCheckBox;
class QFrame;
class QLabel;
class QListWidget;
class QMenu;
class QTimer;
class QToolBar;
class QToolButton;

namespace pad {

class KeypadView;
class LanguageSetup;
class TAboutBox;

// What the program entry hands the main window; tests replace any part.
struct TForm1Options {
    // Folder of the help page, the language file and the loader; empty = the
    // folder of the running executable.
    QString programFolder;
    // Message boxes, file dialogs, beep, starting programs; null = the desktop's.
    UiServices* ui = nullptr;
    // PadLink's InitDriver and SetKbdFeatures; unset functions do nothing.
    DeviceLinkPort deviceLink;
    // Start the companion loader and its greeting timer at creation.
    bool startLoader = true;
};

// Owned by the dialogs' and the download's sources; defined there.
struct DialogParts;
struct DownloadParts;
struct DialogPartsDeleter {
    void operator()(DialogParts* parts) const;
};
struct DownloadPartsDeleter {
    void operator()(DownloadParts* parts) const;
};

class TForm1 : public QMainWindow, public DialogHost, private DocumentPorts {
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
    void RefreshSlotCaptions() override;
    void RebuildMacroMenu() override;
    void MarkModified() override;
    void UpdateMenuChecks() override;
    bool LanguageActive() const override;
    bool ReadLanguageText(int n, QString& out) const override;
    QFont LanguageFont() const override;
    // Language text n when a language file is loaded and holds it, else builtIn.
    QString Text(int n, const QString& builtIn) const;
    // The LanguageTextTable entry of n; the built-in English text when the file lacks it.
    QString TableText(int n) const;
    // "Warning", or the language's text 53.
    QString WarningCaption() const;

    // Keypad view
    int ViewMode() const { return ws_.viewMode; }
    int PictureTop() const { return pictureTop_; }
    void SwitchViewMode(int mode);
    void RedrawKeypad();
    QLabel* KeyLabel(int key) const { return keyLabels_.at(std::size_t(key)); }
    // Key selection: what a mouse-button release on key label n (1-16) does.
    void KeyLabelReleased(int labelNumber);
    // The hover highlight: a pointer move at client coordinates, and one timer tick.
    void PointerMovedTo(QPoint client);
    void Timer2Timer();
    const HoverTracker& Hover() const { return hover_; }
    QMenu* KeyMenu() const { return keyMenu_; }
    QLabel* SelectedLabel() const { return selectedLabel_; }

    // Document commands (menu bar and tool bar)
    void New1Click() { document_.New(); }
    void Open1Click() { document_.Open(); }
    void Save1Click() { document_.Save(); }
    void SaveAs1Click() { document_.SaveAs(); }
    void Exit1Click() { document_.Exit(); }

    // Key menu items that need no dialog
    void MacrosOff1Click();
    void Default1Click();

    // Help, sound settings, About
    void OpenHelp();
    void OpenSoundSettings();
    void ShowAbout();
    void CreateAboutBox();
    TAboutBox* AboutBox() const { return aboutBox_; }

    // ---- TForm1Dialogs.cpp ----
    // Creates the dialogs hidden, in this order: TRecDlg, the About box
    // (CreateAboutBox), TSelMSBtnDlg, TRecSingleDlg, TMacroMngDlg.
    void CreateDialogs();
    void SingeKey1Click();          // "Single Key..."
    void NewMacro2Click();          // "New Macro..." of the key menu (Marco1)
    void MouseButton1Click();       // "Mouse Button..."
    void MacroItemClick(int j);     // the item of macro j
    void More1Click();              // "More..."
    void NewMacro1Click();          // "New Macro" of the "M&acro" menu
    void EditMarcos1Click();        // "Edit Macros"
    void RemoveKeyCaptureOnClose(); // close step 1: remove an installed keystroke hook

    // ---- TForm1Download.cpp ----
    void InitDeviceLink(); // InitDriver(this, HostMessage, KEYPAD_USAGE_PAGE)
    void SendModeSelect(int modeCode);
    void StartDownload(); // LOAD (Image5) and "&Import"
    void Timer3Timer();   // the download
    void Timer4Timer();   // the loader greeting
    void LaunchLoader();
    void PostLoaderQuit(); // close step 3

    // The device link as bound by the program entry (or a test).
    const DeviceLinkPort& DeviceLink() const { return options_.deviceLink; }
    // PadLink's last presence message: 0 none yet, else MSG_KEYPAD_*.
    std::uint32_t KeypadPresence() const { return keypadPresence_; }

  protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    // DocumentPorts
    bool AskDiscardChanges() override;
    bool AskKeepExistingFile() override;
    std::optional<std::u16string> AskOpenPath(const std::u16string& offered) override;
    std::optional<std::u16string> AskSavePath(const std::u16string& offered) override;
    bool PathExists(const std::u16string& path) override;
    bool SaveProfile(const std::u16string& path) override;
    bool LoadProfile(const std::u16string& path) override;
    void ShowReadFailed() override;
    void ShowWriteFailed() override;
    void SetCaption(const std::u16string& caption) override;
    void Beep() override;
    void CloseMainWindow() override;

    void FormCreate();
    void BuildLayout();
    void BuildToolBars();
    void BuildMenus();
    void BuildKeyMenu();
    void BuildKeypad();
    void BuildHiddenControls();
    void LoadArtwork();
    void SelectLanguage();
    void ApplyLanguage();
    void ApplyKeyLabelFont();
    void ShowKeypadPresence(std::uint32_t message);
    void OpenProfileFromCommandLine(const std::vector<std::u16string>& arguments);
    void DrawOnScreen(const QImage& bitmap, int x, int y);
    void LoadPressed(bool pressed);
    // The mode title on the picture and the checked mode button.
    void ShowViewModeControls();
    void ShowFileResult(int fileResult);

  public:
    // The command line the program entry posts with the OpenProfileMessage; the
    // message's wParam points here.
    std::vector<std::u16string> PendingCommandLine;

    // Bitmaps with pure green as the transparent colour.
    QImage Image1, Image2, Image3, Image4, TntImage2, TntImage3;

    // Controls the other sources reach by name.
    QAction* Import1 = nullptr;
    QCheckBox* CheckBox1 = nullptr; // "Real Write", hidden, on
    QFrame* Panel1 = nullptr;       // download progress panel, hidden
    QLabel* LoadingLabel = nullptr;
    QFrame* Shape1 = nullptr;
    QFrame* Shape2 = nullptr;
    QFrame* Panel2 = nullptr;
    QLabel* Panel3 = nullptr;
    QListWidget* ListBox1 = nullptr;
    QTimer* Timer2 = nullptr;
    QTimer* Timer3 = nullptr;
    QTimer* Timer4 = nullptr;
    QWidget* Image5 = nullptr;

  private:
    Workspace& ws_;
    TForm1Options options_;
    std::unique_ptr<UiServices> ownUi_;
    UiServices* ui_ = nullptr;
    Document document_;
    std::unique_ptr<LanguageSetup> language_;
    int pictureTop_ = 0;
    HoverTracker hover_;
    std::uint32_t keypadPresence_ = 0;
    bool centred_ = false;
    QLabel* selectedLabel_ = nullptr; // SelectedLabel: where the key menu last opened

    QWidget* coolBar_ = nullptr;
    QToolBar* toolBar1_ = nullptr;
    QToolBar* toolBar2_ = nullptr;
    QLabel* presenceLabel_ = nullptr;
    QLabel* modeTitle_ = nullptr;
    KeypadView* bkImg_ = nullptr;
    std::array<QLabel*, 16> keyLabels_{};
    QMenu* keyMenu_ = nullptr;
    QAction* keyMenuFirstFixedSeparator_ = nullptr; // N3: macro items go before it
    std::vector<QAction*> macroMenuItems_;          // the items of the last rebuild
    QAction* more1_ = nullptr;
    QAction* macroSeparator_ = nullptr;
    TAboutBox* aboutBox_ = nullptr;

    std::unique_ptr<DialogParts, DialogPartsDeleter> dialogParts_;
    std::unique_ptr<DownloadParts, DownloadPartsDeleter> downloadParts_;
};

} // namespace pad
