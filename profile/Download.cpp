#include "profile/Download.h"

namespace pad {

DownloadImage BuildDownloadImage(const Profile& profile) {
    DownloadImage image{};
    for (int s = 0; s < SlotCount; ++s) {
        const auto bytes = profile.slotAt(s).action.bytes();
        std::copy(bytes.begin(), bytes.end(),
                  image.begin() + FirstImageAddress + ActionSize * std::ptrdiff_t(s));
    }
    return image;
}

std::uint16_t DownloadReportAddress(int report) {
    return std::uint16_t(FirstImageAddress + ActionSize * (report / ReportsPerSlot) +
                         4 * (report % ReportsPerSlot));
}

Report WriteReport(const DownloadImage& image, std::uint16_t address) {
    Report report{};
    report[0] = WriteReportId;
    report[1] = std::uint8_t(address & 0xFF);
    report[2] = std::uint8_t(address >> 8);
    // The last report (address 819) carries one image byte; the rest stay 0.
    for (std::size_t i = 0; i < 4; ++i)
        if (std::size_t(address) + i < image.size())
            report[3 + i] = image[address + i];
    return report;
}

std::vector<Report> DownloadReports(const DownloadImage& image) {
    std::vector<Report> reports;
    reports.reserve(ReportsPerDownload);
    for (int r = 0; r < ReportsPerDownload; ++r)
        reports.push_back(WriteReport(image, DownloadReportAddress(r)));
    return reports;
}

Report ModeSelectReport(int modeCode) {
    Report report{};
    report[0] = WriteReportId;
    report[1] = std::uint8_t(ModeSelectAddress & 0xFF);
    report[2] = std::uint8_t(ModeSelectAddress >> 8);
    report[3] = std::uint8_t(modeCode);
    return report;
}

} // namespace pad
