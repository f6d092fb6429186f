#include "loader/LoaderProtocol.h"
#include "loader/LoaderCommand.h"
#include "loader/LoaderSocketPlace.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

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
    EXPECT_EQ(LoaderSocketPlaceFor("/run/user/7", 7).socket, "/run/user/7/Qd6LoaderS.sock");
    EXPECT_EQ(LoaderSocketPlaceFor(nullptr, 1000).socket, "/tmp/padconfig-1000/Qd6LoaderS.sock");
    EXPECT_EQ(LoaderSocketPlaceFor("", 42).socket, "/tmp/padconfig-42/Qd6LoaderS.sock");
}

// Each case plants something in a shared folder (standing in for /tmp) or in the
// runtime folder; the place is then checked for our user or for another one.
TEST(LoaderSocketPath, MakesTheOwnFolderAndRefusesWhatOthersPlanted) {
    namespace fs = std::filesystem;
    using P = const LoaderSocketPlace&;
    const unsigned me = ::geteuid();
    const struct {
        bool inShared;
        void (*plant)(P);
        unsigned user;
        const char* refusal; // "" when the place may be used
    } cases[] = {
        {true, [](P) {}, me, ""}, // made
        {true, [](P p) { ::mkdir(p.folder.path.c_str(), 0700), std::ofstream{p.socket}; }, me, ""},
        {true, [](P) {}, me + 1, "belongs to user"},
        {true, [](P p) { ::mkdir(p.folder.path.c_str(), 0), ::chmod(p.folder.path.c_str(), 0755); },
         me, "is open to other users (mode 0755)"},
        {true, [](P p) { fs::create_directory_symlink("/", p.folder.path); }, me,
         "is not a folder"},
        {false, [](P p) { std::ofstream{p.socket}; }, me + 1, "belongs to user"},
        {false, [](P p) { fs::create_symlink("/nowhere", p.socket); }, me, "is a link"},
    };
    for (const auto& c : cases) {
        const pad::test::TempDir shared;
        const LoaderSocketPlace place = LoaderSocketPlaceFor(
            c.inShared ? nullptr : shared.path().c_str(), me, shared.path() / "tmp");
        fs::create_directory(shared.path() / "tmp");
        c.plant(place);
        const std::string problem = PrepareLoaderSocketPlace(place, c.user);
        EXPECT_TRUE(*c.refusal ? problem.find(c.refusal) != std::string::npos : problem.empty())
            << problem;
        EXPECT_TRUE(*c.refusal || !c.inShared ||
                    fs::status(place.folder.path).permissions() == fs::perms(0700));
    }
    const std::string tooLong = "/run/" + std::string(100, 'x');
    EXPECT_EQ(PrepareLoaderSocketPlace(LoaderSocketPlaceFor(tooLong.c_str(), me), me),
              "the socket path " + tooLong + "/Qd6LoaderS.sock is too long (121 bytes; a local " +
                  "socket takes at most 107): set XDG_RUNTIME_DIR to a shorter folder");
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
