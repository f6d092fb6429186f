#pragma once
// What PadConfig and the companion loader Qd6LoaderS say to each other.
//
// The loader listens on a local socket that only its user may open (see
// LoaderSocketPlace.h). PadConfig
// "finds" the loader by connecting to that socket and "posts" a message by
// connecting, writing one 12-byte record and closing, without waiting for an
// answer. A record:
//
//   offset 0  uint32  message number   (little-endian)
//   offset 4  uint32  wParam           (little-endian)
//   offset 8  int32   lParam           (little-endian)
//
// The loader also accepts several records on one connection and ignores a
// trailing part shorter than a record.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace pad {

inline constexpr std::uint32_t MSG_LOADER_STATUS = 0x6A33; // greeting, progress, end of download
inline constexpr std::uint32_t LoaderQuitMessage = 0x0012; // asks the loader to exit
inline constexpr std::int32_t LoaderDownloadEnd =
    241; // lParam of the hello and of a download's end
inline constexpr std::int32_t LoaderReportCount = 240; // progress values 1 ... 240

inline constexpr std::size_t LoaderRecordSize = 12;
using LoaderRecordBytes = std::array<std::uint8_t, LoaderRecordSize>;

struct LoaderRecord {
    std::uint32_t message = 0;
    std::uint32_t wParam = 0;
    std::int32_t lParam = 0;

    friend bool operator==(const LoaderRecord&, const LoaderRecord&) = default;
};

LoaderRecordBytes encodeLoaderRecord(const LoaderRecord& record);

// Decodes the first 12 bytes of bytes; nullopt when fewer than 12 are given.
std::optional<LoaderRecord> decodeLoaderRecord(std::span<const std::uint8_t> bytes);

// Splits a byte stream into records. Bytes arrive in any pieces; complete
// records come out in order, a partial one waits for the rest.
class LoaderRecordReader {
  public:
    std::vector<LoaderRecord> feed(std::span<const std::uint8_t> bytes);
    // Bytes of an incomplete record still waiting (0 ... 11).
    std::size_t pending() const { return partial_.size(); }

  private:
    std::vector<std::uint8_t> partial_;
};

} // namespace pad
