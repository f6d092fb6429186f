#include "profile/ProfileFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace pad {
namespace {

constexpr std::string_view kMagicCurrent = ".QD6";
constexpr std::string_view kMagicOlder = ".QD5";
constexpr std::size_t kMacroCountWord = 4;
constexpr std::size_t kFirstKindWord = 16;

std::uint16_t readWord(std::span<const std::uint8_t> bytes, std::size_t offset) {
    return std::uint16_t(bytes[offset] | (bytes[offset + 1] << 8));
}

void writeWord(std::vector<std::uint8_t>& out, std::size_t offset, std::uint16_t value) {
    out[offset] = std::uint8_t(value & 0xFF);
    out[offset + 1] = std::uint8_t(value >> 8);
}

// A 256-unit text field: the text (at most 255 units), its NUL, zero fill.
void writeTextField(std::vector<std::uint8_t>& out, std::size_t offset, std::u16string_view text) {
    const std::size_t units = std::min(text.size(), MaxTextUnits);
    for (std::size_t i = 0; i < units; ++i)
        writeWord(out, offset + 2 * i, text[i]);
}

// The text of a 256-unit field: up to its first NUL, at most 255 units even when the
// field holds no NUL. Units are taken as they are, valid UTF-16 or not.
std::u16string readTextField(std::span<const std::uint8_t> bytes, std::size_t offset) {
    std::u16string text;
    for (std::size_t i = 0; i < MaxTextUnits; ++i) {
        const char16_t unit = readWord(bytes, offset + 2 * i);
        if (unit == 0)
            break;
        text.push_back(unit);
    }
    return text;
}

void writeAction(std::vector<std::uint8_t>& out, std::size_t offset, const KeyAction& action) {
    const auto bytes = action.bytes();
    std::copy(bytes.begin(), bytes.end(), out.begin() + std::ptrdiff_t(offset));
}

bool magicIs(std::span<const std::uint8_t> bytes, std::string_view magic) {
    for (std::size_t i = 0; i < magic.size(); ++i)
        if (readWord(bytes, 2 * i) != std::uint16_t(magic[i]))
            return false;
    return true;
}

void readSlotRecord(std::span<const std::uint8_t> bytes, std::size_t offset, KeySlot& slot) {
    slot.action = KeyAction::fromBytes(bytes.data() + offset);
    slot.label = readTextField(bytes, offset + ActionSize + 1);
}

// Writes all of data to fd; false on any error.
bool writeAll(int fd, const std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= std::size_t(n);
    }
    return true;
}

// Opens a new file beside target, named after it, with the usual permissions
// (0666 less the umask). Returns -1 when no such file can be created.
int createTempBeside(const std::filesystem::path& target, std::filesystem::path& tempPath) {
    std::filesystem::path folder = target.parent_path();
    if (folder.empty())
        folder = ".";
    std::random_device seed;
    std::mt19937 random(seed());
    for (int attempt = 0; attempt < 16; ++attempt) {
        tempPath = folder /
                   ("." + target.filename().string() + ".tmp" + std::to_string(random() % 1000000));
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

} // namespace

std::u16string builtinText(FileResult result) {
    switch (result) {
    case FileResult::Ok:
        return {};
    case FileResult::OpenForWriteFailed:
        return u"File open for write failed";
    case FileResult::OpenForReadFailed:
        return u"File open for read failed";
    case FileResult::UnsupportedFile:
        return u"Unsupported file";
    }
    return {};
}

int languageTextNumber(FileResult result) {
    switch (result) {
    case FileResult::Ok:
        return 0;
    case FileResult::OpenForWriteFailed:
        return 50;
    case FileResult::OpenForReadFailed:
        return 51;
    case FileResult::UnsupportedFile:
        return 52;
    }
    return 0;
}

std::vector<std::uint8_t> EncodeProfileFile(const Profile& profile) {
    const MacroList& macros = profile.macros();
    const std::size_t count = std::min(macros.count(), MacroList::MaxCount);
    std::vector<std::uint8_t> out(Qd6FixedSize + count * MacroFileSize, 0);

    for (std::size_t i = 0; i < kMagicCurrent.size(); ++i)
        writeWord(out, 2 * i, std::uint16_t(kMagicCurrent[i]));
    writeWord(out, 2 * kMacroCountWord, std::uint16_t(count));
    for (int i = 0; i < SlotCount; ++i)
        writeWord(out, 2 * (kFirstKindWord + std::size_t(i)),
                  std::uint16_t(std::uint32_t(profile.kindAt(i)) & 0xFFFF));

    for (int i = 0; i < SlotCount; ++i) {
        const std::size_t offset = ProfileHeaderSize + std::size_t(i) * SlotRecordSize;
        const KeySlot& slot = profile.slotAt(i);
        writeAction(out, offset, slot.action);
        // out[offset + 17] is the reserved byte, already zero.
        writeTextField(out, offset + ActionSize + 1, slot.label);
    }

    const std::size_t actionsOffset = Qd6FixedSize + count * NameFieldSize;
    for (std::size_t n = 0; n < count; ++n) {
        const MacroRecord& macro = macros.macroAt(n);
        writeTextField(out, Qd6FixedSize + n * NameFieldSize, macro.name);
        writeAction(out, actionsOffset + n * ActionSize, macro.action);
    }
    return out;
}

FileResult DecodeProfileFile(std::span<const std::uint8_t> bytes, Profile& into,
                             std::u16string_view freshLabel, std::string* magicOut) {
    if (bytes.size() < ProfileHeaderSize)
        return FileResult::UnsupportedFile;
    const bool current = magicIs(bytes, kMagicCurrent);
    if (!current && !magicIs(bytes, kMagicOlder))
        return FileResult::UnsupportedFile;

    const std::size_t count = readWord(bytes, 2 * kMacroCountWord);
    const std::size_t fixedSize = current ? Qd6FixedSize : Qd5FixedSize;
    if (bytes.size() < fixedSize + count * MacroFileSize)
        return FileResult::UnsupportedFile;
    if (count > MacroList::MaxCount)
        return FileResult::UnsupportedFile;

    // Built aside and moved in at the end, so a refused file changes nothing.
    Profile loaded;
    loaded.resetToFresh(freshLabel);
    const int keysPerMode = current ? KeysPerMode : Qd5KeysPerMode;
    for (int record = 0; record < ModeCount * keysPerMode; ++record) {
        const int mode = record / keysPerMode;
        const int key = record % keysPerMode;
        loaded.setKind(mode, key, readWord(bytes, 2 * (kFirstKindWord + std::size_t(record))));
        readSlotRecord(bytes, ProfileHeaderSize + std::size_t(record) * SlotRecordSize,
                       loaded.slot(mode, key));
    }

    const std::size_t actionsOffset = fixedSize + count * NameFieldSize;
    for (std::size_t n = 0; n < count; ++n) {
        MacroRecord macro;
        macro.name = readTextField(bytes, fixedSize + n * NameFieldSize);
        macro.action = KeyAction::fromBytes(bytes.data() + actionsOffset + n * ActionSize);
        loaded.macros().append(std::move(macro));
    }
    loaded.enforceKindInvariant();

    into = std::move(loaded);
    if (magicOut)
        *magicOut = std::string(current ? kMagicCurrent : kMagicOlder);
    return FileResult::Ok;
}

FileResult SaveProfileFile(const Profile& profile, const std::filesystem::path& path) {
    const std::vector<std::uint8_t> bytes = EncodeProfileFile(profile);

    // Saving through a symbolic link replaces the file it points to, not the link.
    std::error_code error;
    std::filesystem::path target = path;
    if (std::filesystem::is_symlink(path, error)) {
        target = std::filesystem::weakly_canonical(path, error);
        if (error)
            return FileResult::OpenForWriteFailed;
    }

    std::filesystem::path tempPath;
    const int fd = createTempBeside(target, tempPath);
    if (fd < 0)
        return FileResult::OpenForWriteFailed;

    bool ok = writeAll(fd, bytes.data(), bytes.size());
    struct stat existing {};
    if (ok && ::stat(target.c_str(), &existing) == 0)
        ok = ::fchmod(fd, existing.st_mode & 07777) == 0;
    ok = ok && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    ok = ok && ::rename(tempPath.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(tempPath.c_str());
        return FileResult::OpenForWriteFailed;
    }

    // Make the rename itself durable; a failure here no longer risks the data.
    std::filesystem::path folder = target.parent_path();
    const int dirFd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return FileResult::Ok;
}

FileResult LoadProfileFile(Profile& profile, const std::filesystem::path& path,
                           std::u16string_view freshLabel, std::string* magicOut) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return FileResult::OpenForReadFailed;

    // Nothing past the largest possible profile file matters, so reading stops there.
    std::vector<std::uint8_t> bytes;
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode))
        bytes.reserve(std::min(std::size_t(info.st_size), MaxProfileFileSize));
    std::uint8_t buffer[65536];
    bool ok = true;
    while (bytes.size() < MaxProfileFileSize) {
        const std::size_t want = std::min(sizeof buffer, MaxProfileFileSize - bytes.size());
        const ssize_t n = ::read(fd, buffer, want);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            ok = false; // also a folder, which opens but cannot be read
            break;
        }
        if (n == 0)
            break;
        bytes.insert(bytes.end(), buffer, buffer + n);
    }
    ::close(fd);
    if (!ok)
        return FileResult::OpenForReadFailed;
    return DecodeProfileFile(bytes, profile, freshLabel, magicOut);
}

} // namespace pad
