#include "loader/LoaderProtocol.h"
#include "loader/LoaderCommand.h"

#include <gtest/gtest.h>

#include <vector>

using namespace pad;

TEST(LoaderRecord, EncodesLittleEndianFieldsByteByByte) {
    const LoaderRecordBytes bytes = encodeLoaderRecord({MSG_LOADER_STATUS, 0x12345678, -2});
    const LoaderRecordBytes expected = {0x33, 0x6A, 0x00, 0x00, 0x78, 0x56,
                                        0x34, 0x12, 0xFE, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(bytes, expected);

    const LoaderRecordBytes quit = encodeLoaderRecord({LoaderQuitMessage, 0, 0});
    const LoaderRecordBytes expectedQuit = {0x12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(quit, expectedQuit);
}

TEST(LoaderRecord, DecodesWhatWasEncodedAndRefusesShortInput) {
    const LoaderRecord record{MSG_LOADER_STATUS, 0xFFFFFFFF, 241};
    const LoaderRecordBytes bytes = encodeLoaderRecord(record);
    EXPECT_EQ(decodeLoaderRecord(bytes), record);
    EXPECT_FALSE(decodeLoaderRecord(std::span(bytes).first(11)).has_value());
    EXPECT_FALSE(decodeLoaderRecord({}).has_value());
}

TEST(LoaderRecordReader, JoinsPiecesAndKeepsAPartialRecordWaiting) {
    std::vector<std::uint8_t> stream;
    for (int n = 1; n <= 3; ++n) {
        const LoaderRecordBytes bytes = encodeLoaderRecord({MSG_LOADER_STATUS, 7, n});
        stream.insert(stream.end(), bytes.begin(), bytes.end());
    }
    stream.push_back(0xAA); // start of a fourth record that never completes

    LoaderRecordReader reader;
    std::vector<LoaderRecord> records;
    // Feed in uneven pieces: 5, 10, 7, then the rest.
    const std::size_t cuts[] = {5, 15, 22, stream.size()};
    std::size_t from = 0;
    for (std::size_t to : cuts) {
        for (const LoaderRecord& r : reader.feed(std::span(stream).subspan(from, to - from)))
            records.push_back(r);
        from = to;
    }
    ASSERT_EQ(records.size(), 3u);
    for (int n = 1; n <= 3; ++n)
        EXPECT_EQ(records[n - 1], (LoaderRecord{MSG_LOADER_STATUS, 7, n}));
    EXPECT_EQ(reader.pending(), 1u);
}

TEST(LoaderSocketPath, UsesTheRuntimeDirectoryElseAPerUserNameInTmp) {
    EXPECT_EQ(loaderSocketPath("/run/user/1000", 1000), "/run/user/1000/Qd6LoaderS.sock");
    EXPECT_EQ(loaderSocketPath(nullptr, 1000), "/tmp/Qd6LoaderS-1000.sock");
    EXPECT_EQ(loaderSocketPath("", 42), "/tmp/Qd6LoaderS-42.sock");
}

TEST(LoaderCommand, TellsHelloProgressCompleteAndQuitApart) {
    using K = LoaderCommandKind;
    EXPECT_EQ(interpretLoaderRecord({MSG_LOADER_STATUS, 0, 241}).kind, K::Hello);
    EXPECT_EQ(interpretLoaderRecord({MSG_LOADER_STATUS, 0x400001, 241}).kind, K::Complete);
    EXPECT_EQ(interpretLoaderRecord({MSG_LOADER_STATUS, 0x400001, 1}),
              (LoaderCommand{K::Progress, 1}));
    EXPECT_EQ(interpretLoaderRecord({MSG_LOADER_STATUS, 0x400001, 240}),
              (LoaderCommand{K::Progress, 240}));
    EXPECT_EQ(interpretLoaderRecord({LoaderQuitMessage, 0, 0}).kind, K::Quit);
}

TEST(LoaderCommand, IgnoresMalformedRecords) {
    using K = LoaderCommandKind;
    const LoaderRecord malformed[] = {
        {MSG_LOADER_STATUS, 5, 0},
        {MSG_LOADER_STATUS, 5, 242},
        {MSG_LOADER_STATUS, 5, -1},
        {MSG_LOADER_STATUS, 0, 17}, // progress without a sender
        {0x6A34, 5, 10},
        {0x0010, 0, 0},
    };
    for (const LoaderRecord& record : malformed)
        EXPECT_EQ(interpretLoaderRecord(record).kind, K::Ignore)
            << std::hex << record.message << " " << record.wParam << " " << record.lParam;
}
