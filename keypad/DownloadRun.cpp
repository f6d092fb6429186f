#include "keypad/DownloadRun.h"

#include <thread>

namespace pad {

DownloadResult RunDownload(const DownloadImage& image, const DownloadHooks& hooks,
                           std::chrono::milliseconds pause) {
    DownloadResult result;
    for (const Report& report : DownloadReports(image)) {
        // PadLink's absent message arrives during a pause; a keypad pulled out since
        // takes no report. Either way the rest of the download would reach nothing.
        if ((hooks.keypadGone && hooks.keypadGone()) || !hooks.sendReport(report)) {
            result.keypadLost = true;
            break;
        }
        // The pause runs on the steady clock from the moment the report was handed
        // over, so what happens during it does not lengthen it.
        const auto deadline = std::chrono::steady_clock::now() + pause;
        if (hooks.pauseUntil)
            hooks.pauseUntil(deadline);
        else
            std::this_thread::sleep_until(deadline);
        ++result.sent;
        if (hooks.reportDone)
            hooks.reportDone(result.sent);
    }
    return result;
}

} // namespace pad
