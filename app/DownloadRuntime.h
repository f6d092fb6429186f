#pragma once
// PadConfig's side of the download of the profile into the keypad (LOAD; the download
// timer, Timer3): the companion loader (starting it, the greeting by Timer4, progress,
// the quit notice for the last window that uses it), the warnings when the keypad
// cannot be written, and the hidden controls a download reads and moves: "Real Write"
// and the progress panel, which the main window makes. The keypad session runs the
// download itself.

#include "app/ProgressPanel.h"
#include "dialogs/UiServices.h"
#include "keypad/DownloadImage.h"
#include "keypad/KeypadSession.h"
#include "loader/link/LoaderLink.h"
#include "loader/link/LoaderUsers.h"
#include "texts/Texts.h"

#include <QTimer>

#include <chrono>
#include <cstdint>

class QCheckBox;
class QFrame;
class QLabel;

namespace pad {

// The hidden controls a download reads and moves (the main window makes them).
struct HiddenDownloadControls {
    QCheckBox* realWrite = nullptr;  // CheckBox1: the download writes only while it is on
    QFrame* progressPanel = nullptr; // Panel1, outside the client area
    QLabel* loadingLabel = nullptr;  // LoadingLabel
    QFrame* frame = nullptr;         // Shape1
    QFrame* barShape = nullptr;      // Shape2, the blue bar
    QFrame* barPanel = nullptr;      // Panel2
    QLabel* percentPanel = nullptr;  // Panel3
};

struct DownloadSetup {
    QWidget* window = nullptr; // owns the warnings; its id goes to the loader
    KeypadSession* keypad = nullptr;
    UiServices* ui = nullptr;
    // The warnings' texts: those of the language in force; null: the English.
    const Texts* texts = nullptr;
    QString programFolder; // where the loader lives
    std::chrono::milliseconds reportPause = ReportPause;
    HiddenDownloadControls hidden;
};

class DownloadRuntime {
  public:
    explicit DownloadRuntime(DownloadSetup setup);

    // LOAD (Image5) and Import in the File menu: starts the loader when it is not running and
    // waits for it a moment, then arms the download, which runs with or without it.
    void StartDownload(const Profile& profile);
    bool LaunchLoader(); // false when the program could not be started
    // LaunchLoader, then the greeting every 100 ms until the loader answers.
    void StartLoader();
    // Close step: asks a running loader to quit, unless another window uses it.
    void PostLoaderQuit();

    // The progress panel's state after the last report.
    const ProgressPanelState& Progress() const { return progress_; }
    // Armed by LOAD: the download runs when it fires (200 ms, one shot).
    const QTimer& DownloadTimer() const { return downloadTimer_; }
    // Greets the loader every 100 ms until it answers.
    QTimer& LoaderGreetingTimer() { return loaderGreeting_; }
    const HiddenDownloadControls& Hidden() const { return setup_.hidden; }

  private:
    void RunArmedDownload();
    void GreetLoader();
    bool KeypadWritable();
    // This window uses the loader from now on (its users file needs the socket's folder).
    void JoinLoaderUsers();
    // Polls for a loader that LOAD has just started, while the window keeps painting;
    // false when it has not come within 2 s.
    bool WaitForLoader();
    void ReportDone(std::uint32_t window, int sent);
    // The panel's widgets follow its state only while it can be seen.
    void ShowProgress();

    DownloadSetup setup_;
    LoaderLink loader_;
    LoaderUsers loaderUsers_;
    DownloadImage image_{}; // rewritten by every LOAD, kept between downloads
    ProgressPanelState progress_;
    bool waitingForLoader_ = false;
    QTimer downloadTimer_;  // Timer3
    QTimer loaderGreeting_; // Timer4
};

} // namespace pad
