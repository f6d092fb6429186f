#pragma once
// The keypad's side of the write reports, for the simulated HID system: it keeps the
// 820-byte memory image and the selected mode, and can append every feature report
// it receives to a log file, one line of 8 lower-case hex bytes per report.

#include "devicelink/HidSystem.h"

#include <cstdio>
#include <string>

namespace pad {

class SimulatedKeypad {
  public:
    SimulatedKeypad() = default;
    // Appends to logPath, a regular file; a log that cannot be written leaves the
    // keypad working without a log.
    explicit SimulatedKeypad(const std::string& logPath);
    ~SimulatedKeypad();
    SimulatedKeypad(const SimulatedKeypad&) = delete;
    SimulatedKeypad& operator=(const SimulatedKeypad&) = delete;

    // A write report to the mode-select address selects the mode in its first data
    // byte; one to another address writes its data to memory, dropping what lies
    // beyond the memory's end. Other reports are only logged.
    void receive(const FeatureReport& report);

    const std::array<std::uint8_t, KeypadMemorySize>& memory() const { return memory_; }
    std::uint8_t mode() const { return mode_; }
    bool logging() const { return log_ != nullptr; }
    // Why the log could not be opened (an errno, or NotRegularFileError of
    // common/FileAccess.h), else 0.
    int logError() const { return logError_; }

    static std::string formatReport(const FeatureReport& report);

  private:
    std::array<std::uint8_t, KeypadMemorySize> memory_{};
    std::uint8_t mode_ = 0;
    std::FILE* log_ = nullptr;
    int logError_ = 0;
};

} // namespace pad
