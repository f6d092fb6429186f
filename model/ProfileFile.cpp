#include "model/ProfileFile.h"

#include "common/FileAccess.h"
#include "common/LittleEndian.h"
#include "model/SafeWrite.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace pad {
namespace {

constexpr std::string_view kMagicCurrent = ".QD6";
constexpr std::string_view kMagicOlder = ".QD5";
constexpr std::size_t kMacroCountWord = 4;
constexpr std::size_t kFirstKindWord = 16;

std::uint16_t readWord(const std::uint8_t* in, std::size_t offset) {
    return DecodeFixed16(in + offset);
}

void writeWord(std::uint8_t* out, std::size_t offset, std::uint16_t value) {
    EncodeFixed16(out + offset, value);
}

// A 256-unit text field: the text (at most 255 units), its NUL, zero fill. The
// field must already be zero.
void writeTextField(std::uint8_t* field, std::u16string_view text) {
    const std::size_t units = std::min(text.size(), MaxTextUnits);
    for (std::size_t i = 0; i < units; ++i)
        writeWord(field, 2 * i, text[i]);
}

// The text of a 256-unit field: up to its first NUL, at most 255 units even when the
// field holds no NUL. Units are taken as they are, valid UTF-16 or not.
std::u16string readTextField(const std::uint8_t* field) {
    std::size_t length = 0;
    while (length < MaxTextUnits && readWord(field, 2 * length) != 0)
        ++length;
    std::u16string text(length, u'\0');
    for (std::size_t i = 0; i < length; ++i)
        text[i] = readWord(field, 2 * i);
    return text;
}

void writeAction(std::uint8_t* out, const KeyAction& action) {
    const auto bytes = action.bytes();
    std::copy(bytes.begin(), bytes.end(), out);
}

bool magicIs(const std::uint8_t* header, std::string_view magic) {
    for (std::size_t i = 0; i < magic.size(); ++i)
        if (readWord(header, 2 * i) != std::uint16_t(magic[i]))
            return false;
    return true;
}

std::size_t macroCountToWrite(const Profile& profile) {
    return std::min(profile.macros().count(), MacroList::MaxCount);
}

std::size_t encodedSize(const Profile& profile) {
    return Qd6FixedSize + macroCountToWrite(profile) * MacroFileSize;
}

// The file in writing order. out.take(n) hands out the next n bytes, zeroed.
template <class Sink> void encode(const Profile& profile, Sink& out) {
    const std::size_t count = macroCountToWrite(profile);

    std::uint8_t* header = out.take(ProfileHeaderSize);
    for (std::size_t i = 0; i < kMagicCurrent.size(); ++i)
        writeWord(header, 2 * i, std::uint16_t(kMagicCurrent[i]));
    writeWord(header, 2 * kMacroCountWord, std::uint16_t(count));
    for (int i = 0; i < SlotCount; ++i)
        writeWord(header, 2 * (kFirstKindWord + std::size_t(i)),
                  std::uint16_t(profile.kindAt(i))); // the kind's low 16 bits

    for (int i = 0; i < SlotCount; ++i) {
        std::uint8_t* record = out.take(SlotRecordSize);
        writeAction(record, profile.slotAt(i).action);
        // record[17] is the reserved byte, left zero.
        writeTextField(record + ActionSize + 1, profile.slotAt(i).label);
    }
    for (std::size_t n = 0; n < count; ++n)
        writeTextField(out.take(NameFieldSize), profile.macros().macroAt(n).name);
    for (std::size_t n = 0; n < count; ++n)
        writeAction(out.take(ActionSize), profile.macros().macroAt(n).action);
}

// The decoder's input: next(n) gives the next n bytes, or nullptr when the input
// ends (or fails) first; knownSize() is the whole input's size when known up front.
class SpanSource {
  public:
    explicit SpanSource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    const std::uint8_t* next(std::size_t n) {
        if (bytes_.size() - position_ < n)
            return nullptr;
        position_ += n;
        return bytes_.data() + position_ - n;
    }
    std::optional<std::size_t> knownSize() const { return bytes_.size(); }
    bool failed() const { return false; }

  private:
    std::span<const std::uint8_t> bytes_;
    std::size_t position_ = 0;
};

// Reads a file through a small buffer: the decoder's pieces are at most one slot
// record, so a profile of any size needs no more memory than its decoded form.
class FileSource {
  public:
    explicit FileSource(int fd) : fd_(fd), buffer_(1 << 16) {
        struct stat info {};
        if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode))
            size_ = std::size_t(info.st_size);
    }
    const std::uint8_t* next(std::size_t n) {
        if (end_ - begin_ < n) {
            std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
            end_ -= begin_;
            begin_ = 0;
            while (end_ < n) {
                const ssize_t got = ::read(fd_, buffer_.data() + end_, buffer_.size() - end_);
                if (got < 0 && errno == EINTR)
                    continue;
                if (got <= 0) {
                    error_ = got < 0 ? errno : 0;
                    return nullptr;
                }
                end_ += std::size_t(got);
            }
        }
        begin_ += n;
        return buffer_.data() + begin_ - n;
    }
    std::optional<std::size_t> knownSize() const { return size_; }
    bool failed() const { return error_ != 0; }
    int error() const { return error_; } // errno of a failed read, else 0

  private:
    int fd_;
    std::vector<std::uint8_t> buffer_;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    std::optional<std::size_t> size_;
    int error_ = 0;
};

template <class Source>
FileResult decode(Source& in, Profile& into, std::u16string_view freshLabel,
                  std::string* magicOut) {
    // What a missing piece means: a read error, or a file shorter than it announces.
    const auto cut = [&in] {
        return in.failed() ? FileResult::OpenForReadFailed : FileResult::UnsupportedFile;
    };
    const std::uint8_t* header = in.next(ProfileHeaderSize);
    if (!header)
        return cut();
    const bool current = magicIs(header, kMagicCurrent);
    if (!current && !magicIs(header, kMagicOlder))
        return FileResult::UnsupportedFile;
    const std::size_t count = readWord(header, 2 * kMacroCountWord);
    const std::size_t fixedSize = current ? Qd6FixedSize : Qd5FixedSize;
    if (count > MacroList::MaxCount)
        return FileResult::UnsupportedFile;
    if (in.knownSize() && *in.knownSize() < fixedSize + count * MacroFileSize)
        return FileResult::UnsupportedFile;

    // Built aside and moved in at the end, so a refused file changes nothing.
    Profile loaded;
    loaded.resetToFresh(freshLabel);
    const int keysPerMode = current ? KeysPerMode : Qd5KeysPerMode;
    for (int r = 0; r < ModeCount * keysPerMode; ++r) {
        const int mode = r / keysPerMode;
        const int key = r % keysPerMode;
        loaded.setKind(mode, key, readWord(header, 2 * (kFirstKindWord + std::size_t(r))));
        const std::uint8_t* record = in.next(SlotRecordSize);
        if (!record)
            return cut();
        KeySlot& slot = loaded.slot(mode, key);
        slot.action = KeyAction::fromBytes(record);
        slot.label = readTextField(record + ActionSize + 1);
    }

    MacroList& macros = loaded.macros();
    macros.reserve(count);
    for (std::size_t n = 0; n < count; ++n) {
        const std::uint8_t* name = in.next(NameFieldSize);
        if (!name)
            return cut();
        macros.append({readTextField(name), KeyAction{}});
    }
    for (std::size_t n = 0; n < count; ++n) {
        const std::uint8_t* action = in.next(ActionSize);
        if (!action)
            return cut();
        macros.macroAt(n).action = KeyAction::fromBytes(action);
    }
    loaded.enforceKindInvariant();

    into = std::move(loaded);
    if (magicOut)
        *magicOut = std::string(current ? kMagicCurrent : kMagicOlder);
    return FileResult::Ok;
}

// Writes all of data to fd; 0 or the errno of the failure.
int writeAll(int fd, const std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (n == 0)
            return EIO;
        data += n;
        size -= std::size_t(n);
    }
    return 0;
}

// The encoder's output to a file, through a small buffer, so a profile of any size
// needs no extra memory.
class FileSink {
  public:
    explicit FileSink(int fd) : fd_(fd), buffer_(1 << 16) {}
    std::uint8_t* take(std::size_t n) {
        if (used_ + n > buffer_.size())
            flush();
        std::memset(buffer_.data() + used_, 0, n);
        used_ += n;
        return buffer_.data() + used_ - n;
    }
    // Writes what is left; 0, or the errno of the first failed write.
    int finish() {
        flush();
        return error_;
    }

  private:
    void flush() {
        if (error_ == 0)
            error_ = writeAll(fd_, buffer_.data(), used_);
        used_ = 0;
    }

    int fd_;
    std::vector<std::uint8_t> buffer_;
    std::size_t used_ = 0;
    int error_ = 0;
};

} // namespace

std::vector<std::uint8_t> EncodeProfileFile(const Profile& profile) {
    struct VectorSink {
        std::vector<std::uint8_t> bytes;
        std::uint8_t* take(std::size_t n) {
            bytes.resize(bytes.size() + n, 0);
            return bytes.data() + bytes.size() - n;
        }
    } sink;
    sink.bytes.reserve(encodedSize(profile));
    encode(profile, sink);
    return std::move(sink.bytes);
}

FileResult DecodeProfileFile(std::span<const std::uint8_t> bytes, Profile& into,
                             std::u16string_view freshLabel, std::string* magicOut) {
    SpanSource source(bytes);
    return decode(source, into, freshLabel, magicOut);
}

FileResult SaveProfileFile(const Profile& profile, const std::filesystem::path& path,
                           int* systemError) {
    const int error = WriteFileSafely(path, encodedSize(profile), [&profile](int fd) {
        FileSink sink(fd);
        encode(profile, sink);
        return sink.finish();
    });
    if (systemError)
        *systemError = error;
    return error == 0 ? FileResult::Ok : FileResult::OpenForWriteFailed;
}

FileResult LoadProfileFile(Profile& profile, const std::filesystem::path& path,
                           std::u16string_view freshLabel, std::string* magicOut,
                           int* systemError) {
    const OpenedFile file = OpenRegularFile(path, O_RDONLY);
    if (systemError)
        *systemError = file.error;
    if (file.fd < 0)
        return FileResult::OpenForReadFailed;

    FileSource source(file.fd);
    const FileResult result = decode(source, profile, freshLabel, magicOut);
    ::close(file.fd);
    if (systemError)
        *systemError = source.error();
    return result;
}

} // namespace pad
