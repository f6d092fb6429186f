// The device link, the mode-select report, the download of the profile into the
// keypad and the companion loader.

#include "app/LoaderLink.h"
#include "app/ProgressPanel.h"
#include "app/TForm1.h"
#include "download/DownloadRunner.h"
#include "profile/Download.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QTimer>

namespace pad {

struct DownloadParts {
    LoaderLink loader;        // the companion loader's socket
    DownloadImage image{};    // rewritten by every LOAD, kept between downloads
    ProgressPanelState panel; // the hidden progress panel's geometry
    bool downloading = false;
};

void DownloadPartsDeleter::operator()(DownloadParts* parts) const {
    delete parts;
}

namespace {

DownloadParts& Parts(std::unique_ptr<DownloadParts, DownloadPartsDeleter>& parts) {
    if (!parts)
        parts.reset(new DownloadParts);
    return *parts;
}

const char* const NoKeypadText = "No keypad connected. The profile was not written to the keypad.";
const char* const DisconnectedText =
    "The keypad was disconnected during the download. Connect it and press LOAD again.";
const char* const NoAccessText = "The keypad is connected, but PadConfig is not allowed to "
                                 "write to it. The profile was not written to the keypad.";

// Writing to a keypad that is absent or closed to us would take 17 s and change
// nothing, so the user is told instead.
bool KeypadWritable(TForm1& form) {
    if (form.KeypadPresence() == MSG_KEYPAD_PRESENT)
        return true;
    const QString text = form.KeypadPresence() == MSG_KEYPAD_NO_ACCESS
                             ? QString(NoAccessText) + "\n\n" +
                                   QString::fromStdString(NoAccessAdvice(KeypadVendorId()))
                             : QString(NoKeypadText);
    form.ui().inform(&form, text, form.WarningCaption());
    return false;
}

} // namespace

void TForm1::InitDeviceLink() {
    if (DeviceLink().initDriver)
        DeviceLink().initDriver(this, HostMessage, KEYPAD_USAGE_PAGE);
}

void TForm1::SendModeSelect(int modeCode) {
    const Report report = ModeSelectReport(modeCode);
    if (DeviceLink().setKbdFeatures)
        DeviceLink().setKbdFeatures(KEYPAD_USAGE_PAGE, KEYPAD_USAGE, report.data());
}

void TForm1::StartDownload() {
    if (!KeypadWritable(*this))
        return;
    DownloadParts& parts = Parts(downloadParts_);
    parts.image = BuildDownloadImage(ws_.profile);

    parts.panel.frame = Shape1->geometry();
    parts.panel.barShape = Shape2->geometry();
    parts.panel.barPanel = Panel2->geometry();
    parts.panel.percentPanel = Panel3->geometry();
    parts.panel.reset();
    Shape1->setGeometry(parts.panel.frame);
    Shape2->setGeometry(parts.panel.barShape);
    Panel2->setGeometry(parts.panel.barPanel);
    Panel3->setGeometry(parts.panel.percentPanel);

    if (parts.loader.find()) {
        // A second LOAD before the timer fires leaves it running: one download
        // follows, from the newer image.
        if (!Timer3->isActive())
            Timer3->start(200);
    } else {
        LaunchLoader(); // this click downloads nothing; the next one will
    }
}

void TForm1::Timer3Timer() {
    DownloadParts& parts = Parts(downloadParts_);
    const bool loaderFound = parts.loader.find();
    Timer3->stop();
    if (!loaderFound)
        return;
    if (parts.downloading) {
        Timer3->start(200); // started from inside a running download: once it has ended
        return;
    }
    if (!KeypadWritable(*this))
        return;

    // The loader learns which window reports; X ids fit in 32 bits and are never 0.
    std::uint32_t window = std::uint32_t(winId());
    if (window == 0)
        window = 1;

    DownloadHooks hooks;
    hooks.sendReport = [this](const Report& report) {
        if (DeviceLink().writeReport)
            return DeviceLink().writeReport(KEYPAD_USAGE_PAGE, KEYPAD_USAGE, report.data()) > 0;
        if (DeviceLink().setKbdFeatures)
            DeviceLink().setKbdFeatures(KEYPAD_USAGE_PAGE, KEYPAD_USAGE, report.data());
        return true;
    };
    // PadLink's presence messages are handled during the pauses.
    hooks.keypadGone = [this] { return KeypadPresence() != MSG_KEYPAD_PRESENT; };
    hooks.reportDone = [this, &parts, window](int sent) {
        parts.loader.post(MSG_LOADER_STATUS, window, sent);
        parts.panel.advance();
        Shape2->setGeometry(parts.panel.barShape);
        Shape2->repaint();
        Panel2->setGeometry(parts.panel.barPanel);
        Panel2->repaint();
        Panel3->setText(parts.panel.percentText);
        Panel3->repaint();
    };

    // With "Real Write" off nothing is sent and nothing waits.
    parts.downloading = true;
    const DownloadResult result =
        CheckBox1->isChecked() ? RunDownload(parts.image, hooks) : DownloadResult{};
    parts.downloading = false;

    parts.panel.hide();
    Panel1->hide();
    parts.loader.post(MSG_LOADER_STATUS, window, LoaderDownloadEnd);
    // The keypad now holds part of the old and part of the new profile.
    if (result.keypadLost)
        ui().inform(this, DisconnectedText, WarningCaption());
}

void TForm1::Timer4Timer() {
    DownloadParts& parts = Parts(downloadParts_);
    if (!parts.loader.find())
        return; // looked for again in 100 ms
    parts.loader.post(MSG_LOADER_STATUS, 0, LoaderDownloadEnd);
    Timer4->setInterval(0);
    Timer4->stop();
}

void TForm1::LaunchLoader() {
    // Started detached; it stays hidden until a download reports progress. A
    // missing loader is noticed at the next LOAD, which tries again.
    ui_->startProgram(ProgramFolder() + "/Qd6LoaderS", {});
}

void TForm1::PostLoaderQuit() {
    // Posting finds the loader: nothing is sent when it is not running.
    Parts(downloadParts_).loader.post(LoaderQuitMessage, 0, 0);
}

} // namespace pad
