#include "devicelink/SimulatedKeypad.h"

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
    if (report[0] != WriteReportId)
        return;
    auto address = std::uint16_t(report[1] | (report[2] << 8));
    if (address == ModeSelectAddress) {
        mode_ = report[3];
        return;
    }
    for (std::size_t i = 0; i < 4; ++i) {
        if (address + i < MemorySize)
            memory_[address + i] = report[3 + i];
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
