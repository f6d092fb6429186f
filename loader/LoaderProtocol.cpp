#include "loader/LoaderProtocol.h"

#include <cstdlib>
#include <unistd.h>

namespace pad {

namespace {

void putU32(std::uint8_t* out, std::uint32_t value) {
    out[0] = static_cast<std::uint8_t>(value);
    out[1] = static_cast<std::uint8_t>(value >> 8);
    out[2] = static_cast<std::uint8_t>(value >> 16);
    out[3] = static_cast<std::uint8_t>(value >> 24);
}

std::uint32_t getU32(const std::uint8_t* in) {
    return std::uint32_t(in[0]) | std::uint32_t(in[1]) << 8 | std::uint32_t(in[2]) << 16 |
           std::uint32_t(in[3]) << 24;
}

} // namespace

LoaderRecordBytes encodeLoaderRecord(const LoaderRecord& record) {
    LoaderRecordBytes bytes{};
    putU32(bytes.data() + 0, record.message);
    putU32(bytes.data() + 4, record.wParam);
    putU32(bytes.data() + 8, static_cast<std::uint32_t>(record.lParam));
    return bytes;
}

std::optional<LoaderRecord> decodeLoaderRecord(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < LoaderRecordSize)
        return std::nullopt;
    LoaderRecord record;
    record.message = getU32(bytes.data() + 0);
    record.wParam = getU32(bytes.data() + 4);
    record.lParam = static_cast<std::int32_t>(getU32(bytes.data() + 8));
    return record;
}

std::vector<LoaderRecord> LoaderRecordReader::feed(std::span<const std::uint8_t> bytes) {
    std::vector<LoaderRecord> records;
    partial_.insert(partial_.end(), bytes.begin(), bytes.end());
    std::size_t used = 0;
    while (partial_.size() - used >= LoaderRecordSize) {
        records.push_back(*decodeLoaderRecord(std::span(partial_).subspan(used)));
        used += LoaderRecordSize;
    }
    partial_.erase(partial_.begin(), partial_.begin() + static_cast<std::ptrdiff_t>(used));
    return records;
}

std::string loaderSocketPath(const char* runtimeDir, unsigned uid) {
    if (runtimeDir && *runtimeDir)
        return std::string(runtimeDir) + "/Qd6LoaderS.sock";
    return "/tmp/Qd6LoaderS-" + std::to_string(uid) + ".sock";
}

std::string loaderSocketPath() {
    return loaderSocketPath(std::getenv("XDG_RUNTIME_DIR"), getuid());
}

} // namespace pad
