#include "devicelink/SimulatedKeypad.h"

#include "common/LittleEndian.h"

#include <cerrno>

namespace pad {

SimulatedKeypad::SimulatedKeypad(const std::string& logPath)
    : log_(std::fopen(logPath.c_str(), "a")), logError_(log_ ? 0 : errno) {}

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
