#include "texts/LanguageFile.h"

#include "common/FileAccess.h"
#include "common/Utf16.h"
#include "model/Profile.h"
#include "texts/TextEncoding.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <unistd.h>

namespace pad {
namespace {

constexpr std::u16string_view kSection = u"LNG";

bool isBlank(char16_t c) {
    return c == u' ' || c == u'\t';
}

std::u16string_view trim(std::u16string_view s) {
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// The values of section LNG by their keys, case folded; the first occurrence of a key
// wins.
LanguageFile::Entries parseSection(std::u16string_view text) {
    LanguageFile::Entries entries;
    bool inSection = false;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find_first_of(u"\r\n", pos);
        if (end == std::u16string_view::npos)
            end = text.size();
        const std::u16string_view line = trim(text.substr(pos, end - pos));
        pos = end + 1;
        if (end + 1 < text.size() && text[end] == u'\r' && text[end + 1] == u'\n')
            ++pos;

        if (line.empty() || line.front() == u';')
            continue;
        if (line.front() == u'[') {
            const std::size_t close = line.find(u']');
            const auto name = trim(line.substr(
                1, close == std::u16string_view::npos ? std::u16string_view::npos : close - 1));
            inSection = sameMacroName(name, kSection);
            continue;
        }
        if (!inSection)
            continue;
        const std::size_t equals = line.find(u'=');
        if (equals == std::u16string_view::npos)
            continue;
        const auto key = trim(line.substr(0, equals));
        auto value = trim(line.substr(equals + 1));
        if (key.empty())
            continue;
        if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
            value.back() == value.front())
            value = value.substr(1, value.size() - 2);
        value = value.substr(0, value.find(u'\0'));
        entries.try_emplace(foldedName(key), ClampUtf16(value, MaxLanguageTextUnits));
    }
    return entries;
}

const char* codePageFor(int languageId) {
    switch (languageId) {
    case 1028:
    case 3076:
    case 5124:
        return "CP950"; // Big5
    case 2052:
    case 4100:
        return "GB18030";
    case 1041:
        return "CP932"; // Shift-JIS
    case 1042:
        return "CP949"; // Korean
    default:
        return "CP1252";
    }
}

std::u16string decodeText(std::span<const std::uint8_t> bytes) {
    if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE)
        return DecodeUtf16(bytes.subspan(2), false);
    if (bytes.size() >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF)
        return DecodeUtf16(bytes.subspan(2), true);
    if (bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
        if (auto text = DecodeUtf8(bytes.subspan(3)))
            return *text;
        return DecodeCodePage(bytes.subspan(3), "UTF-8"); // damaged UTF-8: keep what is valid
    }
    if (auto text = DecodeUtf8(bytes))
        return *text;
    // Legacy code pages keep ASCII as it is, and INI syntax is ASCII, so the language
    // number can be read from the raw bytes before the text is decoded.
    std::u16string raw(bytes.begin(), bytes.end());
    const auto texts = parseSection(raw);
    const auto zero = texts.find(u"0");
    const int languageId = zero != texts.end() && !zero->second.empty()
                               ? ParseLanguageId(zero->second)
                               : DefaultLanguageId;
    return DecodeCodePage(bytes, codePageFor(languageId));
}

} // namespace

std::optional<LanguageFile> LanguageFile::load(const std::filesystem::path& path,
                                               int* systemError) {
    const OpenedFile opened = OpenRegularFile(path, O_RDONLY);
    std::vector<std::uint8_t> bytes;
    int error = opened.error;
    while (error == 0) {
        std::uint8_t buffer[1 << 16];
        const ssize_t got = ::read(opened.fd, buffer, sizeof buffer);
        if (got == 0)
            break;
        if (got < 0 && errno != EINTR)
            error = errno;
        else if (got > 0 && bytes.size() + std::size_t(got) > MaxLanguageFileBytes)
            error = EFBIG;
        else if (got > 0)
            bytes.insert(bytes.end(), buffer, buffer + got);
    }
    if (opened.fd >= 0)
        ::close(opened.fd);
    if (systemError)
        *systemError = error;
    if (error != 0)
        return std::nullopt;
    return fromBytes(bytes);
}

LanguageFile LanguageFile::fromBytes(std::span<const std::uint8_t> bytes) {
    LanguageFile file;
    file.texts_ = parseSection(decodeText(bytes));
    return file;
}

bool LanguageFile::ReadLanguageText(int n, std::u16string& out) const {
    const std::string digits = std::to_string(n);
    const std::u16string key(digits.begin(), digits.end());
    const auto found = texts_.find(key);
    if (found != texts_.end())
        out = found->second;
    else
        out.clear();
    return !out.empty();
}

int LanguageFile::languageId() const {
    std::u16string text;
    return ReadLanguageText(LanguageIdText.number, text) ? ParseLanguageId(text)
                                                         : DefaultLanguageId;
}

int ParseLanguageId(std::u16string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == u' ' || (text[i] >= u'\t' && text[i] <= u'\r')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        negative = text[i++] == u'-';
    long long value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i)
        value = std::min<long long>(value * 10 + (text[i] - u'0'), INT_MAX + 1LL);
    value = negative ? -value : value;
    return int(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

LanguageFontRow FontRowFor(int languageId) {
    switch (languageId) {
    case 1028:
    case 3076:
    case 4100:
    case 5124:
        return {u"\u65B0\u7D30\u660E\u9AD4", 136, 10}; // "PMingLiU", Big5 B7 73 B2 D3 A9 FA C5 E9
    case 1041:
        return {u"MS PGothic", 128, 9};
    case 1042:
        return {u"Dotum", 129, 9};
    case 2052:
        return {u"SimSun-18030", 134, 9};
    default:
        return {u"Arial", 1, 8};
    }
}

} // namespace pad
