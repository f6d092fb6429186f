#include "app/DownloadRuntime.h"

#include "app/HelpCommands.h"
#include "common/KeypadProtocol.h"
#include "texts/KeypadAccessAdvice.h"
#include "texts/qt/QtUtf16.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>

#include <cstdio>

namespace pad {
namespace {

const Texts& English() {
    static const Texts english;
    return english;
}

} // namespace

DownloadRuntime::DownloadRuntime(DownloadSetup setup)
    : setup_(std::move(setup)), loaderUsers_(loader_.usersFile()) {
    if (!setup_.texts)
        setup_.texts = &English();
    downloadTimer_.setObjectName("Timer3");
    downloadTimer_.setInterval(200);
    downloadTimer_.setSingleShot(true);
    QObject::connect(&downloadTimer_, &QTimer::timeout, [this] { RunArmedDownload(); });
    loaderGreeting_.setObjectName("Timer4");
    loaderGreeting_.setInterval(100);
    QObject::connect(&loaderGreeting_, &QTimer::timeout, [this] { GreetLoader(); });
    const HiddenDownloadControls& h = setup_.hidden;
    progress_.frame = h.frame->geometry();
    progress_.barShape = h.barShape->geometry();
    progress_.barPanel = h.barPanel->geometry();
    progress_.percentPanel = h.percentPanel->geometry();
}

// Writing to a keypad that is absent or closed to us would take 17 s and change
// nothing, so the user is told instead.
bool DownloadRuntime::KeypadWritable() {
    if (setup_.keypad->Writable())
        return true;
    const Texts& texts = *setup_.texts;
    const std::u16string text =
        setup_.keypad->PresenceMessage() == MSG_KEYPAD_NO_ACCESS
            ? texts.text(NoAccessWarning) + u"\n\n" + NoAccessAdvice(KeypadVendorId(), texts)
            : texts.text(NoKeypadWarning);
    setup_.ui->inform(setup_.window, FromU16(text), FromU16(texts.text(WarningCaptionText)));
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
    if (downloadTimer_.isActive() || waitingForLoader_)
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
    downloadTimer_.start(200);
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

void DownloadRuntime::RunArmedDownload() {
    downloadTimer_.stop();
    if (setup_.keypad->Downloading()) {
        downloadTimer_.start(200); // started from inside a running download: once it has ended
        return;
    }
    if (!KeypadWritable())
        return;

    // The loader learns which window reports; X ids fit in 32 bits and are never 0.
    const std::uint32_t window = std::max<std::uint32_t>(std::uint32_t(setup_.window->winId()), 1);
    // With "Real Write" off nothing is sent and nothing waits.
    DownloadHooks hooks;
    hooks.reportDone = [this, window](int sent) { ReportDone(window, sent); };
    const DownloadResult result = setup_.hidden.realWrite->isChecked()
                                      ? setup_.keypad->Download(image_, setup_.reportPause, hooks)
                                      : DownloadResult{};

    progress_.hide();
    setup_.hidden.progressPanel->hide();
    loader_.post(MSG_LOADER_STATUS, window, LoaderDownloadEnd);
    // The keypad now holds part of the old and part of the new profile.
    if (result.keypadLost)
        setup_.ui->inform(setup_.window, FromU16(setup_.texts->text(KeypadLostWarning)),
                          FromU16(setup_.texts->text(WarningCaptionText)));
}

void DownloadRuntime::ReportDone(std::uint32_t window, int sent) {
    loader_.post(MSG_LOADER_STATUS, window, sent);
    progress_.advance();
    ShowProgress();
}

void DownloadRuntime::ShowProgress() {
    const HiddenDownloadControls& h = setup_.hidden;
    if (!h.progressPanel->isVisible())
        return;
    h.frame->setGeometry(progress_.frame);
    h.barShape->setGeometry(progress_.barShape);
    h.barPanel->setGeometry(progress_.barPanel);
    h.percentPanel->setGeometry(progress_.percentPanel);
    h.percentPanel->setText(progress_.percentText);
    h.progressPanel->repaint();
}

void DownloadRuntime::GreetLoader() {
    if (!loader_.find())
        return; // looked for again in 100 ms
    loader_.post(MSG_LOADER_STATUS, 0, LoaderDownloadEnd);
    loaderGreeting_.setInterval(0);
    loaderGreeting_.stop();
}

bool DownloadRuntime::LaunchLoader() {
    // A missing loader is tried again at the next LOAD.
    return LaunchLoaderProgram(*setup_.ui, setup_.programFolder);
}

void DownloadRuntime::JoinLoaderUsers() {
    if (loader_.placeUsable())
        loaderUsers_.join();
}

void DownloadRuntime::StartLoader() {
    JoinLoaderUsers();
    LaunchLoader();
    loaderGreeting_.start(100);
}

void DownloadRuntime::PostLoaderQuit() {
    // Posting finds the loader: nothing is sent when it is not running.
    if (loaderUsers_.leave())
        loader_.post(LoaderQuitMessage, 0, 0);
}

} // namespace pad
