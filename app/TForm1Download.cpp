// The device link, the mode-select report, the download of the profile into the
// keypad and the companion loader. The download and the loader link are placeholders
// until their sources land.

#include "app/TForm1.h"
#include "profile/Download.h"

#include <QTimer>

namespace pad {

struct DownloadParts {};

void DownloadPartsDeleter::operator()(DownloadParts* parts) const {
    delete parts;
}

void TForm1::InitDeviceLink() {
    if (DeviceLink().initDriver)
        DeviceLink().initDriver(this, HostMessage, KEYPAD_USAGE_PAGE);
}

void TForm1::SendModeSelect(int modeCode) {
    const Report report = ModeSelectReport(modeCode);
    if (DeviceLink().setKbdFeatures)
        DeviceLink().setKbdFeatures(KEYPAD_USAGE_PAGE, KEYPAD_USAGE, report.data());
}

void TForm1::StartDownload() {}
void TForm1::Timer3Timer() {
    Timer3->stop();
}
void TForm1::Timer4Timer() {
    Timer4->stop();
}
void TForm1::LaunchLoader() {}
void TForm1::PostLoaderQuit() {}

} // namespace pad
