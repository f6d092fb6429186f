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
    static constexpr std::size_t MemorySize = 820;
    static constexpr std::uint8_t WriteReportId = 0x03;
    static constexpr std::uint16_t ModeSelectAddress = 0xFFFF;

    SimulatedKeypad() = default;
    // Appends to logPath; an unwritable log leaves the keypad working without a log.
    explicit SimulatedKeypad(const std::string& logPath);
    ~SimulatedKeypad();
    SimulatedKeypad(const SimulatedKeypad&) = delete;
    SimulatedKeypad& operator=(const SimulatedKeypad&) = delete;

    // Report layout: [0] id 0x03, [1..2] address little-endian, [3..6] data, [7] unused.
    // Address 0xFFFF selects the mode given in byte 3; other addresses write bytes 3-6
    // to memory, dropping what lies beyond the memory's end.
    void receive(const FeatureReport& report);

    const std::array<std::uint8_t, MemorySize>& memory() const { return memory_; }
    std::uint8_t mode() const { return mode_; }
    bool logging() const { return log_ != nullptr; }
    int logError() const { return logError_; } // errno of a failed log open, else 0

    static std::string formatReport(const FeatureReport& report);

  private:
    std::array<std::uint8_t, MemorySize> memory_{};
    std::uint8_t mode_ = 0;
    std::FILE* log_ = nullptr;
    int logError_ = 0;
};

} // namespace pad
