// Saving over an old file on Windows (model/SafeWriteWin32.cpp): whatever makes a save
// fail leaves the old file byte for byte and nothing beside it; a save that succeeds
// keeps the old file's attributes.

#include "common/FileAccess.h"
#include "model/SafeWrite.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <io.h>

#include <windows.h>

#include <sddl.h>

namespace pad {
namespace {

const std::vector<std::uint8_t> OldBytes = {'o', 'l', 'd', '\n', 0x1A, '\r', '\n'};
const std::vector<std::uint8_t> NewBytes = {'n', 'e', 'w', '\n', 0x1A, 0, '\n', '\r'};

ContentWriter writing(const std::vector<std::uint8_t>& bytes) {
    return [&bytes](int fd) {
        return ::_write(fd, bytes.data(), unsigned(bytes.size())) == int(bytes.size()) ? 0 : errno;
    };
}

// The file's ACL in the security descriptor language, "D:(A;;FA;;;SY)...".
std::wstring daclOf(const std::filesystem::path& file) {
    DWORD size = 0;
    ::GetFileSecurityW(file.c_str(), DACL_SECURITY_INFORMATION, nullptr, 0, &size);
    std::vector<std::uint8_t> descriptor(size);
    LPWSTR text = nullptr;
    if (size == 0 ||
        !::GetFileSecurityW(file.c_str(), DACL_SECURITY_INFORMATION, descriptor.data(), size,
                            &size) ||
        !::ConvertSecurityDescriptorToStringSecurityDescriptorW(
            descriptor.data(), SDDL_REVISION_1, DACL_SECURITY_INFORMATION, &text, nullptr))
        return L"none";
    std::wstring dacl = text;
    ::LocalFree(text);
    return dacl;
}

std::size_t entriesIn(const std::filesystem::path& folder) {
    return std::size_t(std::distance(std::filesystem::directory_iterator(folder),
                                     std::filesystem::directory_iterator()));
}

TEST(SafeWriteWin32, FailedSaveLeavesTheOldFileAndNothingElse) {
    struct Case {
        const char* what;
        std::function<void(const std::filesystem::path& file)> prepare;
        ContentWriter write;
        int error;
    };
    HANDLE holder = INVALID_HANDLE_VALUE;
    const Case cases[] = {
        {"the content cannot be written", nullptr,
         [](int fd) { return ::_write(fd, "half", 4) == 4 ? EIO : errno; }, EIO},
        {"the file is read-only",
         [](const auto& file) { ::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY); },
         writing(NewBytes), EACCES},
        {"another program holds the file",
         [&holder](const auto& file) {
             holder =
                 ::CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
         },
         writing(NewBytes), EBUSY},
    };
    for (const Case& c : cases) {
        test::TempDir dir;
        const auto file = dir / "p.qd6";
        test::writeBytes(file, OldBytes);
        if (c.prepare)
            c.prepare(file);
        EXPECT_EQ(WriteFileSafely(file, NewBytes.size(), c.write), c.error) << c.what;
        if (holder != INVALID_HANDLE_VALUE)
            ::CloseHandle(std::exchange(holder, INVALID_HANDLE_VALUE));
        ::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(test::readBytes(file), OldBytes) << c.what;
        EXPECT_EQ(entriesIn(dir.path()), 1u) << c.what;
    }

    // What is not a file is refused before anything is written.
    test::TempDir dir;
    std::filesystem::create_directory(dir / "folder.qd6");
    EXPECT_EQ(WriteFileSafely(dir / "folder.qd6", 1, writing(NewBytes)), EISDIR);
    EXPECT_EQ(WriteFileSafely(dir / "NUL", 1, writing(NewBytes)), NotRegularFileError);
    EXPECT_EQ(WriteFileSafely(dir / "com1.qd6", 1, writing(NewBytes)), NotRegularFileError);
    EXPECT_EQ(entriesIn(dir.path()), 1u);
}

TEST(SafeWriteWin32, SaveReplacesTheContentAndKeepsTheAttributesAndTheAcl) {
    test::TempDir dir;
    const auto file = dir / "p.qd6";
    test::writeBytes(file, OldBytes);
    ASSERT_TRUE(::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
    // Everyone may write, unlike a file made anew (wine keeps this much of an ACL).
    PSECURITY_DESCRIPTOR open = nullptr;
    ASSERT_TRUE(::ConvertStringSecurityDescriptorToSecurityDescriptorW(
        L"D:P(A;;FA;;;WD)", SDDL_REVISION_1, &open, nullptr));
    ASSERT_TRUE(::SetFileSecurityW(file.c_str(), DACL_SECURITY_INFORMATION, open));
    ::LocalFree(open);
    const std::wstring dacl = daclOf(file);
    ASSERT_EQ(WriteFileSafely(file, NewBytes.size(), writing(NewBytes)), 0);
    EXPECT_EQ(daclOf(file), dacl);
    EXPECT_EQ(test::readBytes(file), NewBytes); // byte for byte: binary, no text mode
    EXPECT_EQ(::GetFileAttributesW(file.c_str()) & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE),
              DWORD(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
    EXPECT_EQ(entriesIn(dir.path()), 1u);

    // A new file is a plain one, not hidden like the temporary file it was.
    const auto fresh = dir / "fresh.qd6";
    ASSERT_EQ(WriteFileSafely(fresh, NewBytes.size(), writing(NewBytes)), 0);
    EXPECT_EQ(test::readBytes(fresh), NewBytes);
    EXPECT_EQ(::GetFileAttributesW(fresh.c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
    EXPECT_EQ(entriesIn(dir.path()), 2u);
}

} // namespace
} // namespace pad
