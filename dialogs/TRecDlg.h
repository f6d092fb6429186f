#pragma once
// The Macro Editor: records a macro from the keyboard, edits its event list,
// chooses the play mode and names it. It also owns the program's keystroke
// capture, which the single-key dialog uses too.

#include "dialogs/DialogHost.h"
#include "dialogs/KeyCapture.h"
#include "editing/Workspace.h"
#include "keyboard/capture/MacroRecorder.h"

#include <QDialog>

#include <memory>
#include <optional>
#include <vector>

class QAbstractButton;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace pad {

class TRecSingleDlg;
class TMacroMngDlg;

class TRecDlg : public QDialog {
    Q_OBJECT
  public:
    TRecDlg(Workspace& ws, DialogHost& host, QWidget* parent = nullptr);

    // The dialogs created after this one that the editor works with.
    void SetPeers(TRecSingleDlg* singleKey, TMacroMngDlg* manager);

    // StartKeyCapture / StopKeyCapture: keystrokes go to this dialog while the
    // capture is installed, also when another dialog (grabWidget) is on screen.
    // Escape held down clicks stopButton.
    bool StartKeyCapture(QWidget* grabWidget, QAbstractButton* stopButton);
    void StopKeyCapture();
    bool KeyCaptureInstalled() const { return capture_.Installed(); }
    // The evdev codes of the keys that were down as the last capture started.
    const std::vector<unsigned>& KeysDownAtCaptureStart() const {
        return capture_.KeysDownAtStart();
    }

    // Selects the play-mode radio button of mode; other values change nothing.
    void SelectPlayMode(std::uint8_t mode);

    const MacroRecorder& Recorder() const { return recorder_; }
    bool RecordingTouched() const { return recordingTouched_; }

  protected:
    void showEvent(QShowEvent* event) override;

  public slots:
    void done(int result) override;

  private slots:
    void RecClick();
    void OkClick();
    void UpClick();
    void DownClick();
    void DeleteClick();
    void InsertClick();

  private:
    void HandleKeystroke(const Keystroke& stroke);
    void ShowStoredMacro();
    // OK for each purpose, and the message or closing its outcome asks for.
    void AcceptKeyMacro();
    void AcceptNewMacro();
    void AcceptEditedMacro();
    void ShowOutcome(MacroOk result);
    void SetRecCaption();
    void ShowLines(std::optional<int> select = std::nullopt);
    std::optional<int> SelectedLine() const;
    std::uint8_t ChosenPlayMode() const;
    EventWords Words() const;

    Workspace& ws_;
    DialogHost& host_;
    KeyCapture capture_;
    MacroRecorder recorder_;
    bool recordingTouched_ = false;
    TRecSingleDlg* singleKey_ = nullptr;
    TMacroMngDlg* manager_ = nullptr;

    QLineEdit* name_;          // TED_RecKeyDes
    QListWidget* list_;        // TntListBox1
    QGroupBox* recGroup_;      // RecGrp
    QGroupBox* editGroup_;     // EdtGrp
    QPushButton* rec_;         // TntBitBtn37
    QPushButton* ok_;          // TntBitBtn38
    QPushButton* up_;          // TntBitBtn1
    QPushButton* down_;        // TntBitBtn2
    QPushButton* delete_;      // TntBitBtn3
    QPushButton* insert_;      // TntBitBtn4
    QRadioButton* once_;       // TntRadioButton1
    QRadioButton* whileHeld_;  // TntRadioButton2
    QRadioButton* untilAgain_; // TntRadioButton3
};

} // namespace pad
