#include "keypad/KeypadReports.h"

#include "common/LittleEndian.h"

namespace pad {
namespace {

Report AddressedReport(std::uint16_t address) {
    Report report{};
    report[ReportIdOffset] = WriteReportId;
    EncodeFixed16(report.data() + ReportAddressOffset, address);
    return report;
}

} // namespace

std::uint16_t DownloadReportAddress(int report) {
    return std::uint16_t(FirstImageAddress + ActionSize * std::size_t(report / ReportsPerSlot) +
                         ReportDataSize * std::size_t(report % ReportsPerSlot));
}

Report WriteReport(const DownloadImage& image, std::uint16_t address) {
    Report report = AddressedReport(address);
    // The last report (address 819) carries one image byte; the rest stay 0.
    for (std::size_t i = 0; i < ReportDataSize; ++i)
        if (std::size_t(address) + i < image.size())
            report[ReportDataOffset + i] = image[address + i];
    return report;
}

std::vector<Report> DownloadReports(const DownloadImage& image) {
    std::vector<Report> reports;
    reports.reserve(ReportsPerDownload);
    for (int r = 0; r < ReportsPerDownload; ++r)
        reports.push_back(WriteReport(image, DownloadReportAddress(r)));
    return reports;
}

Report ModeSelectReport(KeypadMode mode) {
    Report report = AddressedReport(ModeSelectAddress);
    report[ReportDataOffset] = std::uint8_t(ModeCode(mode));
    return report;
}

} // namespace pad
