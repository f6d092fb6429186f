#include "loader/LoaderProtocol.h"

#include "common/LittleEndian.h"

namespace pad {

LoaderRecordBytes encodeLoaderRecord(const LoaderRecord& record) {
    LoaderRecordBytes bytes{};
    EncodeFixed32(bytes.data() + 0, record.message);
    EncodeFixed32(bytes.data() + 4, record.wParam);
    EncodeFixed32(bytes.data() + 8, static_cast<std::uint32_t>(record.lParam));
    return bytes;
}

std::optional<LoaderRecord> decodeLoaderRecord(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < LoaderRecordSize)
        return std::nullopt;
    LoaderRecord record;
    record.message = DecodeFixed32(bytes.data() + 0);
    record.wParam = DecodeFixed32(bytes.data() + 4);
    record.lParam = static_cast<std::int32_t>(DecodeFixed32(bytes.data() + 8));
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

} // namespace pad
