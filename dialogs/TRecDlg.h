#pragma once
// The Macro Editor: records a macro from the keyboard, edits its event list,
// chooses the play mode and names it. It is opened with an EditorRequest; its OK
// hands an EditorResult to the opener, which stores it.

#include "dialogs/DialogContext.h"
#include "dialogs/DialogRequests.h"
#include "dialogs/KeyCapture.h"
#include "keyboard/capture/MacroRecorder.h"

#include <QDialog>

#include <optional>

class QAbstractButton;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace pad {

// What the Macro Editor asks of its opener while it is open.
class EditorPort {
  public:
    virtual ~EditorPort() = default;
    // OK: stores result as request asks. The editor closes on Done and tells why
    // otherwise.
    virtual MacroOk storeMacro(const EditorRequest& request, const EditorResult& result) = 0;
    // Insert: the key to insert, captured by the single-key dialog; nullopt when that
    // was not left by OK.
    virtual std::optional<SingleKeyResult> captureKeyToInsert() = 0;
};

class TRecDlg : public QDialog {
    Q_OBJECT
  public:
    TRecDlg(const DialogContext& context, KeyCapture& capture, EditorPort& port,
            QWidget* parent = nullptr);

    // Shows the dialog modally for request; true when OK stored the macro.
    bool run(const EditorRequest& request);
    // The request of the next showing, for a showing without run.
    void prepare(const EditorRequest& request) { request_ = request; }

    // A recording runs: the capture is installed.
    bool KeyCaptureInstalled() const { return capture_.Installed(); }

    // Selects the play-mode radio button of mode; other values change nothing.
    void SelectPlayMode(std::uint8_t mode);

    // WorkingMacro: the events being recorded or edited (the play mode follows the
    // radio buttons at OK).
    const KeyAction& workingMacro() const { return working_; }
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
    void SetRecCaption();
    void ShowLines(std::optional<int> select = std::nullopt);
    std::optional<int> SelectedLine() const;
    std::uint8_t ChosenPlayMode() const;
    EventWords Words() const;

    DialogContext context_;
    KeyCapture& capture_;
    EditorPort& port_;
    EditorRequest request_;
    KeyAction working_ = KeyAction::empty();
    MacroRecorder recorder_;
    bool recordingTouched_ = false;

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
