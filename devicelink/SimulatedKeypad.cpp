#include "devicelink/SimulatedKeypad.h"

#include "common/FileAccess.h"
#include "common/LittleEndian.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace pad {

SimulatedKeypad::SimulatedKeypad(const std::string& logPath) {
    // A FIFO or a device is refused at once rather than waited on or written to.
    const OpenedFile opened = OpenRegularFile(logPath, O_WRONLY | O_APPEND | O_CREAT);
    if (opened.fd >= 0)
        log_ = ::fdopen(opened.fd, "a");
    logError_ = log_ ? 0 : opened.fd >= 0 ? errno : opened.error;
    if (opened.fd >= 0 && !log_)
        ::close(opened.fd);
}

SimulatedKeypad::~SimulatedKeypad() {
    if (log_)
        std::fclose(log_);
}

void SimulatedKeypad::receive(const FeatureReport& report) {
    if (log_) {
        std::string line = formatReport(report) + "\n";
        std::fwrite(line.data(), 1, line.size(), log_);
        // Other processes follow the log while a download runs.
        std::fflush(log_);
    }
    if (report[ReportIdOffset] != WriteReportId)
        return;
    const std::uint16_t address = DecodeFixed16(report.data() + ReportAddressOffset);
    if (address == ModeSelectAddress) {
        mode_ = report[ReportDataOffset];
        return;
    }
    for (std::size_t i = 0; i < ReportDataSize; ++i) {
        if (address + i < KeypadMemorySize)
            memory_[address + i] = report[ReportDataOffset + i];
    }
}

std::string SimulatedKeypad::formatReport(const FeatureReport& report) {
    static const char digits[] = "0123456789abcdef";
    std::string line;
    for (std::size_t i = 0; i < report.size(); ++i) {
        if (i)
            line += ' ';
        line += digits[report[i] >> 4];
        line += digits[report[i] & 0x0F];
    }
    return line;
}

} // namespace pad
