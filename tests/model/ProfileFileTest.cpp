#include "model/ProfileFile.h"
#include "common/LittleEndian.h"
#include "tests/support/ProfileBytes.h"
#include "tests/support/SampleProfiles.h"
#include "tests/support/TempDir.h"

#include <csignal>
#include <gtest/gtest.h>
#include <optional>
#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace pad {
namespace {

using test::ProfileBytes;

std::uint16_t word(const std::vector<std::uint8_t>& b, std::size_t offset) {
    return DecodeFixed16(&b[offset]);
}

// A profile unlike the fresh one, to see that refused files leave it alone.
Profile markedProfile() {
    Profile p;
    p.macros().append({u"keep me", KeyAction::direct(0x04)});
    p.setKind(1, 2, 10);
    Profile::setLabel(p.slot(1, 2), u"keep me");
    return p;
}

TEST(ProfileFile, FreshProfileHasTheDocumentedLayout) {
    const auto b = EncodeProfileFile(Profile{u"Normal"});
    ASSERT_EQ(b.size(), 25568u);
    EXPECT_EQ(word(b, 0), '.');
    EXPECT_EQ(word(b, 2), 'Q');
    EXPECT_EQ(word(b, 4), 'D');
    EXPECT_EQ(word(b, 6), '6');
    for (std::size_t w = 4; w < 64; ++w)
        EXPECT_EQ(word(b, 2 * w), 0) << w;
    for (std::size_t r = 0; r < 48; ++r) {
        const std::size_t o = 128 + 530 * r;
        for (std::size_t i = 0; i < 16; ++i)
            ASSERT_EQ(b[o + i], 0);
        EXPECT_EQ(b[o + 16], 0xA0);
        EXPECT_EQ(b[o + 17], 0x00);
        const std::u16string normal = u"Normal";
        for (std::size_t i = 0; i < 256; ++i)
            ASSERT_EQ(word(b, o + 18 + 2 * i), i < normal.size() ? normal[i] : 0) << r << ' ' << i;
    }
}

TEST(ProfileFile, OneMacroSitsAtItsOffsets) {
    Profile p;
    KeyAction a;
    a.events[0] = 0x10;
    a.events[1] = 0x90;
    a.playMode = RepeatWhileHeld;
    p.macros().append({u"M1", a});
    p.setKind(2, 15, 10);
    const auto b = EncodeProfileFile(p);
    ASSERT_EQ(b.size(), 26097u);
    EXPECT_EQ(word(b, 8), 1);
    EXPECT_EQ(word(b, 2 * (16 + 47)), 10);
    EXPECT_EQ(word(b, 25568), u'M');
    EXPECT_EQ(word(b, 25570), u'1');
    EXPECT_EQ(word(b, 25572), 0);
    EXPECT_EQ(b[26080], 0x10);
    EXPECT_EQ(b[26081], 0x90);
    EXPECT_EQ(b[26096], 0xA1);
}

TEST(ProfileFile, SaveAndLoadReproduceTheProfile) {
    test::TempDir dir;
    Profile saved = test::ExampleProfile();
    Profile::setLabel(saved.slot(2, 0), std::u16string(255, u'\u4E2D'));
    saved.slot(2, 1).label = u"\xD800 lone";
    ASSERT_EQ(SaveProfileFile(saved, dir / "a.qd6"), FileResult::Ok);
    Profile loaded = markedProfile();
    std::string magic;
    ASSERT_EQ(LoadProfileFile(loaded, dir / "a.qd6", u"Normal", &magic), FileResult::Ok);
    EXPECT_EQ(magic, ".QD6");
    EXPECT_EQ(loaded, saved);
    EXPECT_EQ(std::filesystem::file_size(dir / "a.qd6"), 25568u + 529 * saved.macros().count());
}

TEST(ProfileFile, ReaderTakesHandBuiltBytes) {
    auto f = ProfileBytes::qd6(2);
    f.recordAction(17, {0x64, 0x04, 0x84, 0xE4}, 0xA2);
    f.recordReserved(17, 0x5A); // ignored
    f.recordLabel(17, u"Shift A");
    f.kind(17, 11);
    f.kind(47, 4);
    f.macroName(0, u"first");
    f.macroName(1, u"second");
    f.macroAction(1, {0x29, 0xA9}, 0xA0);
    Profile p;
    ASSERT_EQ(DecodeProfileFile(f.bytes, p), FileResult::Ok);
    EXPECT_EQ(p.slot(1, 1).action.events[3], 0xE4);
    EXPECT_EQ(p.slot(1, 1).action.playMode, 0xA2);
    EXPECT_EQ(p.slot(1, 1).label, u"Shift A");
    EXPECT_EQ(p.kindOf(1, 1), 11);
    EXPECT_EQ(p.kindOf(2, 15), KindDefault);
    EXPECT_EQ(p.slot(0, 0).label, u""); // a hand-built empty label stays empty
    ASSERT_EQ(p.macros().count(), 2u);
    EXPECT_EQ(p.macros().macroAt(1).name, u"second");
    EXPECT_EQ(p.macros().macroAt(1).action.events[1], 0xA9);
}

TEST(ProfileFile, WrongMagicIsRefusedAndChangesNothing) {
    for (std::string_view magic : {".qd6", ".QD4", "QD6.", ".QD7", "\0\0\0\0"}) {
        ProfileBytes f(magic, 16, 0);
        Profile p = markedProfile();
        std::string seen = "untouched";
        EXPECT_EQ(DecodeProfileFile(f.bytes, p, u"Normal", &seen), FileResult::UnsupportedFile)
            << magic;
        EXPECT_EQ(p, markedProfile());
        EXPECT_EQ(seen, "untouched");
    }
    // The magic is one character per 16-bit word: ASCII bytes in a row do not count.
    std::vector<std::uint8_t> bytes(25568, 0);
    std::copy_n(".QD6", 4, bytes.begin());
    Profile p;
    EXPECT_EQ(DecodeProfileFile(bytes, p), FileResult::UnsupportedFile);
}

TEST(ProfileFile, TruncatedFilesAreRefusedAndChangeNothing) {
    const auto full = ProfileBytes::qd6(3).bytes; // 25,568 + 3 x 529
    for (std::size_t length : {std::size_t(0), std::size_t(7), std::size_t(127), std::size_t(128),
                               std::size_t(25567), std::size_t(25568), std::size_t(25568 + 1535),
                               std::size_t(25568 + 1536), full.size() - 1}) {
        Profile p = markedProfile();
        EXPECT_EQ(DecodeProfileFile(std::span(full).first(length), p), FileResult::UnsupportedFile)
            << length;
        EXPECT_EQ(p, markedProfile()) << length;
    }
    Profile p;
    EXPECT_EQ(DecodeProfileFile(full, p), FileResult::Ok);

    const auto qd5 = ProfileBytes::qd5(0).bytes;
    EXPECT_EQ(qd5.size(), 19208u);
    EXPECT_EQ(DecodeProfileFile(std::span(qd5).first(19207), p), FileResult::UnsupportedFile);
}

TEST(ProfileFile, BytesAfterTheAnnouncedEndAreIgnored) {
    auto f = ProfileBytes::qd6(1);
    f.macroName(0, u"only");
    f.bytes.resize(f.bytes.size() + 1000, 0xEE);
    Profile p;
    ASSERT_EQ(DecodeProfileFile(f.bytes, p), FileResult::Ok);
    EXPECT_EQ(p.macros().count(), 1u);
}

TEST(ProfileFile, HugeMacroCountsAreRefused) {
    // A header that announces 65,535 macros in a file far too short for them.
    auto shortFile = ProfileBytes::qd6(0);
    shortFile.word(4, 0xFFFF);
    Profile p = markedProfile();
    EXPECT_EQ(DecodeProfileFile(shortFile.bytes, p), FileResult::UnsupportedFile);
    EXPECT_EQ(p, markedProfile());

    // A complete file with the most macros the count holds loads them all, and saves
    // back byte for byte; a key can play macro 65,525 (kind 0xFFFF) at most.
    auto most = ProfileBytes::qd6(65535);
    most.kind(0, 0xFFFF);
    most.macroName(65534, u"last");
    most.macroAction(65534, {0x04, 0x84}, 0xA2);
    ASSERT_EQ(DecodeProfileFile(most.bytes, p), FileResult::Ok);
    EXPECT_EQ(p.macros().count(), 65535u);
    EXPECT_EQ(p.macros().macroAt(65534).name, u"last");
    EXPECT_EQ(p.kindAt(0), 0xFFFF);
    EXPECT_TRUE(EncodeProfileFile(p) == most.bytes);
}

TEST(ProfileFile, KindsNamingMissingMacrosBecomeNone) {
    auto f = ProfileBytes::qd6(2);
    f.kind(0, 10);
    f.kind(1, 11);
    f.kind(2, 12);
    f.kind(3, 0xFFFF);
    f.kind(4, 7); // never produced, but names no macro
    Profile p;
    ASSERT_EQ(DecodeProfileFile(f.bytes, p), FileResult::Ok);
    EXPECT_EQ(p.kindAt(0), 10);
    EXPECT_EQ(p.kindAt(1), 11);
    EXPECT_EQ(p.kindAt(2), KindNone);
    EXPECT_EQ(p.kindAt(3), KindNone);
    EXPECT_EQ(p.kindAt(4), 7);
}

TEST(ProfileFile, LabelsWithoutTerminatorAreCutTo255Units) {
    auto f = ProfileBytes::qd6(1);
    f.recordLabel(5, std::u16string(256, u'L'));
    f.macroName(0, std::u16string(256, u'N'));
    Profile p;
    ASSERT_EQ(DecodeProfileFile(f.bytes, p), FileResult::Ok);
    EXPECT_EQ(p.slotAt(5).label, std::u16string(255, u'L'));
    EXPECT_EQ(p.macros().macroAt(0).name, std::u16string(255, u'N'));
    // The label ends at the first NUL even when more text follows.
    f.recordLabel(6, std::u16string_view(u"ab\0cd", 5));
    ASSERT_EQ(DecodeProfileFile(f.bytes, p), FileResult::Ok);
    EXPECT_EQ(p.slotAt(6).label, u"ab");
}

TEST(ProfileFile, InvalidUtf16IsKeptAsUnits) {
    const std::u16string odd = {0xDC00, u'x', 0xD800, 0xD800, 0xFFFF, 0xDBFF};
    auto f = ProfileBytes::qd6(1);
    f.recordLabel(0, odd);
    f.macroName(0, odd);
    Profile p;
    ASSERT_EQ(DecodeProfileFile(f.bytes, p), FileResult::Ok);
    EXPECT_EQ(p.slotAt(0).label, odd);
    EXPECT_EQ(p.macros().macroAt(0).name, odd);
    const auto again = EncodeProfileFile(p);
    EXPECT_EQ(std::vector(again.begin() + 128 + 18, again.begin() + 128 + 530),
              std::vector(f.bytes.begin() + 128 + 18, f.bytes.begin() + 128 + 530));
}

TEST(ProfileFile, OlderFilesFillKeys0To11AndLeaveTheRestFresh) {
    auto f = ProfileBytes::qd5(1);
    for (std::size_t r = 0; r < 36; ++r) {
        f.recordAction(r, {std::uint8_t(r + 1)}, 0xA3);
        f.recordLabel(r, std::u16string(1, char16_t(u'A' + r)));
        f.kind(r, 1);
    }
    f.kind(13, 10); // record 13 = Mode B key 1
    f.macroName(0, u"old");
    f.macroAction(0, {0x04, 0x84}, 0xA0);
    EXPECT_EQ(f.bytes.size(), 19208u + 529);

    Profile p = test::ExampleProfile(); // every bit of it must go
    std::string magic;
    ASSERT_EQ(DecodeProfileFile(f.bytes, p, u"Normaal", &magic), FileResult::Ok);
    EXPECT_EQ(magic, ".QD5");
    for (int mode = 0; mode < 3; ++mode) {
        for (int key = 0; key < 12; ++key) {
            const std::size_t r = std::size_t(mode * 12 + key);
            EXPECT_EQ(p.slot(mode, key).action.events[0], r + 1);
            EXPECT_EQ(p.slot(mode, key).label, std::u16string(1, char16_t(u'A' + r)));
            EXPECT_EQ(p.kindOf(mode, key), r == 13 ? 10 : 1);
        }
        for (int key = 12; key < 16; ++key) {
            EXPECT_EQ(p.slot(mode, key).action, KeyAction::empty());
            EXPECT_EQ(p.slot(mode, key).label, u"Normaal");
            EXPECT_EQ(p.kindOf(mode, key), KindNone);
        }
    }
    ASSERT_EQ(p.macros().count(), 1u);
    EXPECT_EQ(p.macros().macroAt(0).name, u"old");
    EXPECT_EQ(p.macros().macroAt(0).action.events[1], 0x84);
}

TEST(ProfileFile, LoadFailuresLeaveTheProfileAlone) {
    test::TempDir dir;
    Profile p = markedProfile();
    EXPECT_EQ(LoadProfileFile(p, dir / "missing.qd6"), FileResult::OpenForReadFailed);
    EXPECT_EQ(LoadProfileFile(p, dir.path()), FileResult::OpenForReadFailed);
    auto bytes = ProfileBytes::qd6(0).bytes;
    bytes.resize(300);
    test::writeBytes(dir / "short.qd6", bytes);
    EXPECT_EQ(LoadProfileFile(p, dir / "short.qd6"), FileResult::UnsupportedFile);
    EXPECT_EQ(p, markedProfile());
}

// Saving over files of every kind with the system's own means: POSIX here, Windows in
// SafeWriteWin32Test.cpp.
#ifndef _WIN32
constexpr unsigned NobodyId = 65534;

// Saves the example profile while files may grow to 4,096 bytes only, which stops
// the write part-way.
FileResult saveWithSizeLimit(const std::filesystem::path& file) {
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit previousLimit{};
    ::getrlimit(RLIMIT_FSIZE, &previousLimit);
    rlimit small = previousLimit;
    small.rlim_cur = 4096;
    if (::setrlimit(RLIMIT_FSIZE, &small) != 0)
        ADD_FAILURE() << "cannot limit the file size";
    const FileResult result = SaveProfileFile(test::ExampleProfile(), file);
    ::setrlimit(RLIMIT_FSIZE, &previousLimit);
    std::signal(SIGXFSZ, previousHandler);
    return result;
}

// Saves as a user who may not write to the file's folder. Root ignores permission
// bits, so as root the save runs in a child process that has become "nobody".
// nullopt when root cannot be given up.
std::optional<FileResult> saveAsUnprivileged(const Profile& profile,
                                             const std::filesystem::path& file) {
    if (::geteuid() != 0)
        return SaveProfileFile(profile, file);
    constexpr int NoSwitch = 100;
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgid(NobodyId) != 0 || ::setuid(NobodyId) != 0)
            ::_exit(NoSwitch);
        ::_exit(int(SaveProfileFile(profile, file)));
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) == NoSwitch)
        return std::nullopt;
    return FileResult(WEXITSTATUS(status));
}

TEST(ProfileFile, FailedSaveLeavesTheOldFileUntouched) {
    test::TempDir dir;
    const auto oldBytes = EncodeProfileFile(markedProfile());

    // The folder cannot take a new file: its "parent" is a regular file.
    test::writeBytes(dir / "plain", {1, 2, 3});
    EXPECT_EQ(SaveProfileFile(Profile{}, dir / "plain" / "x.qd6"), FileResult::OpenForWriteFailed);
    EXPECT_EQ(test::readBytes(dir / "plain"), (std::vector<std::uint8_t>{1, 2, 3}));

    // The target is a folder: the rename fails, the folder and its file stay.
    std::filesystem::create_directory(dir / "folder.qd6");
    test::writeBytes(dir / "folder.qd6" / "inner", oldBytes);
    EXPECT_EQ(SaveProfileFile(Profile{}, dir / "folder.qd6"), FileResult::OpenForWriteFailed);
    EXPECT_EQ(test::readBytes(dir / "folder.qd6" / "inner"), oldBytes);

    // A write fails half-way (the file-size limit stops it): the old profile survives.
    test::writeBytes(dir / "old.qd6", oldBytes);
    EXPECT_EQ(saveWithSizeLimit(dir / "old.qd6"), FileResult::OpenForWriteFailed);
    EXPECT_EQ(test::readBytes(dir / "old.qd6"), oldBytes);

    // Nothing is left behind by any attempt.
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path()))
        ++entries;
    EXPECT_EQ(entries, 3u);
}

TEST(ProfileFile, SaveReplacesTheFileAndKeepsItsPermissions) {
    test::TempDir dir;
    const auto file = dir / "p.qd6";
    ASSERT_EQ(SaveProfileFile(markedProfile(), file), FileResult::Ok);
    ::chmod(file.c_str(), 0640);
    ASSERT_EQ(SaveProfileFile(Profile{}, file), FileResult::Ok);
    EXPECT_EQ(test::readBytes(file), EncodeProfileFile(Profile{}));
    struct stat info {};
    ASSERT_EQ(::stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);

    // Through a symbolic link the linked file is replaced and the link stays.
    std::filesystem::create_symlink(file, dir / "link.qd6");
    ASSERT_EQ(SaveProfileFile(markedProfile(), dir / "link.qd6"), FileResult::Ok);
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.qd6"));
    EXPECT_EQ(test::readBytes(file), EncodeProfileFile(markedProfile()));

    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path()))
        ++entries;
    EXPECT_EQ(entries, 2u);
}

TEST(ProfileFile, HardLinkedFilesAreWrittenInPlace) {
    test::TempDir dir;
    const auto file = dir / "p.qd6";
    ASSERT_EQ(SaveProfileFile(Profile{}, file), FileResult::Ok);
    std::filesystem::create_hard_link(file, dir / "other name.qd6");
    ASSERT_EQ(SaveProfileFile(markedProfile(), dir / "other name.qd6"), FileResult::Ok);
    EXPECT_EQ(test::readBytes(file), EncodeProfileFile(markedProfile()));
    EXPECT_EQ(std::filesystem::hard_link_count(file), 2u);

    // The in-place write is checked too: cut short, it fails.
    EXPECT_EQ(saveWithSizeLimit(file), FileResult::OpenForWriteFailed);
    EXPECT_EQ(std::filesystem::hard_link_count(file), 2u);
}

TEST(ProfileFile, WritableFileInAFolderThatTakesNoNewFileIsWrittenInPlace) {
    test::TempDir dir;
    std::filesystem::permissions(dir.path(), std::filesystem::perms(0755));
    const auto folder = dir / "locked";
    std::filesystem::create_directory(folder);
    const auto file = folder / "p.qd6";
    ASSERT_EQ(SaveProfileFile(Profile{}, file), FileResult::Ok);
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(folder.c_str(), NobodyId, NobodyId), 0);
        ASSERT_EQ(::chown(file.c_str(), NobodyId, NobodyId), 0);
    }
    ::chmod(folder.c_str(), 0555);
    const auto result = saveAsUnprivileged(markedProfile(), file);
    ::chmod(folder.c_str(), 0755);
    if (!result)
        GTEST_SKIP() << "root cannot become another user here";
    EXPECT_EQ(*result, FileResult::Ok);
    EXPECT_EQ(test::readBytes(file), EncodeProfileFile(markedProfile()));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder),
                            std::filesystem::directory_iterator()),
              1);
}

#endif

} // namespace
} // namespace pad
