#include "tools/qd6/DeviceCommands.h"

#include "common/Utf16.h"
#include "devicelink/PadLink.h"
#include "keypad/DownloadImage.h"
#include "keypad/ReportPause.h"
#include "model/ProfileFile.h"
#include "texts/KeypadAccessAdvice.h"
#include "texts/ModeTitle.h"
#include "tools/qd6/CommandSupport.h"
#include "tools/qd6/KeypadConnection.h"

#include <CLI/CLI.hpp>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <iostream>
#include <set>
#include <string>
#include <unistd.h>
#include <vector>

namespace pad {
namespace {

// Prints why nothing can be sent and returns ExitFailure, or returns ExitOk.
int checkReachable(const KeypadSessionCore& keypad) {
    if (keypad.PresenceMessage() != MSG_KEYPAD_PRESENT &&
        keypad.PresenceMessage() != MSG_KEYPAD_NO_ACCESS) {
        std::cerr << "No keypad connected\n";
        return ExitFailure;
    }
    if (!keypad.Writable()) {
        std::cerr << "qd6: the keypad is connected but cannot be opened for writing ("
                  << std::strerror(keypad.AccessError()) << ").\n"
                  << ToUtf8(NoAccessAdvice(KeypadVendorId())) << "\n";
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

void collectVendor(void* vendors, const char* path, std::uint16_t vendor, std::uint16_t product,
                   std::uint32_t page, std::uint32_t usage, std::int32_t, std::int32_t) {
    std::printf("%s  %04x:%04x  usage page %04x usage %04x\n", path, vendor, product, page, usage);
    static_cast<std::set<std::uint16_t>*>(vendors)->insert(vendor);
}

int listKeypads(KeypadSessionCore&) {
    if (PadLinkListKeypads(printKeypad, nullptr) == 0)
        std::printf("No keypad connected\n");
    // A keypad that reports another vendor id is invisible to the match; name it and
    // say how to use it.
    std::set<std::uint16_t> vendors;
    if (PadLinkListOtherVendorKeypads(nullptr, nullptr) > 0) {
        std::printf("\nThe keypad's product id %04x and usage page %04x under another vendor id "
                    "than %04x:\n",
                    KEYPAD_PRODUCT_ID, KEYPAD_USAGE_PAGE, KeypadVendorId());
        PadLinkListOtherVendorKeypads(collectVendor, &vendors);
    }
    for (std::uint16_t vendor : vendors)
        std::printf("%s\n", OtherVendorAdvice(vendor).c_str());
    std::fflush(stdout);
    return ExitOk;
}

int selectMode(KeypadSessionCore& keypad, KeypadMode mode) {
    if (int status = checkReachable(keypad); status != ExitOk)
        return status;
    KeypadSessionCore::SelectResult result;
    while ((result = keypad.TrySelectMode(mode)) == KeypadSessionCore::SelectResult::Busy) {
        std::cerr << "qd6: waiting for another program's download to the keypad to end\n";
        keypad.WaitUntilFree();
    }
    if (result == KeypadSessionCore::SelectResult::NotTaken) {
        std::cerr << "qd6: the keypad did not take the mode-select report\n";
        return ExitFailure;
    }
    std::cout << "Keypad switched to " << ModeTitle(mode) << "\n";
    return ExitOk;
}

// Downloads the image with the keypad's pause after each report (shorter only for the
// simulated keypad, when asked for), showing progress.
// Stops when the keypad goes away: a report no keypad took, or PadLink's absent
// message, which arrives during a pause.
int download(KeypadSessionCore& keypad, const DownloadImage& image) {
    if (int status = checkReachable(keypad); status != ExitOk)
        return status;
    UsePreciseTimers();
    Progress progress(ReportsPerDownload);
    DownloadHooks hooks;
    hooks.reportDone = [&progress](int sent) { progress.update(sent); };
    if (keypad.HeldElsewhere())
        std::cerr << "qd6: waiting for another program's download to the keypad to end\n";
    const DownloadResult result = keypad.Download(image, ReportPauseFromEnvironment(), hooks);
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

// The names qd6 mode takes: normal, a, b, c.
std::vector<std::string> modeNames() {
    std::vector<std::string> names;
    for (KeypadMode mode : KeypadModes)
        names.emplace_back(ModeName(mode));
    return names;
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
    list->callback([] { finishCommand(WithKeypad(listKeypads)); });

    auto* mode = app.add_subcommand("mode", "Switch the keypad to Normal mode or Mode A, B or C");
    mode->add_option("MODE", args->mode, "normal, a, b or c")
        ->required()
        ->check(CLI::IsMember(modeNames(), CLI::ignore_case));
    mode->callback([args] {
        const KeypadMode chosen = *ModeOfName(args->mode);
        finishCommand(
            WithKeypad([&](KeypadSessionCore& keypad) { return selectMode(keypad, chosen); }));
    });

    auto* load = app.add_subcommand(
        "download", "Download a profile into the keypad (240 reports, about 17 seconds)");
    load->add_option("FILE", args->file, "Profile file (.qd6)")->required();
    load->callback([args] {
        const DownloadImage image = BuildDownloadImage(loadProfileOrFail(args->file));
        finishCommand(
            WithKeypad([&](KeypadSessionCore& keypad) { return download(keypad, image); }));
    });
}

} // namespace pad
