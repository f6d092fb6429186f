#pragma once
// PadConfig's side of the download of the profile into the keypad (LOAD, Timer3): the
// companion loader (starting it, the greeting by Timer4, progress, the quit notice for
// the last window that uses it), the warnings when the keypad cannot be written, and
// the hidden controls a download reads and moves: "Real Write" and the progress panel.
// The keypad session runs the download itself.

#include "app/ProgressPanel.h"
#include "dialogs/UiServices.h"
#include "keypad/DownloadImage.h"
#include "keypad/KeypadSession.h"
#include "loader/link/LoaderLink.h"
#include "loader/link/LoaderUsers.h"
#include "texts/AddedTexts.h"

#include <QTimer>

#include <chrono>
#include <cstdint>
#include <functional>

class QCheckBox;
class QFrame;
class QLabel;

namespace pad {

struct DownloadSetup {
    QWidget* window = nullptr; // owns the warnings; its id goes to the loader
    KeypadSession* keypad = nullptr;
    UiServices* ui = nullptr;
    std::function<QString()> warningCaption;
    // A warning's text in the language in force; unset: the English.
    std::function<QString(const AddedText&)> text;
    QString programFolder; // where the loader lives
    std::chrono::milliseconds reportPause = ReportPause;
};

class DownloadRuntime {
  public:
    // The hidden controls are made in client.
    DownloadRuntime(DownloadSetup setup, QWidget* client);

    // LOAD (Image5) and "&Import": starts the loader when it is not running and
    // waits for it a moment, then arms the download, which runs with or without it.
    void StartDownload(const Profile& profile);
    bool LaunchLoader(); // false when the program could not be started
    // LaunchLoader, then the greeting every 100 ms until the loader answers.
    void StartLoader();
    // Close step: asks a running loader to quit, unless another window uses it.
    void PostLoaderQuit();

    // The progress panel's state after the last report.
    const ProgressPanelState& Progress() const { return progress_; }

    QTimer Timer3;                  // the download, 200 ms one-shot
    QTimer Timer4;                  // the loader greeting, 100 ms
    QCheckBox* CheckBox1 = nullptr; // "Real Write": hidden, on
    // The progress panel lies outside the client area and stays hidden.
    QFrame* Panel1 = nullptr;
    QLabel* LoadingLabel = nullptr;

  private:
    void BuildHiddenControls(QWidget* client);
    void Timer3Timer();
    void Timer4Timer();
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
    QFrame* shape1_ = nullptr; // frame
    QFrame* shape2_ = nullptr; // blue bar
    QFrame* panel2_ = nullptr; // bar panel
    QLabel* panel3_ = nullptr; // percentage
};

} // namespace pad
