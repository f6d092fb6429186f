#include "app/DownloadRuntime.h"

#include "common/KeypadProtocol.h"
#include "texts/KeypadAccessAdvice.h"
#include "texts/qt/QtUtf16.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>

#include <cstdio>

namespace pad {
namespace {

template <typename Widget> Widget* PanelPart(QWidget* panel, QRect geometry) {
    auto* part = new Widget(panel);
    part->setGeometry(geometry);
    return part;
}

} // namespace

DownloadRuntime::DownloadRuntime(DownloadSetup setup, QWidget* client)
    : setup_(std::move(setup)), loaderUsers_(loader_.place().socket + ".users") {
    if (!setup_.text)
        setup_.text = [](const AddedText& text) { return FromU16(text.english); };
    Timer3.setInterval(200);
    Timer3.setSingleShot(true);
    QObject::connect(&Timer3, &QTimer::timeout, [this] { Timer3Timer(); });
    Timer4.setInterval(100);
    QObject::connect(&Timer4, &QTimer::timeout, [this] { Timer4Timer(); });
    BuildHiddenControls(client);
}

void DownloadRuntime::BuildHiddenControls(QWidget* client) {
    CheckBox1 = new QCheckBox("Real Write", client);
    CheckBox1->setChecked(true);
    CheckBox1->hide();

    Panel1 = PanelPart<QFrame>(client, QRect(client->width() + 20, 0, 200, 60));
    LoadingLabel = PanelPart<QLabel>(Panel1, QRect(8, 2, 180, 14));
    LoadingLabel->setText("LOADING ...");
    shape1_ = PanelPart<QFrame>(Panel1, QRect(8, 18, 181, 18));
    shape1_->setFrameStyle(QFrame::Box);
    shape2_ = PanelPart<QFrame>(Panel1, QRect(9, 18, 0, 18));
    shape2_->setStyleSheet("background: blue;");
    panel2_ = PanelPart<QFrame>(Panel1, QRect(9, 20, 0, 14));
    panel3_ = PanelPart<QLabel>(Panel1, QRect(8, 37, 181, 14));
    Panel1->hide();
    progress_.frame = shape1_->geometry();
    progress_.barShape = shape2_->geometry();
    progress_.barPanel = panel2_->geometry();
    progress_.percentPanel = panel3_->geometry();
}

// Writing to a keypad that is absent or closed to us would take 17 s and change
// nothing, so the user is told instead.
bool DownloadRuntime::KeypadWritable() {
    if (setup_.keypad->Writable())
        return true;
    const QString text = setup_.keypad->PresenceMessage() == MSG_KEYPAD_NO_ACCESS
                             ? setup_.text(NoAccessWarning) + "\n\n" +
                                   FromU16(NoAccessAdvice(KeypadVendorId(),
                                                          [this](const AddedText& text) {
                                                              return ToU16(setup_.text(text));
                                                          }))
                             : setup_.text(NoKeypadWarning);
    setup_.ui->inform(setup_.window, text, setup_.warningCaption());
    return false;
}

void DownloadRuntime::StartDownload(const Profile& profile) {
    if (!KeypadWritable())
        return;
    image_ = BuildDownloadImage(profile);
    progress_.reset();
    ShowProgress();
    // A second LOAD before the timer fires (or while this one waits for the loader)
    // leaves it as it is: one download follows, from the newer image.
    if (Timer3.isActive() || waitingForLoader_)
        return;
    JoinLoaderUsers();
    if (!loader_.find()) {
        // A loader that does not come (it is missing, or cannot use its socket)
        // only costs the progress window: the download goes ahead without it.
        waitingForLoader_ = true;
        const bool found = LaunchLoader() && WaitForLoader();
        waitingForLoader_ = false;
        if (!found)
            std::fprintf(stderr, "padconfig: the loader Qd6LoaderS does not answer; the download "
                                 "runs without its progress window\n");
    }
    Timer3.start(200);
}

bool DownloadRuntime::WaitForLoader() {
    constexpr auto PollInterval = std::chrono::milliseconds(50);
    const QDeadlineTimer deadline(std::chrono::seconds(2));
    while (!loader_.find()) {
        if (deadline.hasExpired())
            return false;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline.remainingTimeAsDuration());
        PauseWithoutInput(QDeadlineTimer(std::min(PollInterval, left)));
    }
    return true;
}

void DownloadRuntime::Timer3Timer() {
    Timer3.stop();
    if (setup_.keypad->Downloading()) {
        Timer3.start(200); // started from inside a running download: once it has ended
        return;
    }
    if (!KeypadWritable())
        return;

    // The loader learns which window reports; X ids fit in 32 bits and are never 0.
    const std::uint32_t window = std::max<std::uint32_t>(std::uint32_t(setup_.window->winId()), 1);
    // With "Real Write" off nothing is sent and nothing waits.
    DownloadHooks hooks;
    hooks.reportDone = [this, window](int sent) { ReportDone(window, sent); };
    const DownloadResult result = CheckBox1->isChecked()
                                      ? setup_.keypad->Download(image_, setup_.reportPause, hooks)
                                      : DownloadResult{};

    progress_.hide();
    Panel1->hide();
    loader_.post(MSG_LOADER_STATUS, window, LoaderDownloadEnd);
    // The keypad now holds part of the old and part of the new profile.
    if (result.keypadLost)
        setup_.ui->inform(setup_.window, setup_.text(KeypadLostWarning), setup_.warningCaption());
}

void DownloadRuntime::ReportDone(std::uint32_t window, int sent) {
    loader_.post(MSG_LOADER_STATUS, window, sent);
    progress_.advance();
    ShowProgress();
}

void DownloadRuntime::ShowProgress() {
    if (!Panel1->isVisible())
        return;
    shape1_->setGeometry(progress_.frame);
    shape2_->setGeometry(progress_.barShape);
    panel2_->setGeometry(progress_.barPanel);
    panel3_->setGeometry(progress_.percentPanel);
    panel3_->setText(progress_.percentText);
    Panel1->repaint();
}

void DownloadRuntime::Timer4Timer() {
    if (!loader_.find())
        return; // looked for again in 100 ms
    loader_.post(MSG_LOADER_STATUS, 0, LoaderDownloadEnd);
    Timer4.setInterval(0);
    Timer4.stop();
}

bool DownloadRuntime::LaunchLoader() {
    // Started detached; it stays hidden until a download reports progress. A
    // missing loader is tried again at the next LOAD.
    return setup_.ui->startProgram(setup_.programFolder + "/Qd6LoaderS", {});
}

void DownloadRuntime::JoinLoaderUsers() {
    if (loader_.placeUsable())
        loaderUsers_.join();
}

void DownloadRuntime::StartLoader() {
    JoinLoaderUsers();
    LaunchLoader();
    Timer4.start(100);
}

void DownloadRuntime::PostLoaderQuit() {
    // Posting finds the loader: nothing is sent when it is not running.
    if (loaderUsers_.leave())
        loader_.post(LoaderQuitMessage, 0, 0);
}

} // namespace pad
