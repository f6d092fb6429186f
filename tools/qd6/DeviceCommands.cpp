#include "tools/qd6/DeviceCommands.h"

#include "devicelink/PadLink.h"
#include "devicelink/WindowMessage.h"
#include "download/DownloadRunner.h"
#include "download/ReportPause.h"
#include "profile/Download.h"
#include "profile/ProfileFile.h"
#include "tools/qd6/CommandSupport.h"

#include <CLI/CLI.hpp>
#include <QCoreApplication>
#include <QEventLoop>
#include <QObject>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <iostream>
#include <sys/prctl.h>
#include <unistd.h>

namespace pad {
namespace {

// The host object PadLink reports to, as PadConfig's main window is.
class KeypadHost : public QObject {
  public:
    bool answered = false;
    bool present = false;
    bool noAccess = false;
    int accessError = 0;
    QEventLoop* loop = nullptr;

    bool event(QEvent* event) override {
        const WindowMessage* message = WindowMessage::from(event);
        if (!message)
            return QObject::event(event);
        if (message->message() == MSG_KEYPAD_PRESENT || message->message() == MSG_KEYPAD_ABSENT) {
            answered = true;
            present = message->message() == MSG_KEYPAD_PRESENT;
            noAccess = false;
            if (loop)
                loop->quit();
        } else if (message->message() == MSG_KEYPAD_NO_ACCESS) {
            noAccess = true;
            accessError = int(message->lParam());
        }
        return true;
    }
};

// Starts PadLink in a Qt application, runs the event loop until PadLink has told
// whether a keypad is present, then runs work on the same thread. Returns work's exit
// status. PadLink ends with the application object.
int withPadLink(const std::function<int(const KeypadHost&)>& work) {
    int argc = 1;
    char name[] = "qd6";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    KeypadHost host;
    QEventLoop loop;
    host.loop = &loop;
    InitDriver(&host, HostMessage, KEYPAD_USAGE_PAGE);
    if (!host.answered) {
        QTimer::singleShot(std::chrono::seconds(5), &loop, &QEventLoop::quit);
        loop.exec();
    }
    // The no-access notice is posted right behind the presence message.
    QCoreApplication::sendPostedEvents(&host);
    host.loop = nullptr;
    return work(host);
}

// Prints why nothing can be sent and returns ExitFailure, or returns ExitOk.
int checkReachable(const KeypadHost& host) {
    if (!host.present) {
        std::cerr << "No keypad connected\n";
        return ExitFailure;
    }
    if (host.noAccess) {
        std::cerr << "qd6: the keypad is connected but cannot be opened for writing ("
                  << std::strerror(host.accessError) << ").\n"
                  << NoAccessAdvice(KeypadVendorId()) << "\n";
        return ExitFailure;
    }
    return ExitOk;
}

void finishCommand(int status) {
    if (status != ExitOk)
        throw CLI::RuntimeError(status);
}

// Shows how far a download got: a bar redrawn in place on a terminal, otherwise a
// plain line at every tenth.
class Progress {
  public:
    explicit Progress(int total) : total_(total), terminal_(::isatty(STDERR_FILENO) == 1) {}

    void update(int done) {
        int percent = done * 100 / total_;
        if (terminal_) {
            constexpr int Width = 40;
            int filled = done * Width / total_;
            std::fprintf(stderr, "\rDownloading [%s%s] %3d/%d %3d %%",
                         std::string(filled, '#').c_str(), std::string(Width - filled, '-').c_str(),
                         done, total_, percent);
            if (done == total_)
                std::fputc('\n', stderr);
        } else if (done == total_ || done * 10 / total_ != (done - 1) * 10 / total_) {
            std::fprintf(stderr, "Sent %d of %d reports (%d %%)\n", done, total_, percent);
        }
        std::fflush(stderr);
    }

  private:
    int total_;
    bool terminal_;
};

void printKeypad(void*, const char* path, std::uint16_t vendor, std::uint16_t product,
                 std::uint32_t page, std::uint32_t usage, std::int32_t writable,
                 std::int32_t openError) {
    std::printf("%s  %04x:%04x  usage page %04x usage %04x  %s%s%s\n", path, vendor, product, page,
                usage, writable ? "writable" : "not writable (",
                writable ? "" : std::strerror(openError), writable ? "" : ")");
}

int listKeypads(const KeypadHost&) {
    if (PadLinkListKeypads(printKeypad, nullptr) == 0)
        std::cout << "No keypad connected\n";
    std::fflush(stdout);
    return ExitOk;
}

int selectMode(const KeypadHost& host, int modeCode, const std::string& modeName) {
    if (int status = checkReachable(host); status != ExitOk)
        return status;
    Report report = ModeSelectReport(modeCode);
    SetKbdFeatures(KEYPAD_USAGE_PAGE, KEYPAD_USAGE, report.data());
    std::cout << "Keypad switched to " << modeName << "\n";
    return ExitOk;
}

// Downloads the image with the keypad's pause after each report (shorter only for the
// simulated keypad, when asked for), showing progress.
// Stops when the keypad goes away: a report no keypad took, or PadLink's absent
// message, which arrives during a pause.
int download(const KeypadHost& host, const DownloadImage& image) {
    if (int status = checkReachable(host); status != ExitOk)
        return status;
    // Wake from each pause on time rather than up to the default 50 us late.
    ::prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
    Progress progress(ReportsPerDownload);
    DownloadHooks hooks;
    hooks.sendReport = [](const Report& report) {
        return PadLinkWriteReport(KEYPAD_USAGE_PAGE, KEYPAD_USAGE, report.data()) > 0;
    };
    hooks.keypadGone = [&host] { return !host.present; };
    hooks.reportDone = [&progress](int sent) { progress.update(sent); };
    const DownloadResult result = RunDownload(image, hooks, ReportPauseFromEnvironment());
    if (result.keypadLost) {
        if (result.sent > 0 && ::isatty(STDERR_FILENO) == 1)
            std::fputc('\n', stderr); // ends the progress bar's line
        std::fprintf(stderr,
                     "qd6: the keypad was disconnected during the download; %d of %d reports "
                     "were written, so it holds part of the old and part of the new profile. "
                     "Connect it and download again.\n",
                     result.sent, ReportsPerDownload);
        return ExitFailure;
    }
    std::cout << "Downloaded " << ReportsPerDownload << " reports to the keypad\n";
    return ExitOk;
}

} // namespace

void addDeviceCommands(CLI::App& app) {
    struct Arguments {
        std::string mode;
        std::string file;
    };
    auto args = std::make_shared<Arguments>();

    auto* list = app.add_subcommand(
        "list", "List the HID interfaces that match the keypad and whether they can be written");
    list->callback([] { finishCommand(withPadLink(listKeypads)); });

    auto* mode = app.add_subcommand("mode", "Switch the keypad to Normal mode or Mode A, B or C");
    mode->add_option("MODE", args->mode, "normal, a, b or c")
        ->required()
        ->check(CLI::IsMember({"normal", "a", "b", "c"}, CLI::ignore_case));
    mode->callback([args] {
        std::string m = args->mode;
        for (char& c : m)
            c = char(std::tolower(static_cast<unsigned char>(c)));
        int code = m == "normal" ? ModeCodeNormal
                   : m == "a"    ? ModeCodeA
                   : m == "b"    ? ModeCodeB
                                 : ModeCodeC;
        std::string name =
            m == "normal" ? "Normal mode" : "Mode " + std::string(1, char(m[0] - 32));
        finishCommand(
            withPadLink([&](const KeypadHost& host) { return selectMode(host, code, name); }));
    });

    auto* load = app.add_subcommand(
        "download", "Download a profile into the keypad (240 reports, about 17 seconds)");
    load->add_option("FILE", args->file, "Profile file (.qd6)")->required();
    load->callback([args] {
        const DownloadImage image = BuildDownloadImage(loadProfileOrFail(args->file));
        finishCommand(withPadLink([&](const KeypadHost& host) { return download(host, image); }));
    });
}

} // namespace pad
