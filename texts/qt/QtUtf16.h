#pragma once
// QString to and from the std::u16string text of the Qt-free code: both are UTF-16,
// so the units are copied as they are.

#include <QString>

#include <string>
#include <string_view>

namespace pad {

inline std::u16string ToU16(const QString& s) {
    return std::u16string(reinterpret_cast<const char16_t*>(s.utf16()), std::size_t(s.size()));
}

inline QString FromU16(std::u16string_view s) {
    return QString::fromUtf16(s.data(), qsizetype(s.size()));
}

} // namespace pad
