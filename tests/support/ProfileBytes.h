#pragma once
// Builds profile files byte by byte from the file layout, independently of the
// writer, so that tests can feed the reader exactly the bytes they mean.

#include "common/LittleEndian.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pad::test {

class ProfileBytes {
  public:
    // A file of the given version with every byte 0 except the magic and the count.
    ProfileBytes(std::string_view magic, int keysPerMode, std::size_t macroCount)
        : keysPerMode_(keysPerMode), macroCount_(macroCount),
          bytes(fixedSize() + macroCount * 529, 0) {
        for (std::size_t i = 0; i < magic.size() && i < 4; ++i)
            word(i, std::uint8_t(magic[i]));
        word(4, std::uint16_t(macroCount));
    }
    static ProfileBytes qd6(std::size_t macroCount = 0) { return {".QD6", 16, macroCount}; }
    static ProfileBytes qd5(std::size_t macroCount = 0) { return {".QD5", 12, macroCount}; }

    std::size_t fixedSize() const { return 128 + std::size_t(3 * keysPerMode_) * 530; }

    void put16(std::size_t offset, std::uint16_t value) { EncodeFixed16(&bytes[offset], value); }
    void word(std::size_t index, std::uint16_t value) { put16(2 * index, value); }
    void kind(std::size_t record, std::uint16_t value) { word(16 + record, value); }

    std::size_t recordOffset(std::size_t record) const { return 128 + record * 530; }
    void recordAction(std::size_t record, const std::vector<std::uint8_t>& events,
                      std::uint8_t playMode) {
        action(recordOffset(record), events, playMode);
    }
    void recordReserved(std::size_t record, std::uint8_t value) {
        bytes[recordOffset(record) + 17] = value;
    }
    void recordLabel(std::size_t record, std::u16string_view units) {
        text(recordOffset(record) + 18, units);
    }

    std::size_t nameOffset(std::size_t n) const { return fixedSize() + n * 512; }
    std::size_t macroActionOffset(std::size_t n) const {
        return fixedSize() + macroCount_ * 512 + n * 17;
    }
    void macroName(std::size_t n, std::u16string_view units) { text(nameOffset(n), units); }
    void macroAction(std::size_t n, const std::vector<std::uint8_t>& events,
                     std::uint8_t playMode) {
        action(macroActionOffset(n), events, playMode);
    }

    void action(std::size_t offset, const std::vector<std::uint8_t>& events,
                std::uint8_t playMode) {
        for (std::size_t i = 0; i < events.size() && i < 16; ++i)
            bytes[offset + i] = events[i];
        bytes[offset + 16] = playMode;
    }
    // Fills a 256-unit text field: the units as given (no terminator is added), then 0.
    void text(std::size_t offset, std::u16string_view units) {
        for (std::size_t i = 0; i < 256; ++i)
            put16(offset + 2 * i, i < units.size() ? units[i] : 0);
    }

  private:
    int keysPerMode_;
    std::size_t macroCount_;

  public:
    std::vector<std::uint8_t> bytes;
};

} // namespace pad::test
