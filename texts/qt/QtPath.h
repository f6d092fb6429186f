#pragma once
// File-system paths between Qt's text and std::filesystem, keeping every name: a Linux
// name's bytes through Qt's file-name encoding, a Windows name's UTF-16 as it stands.

#include <QFile>
#include <QString>

#include <filesystem>
#include <string>
#include <type_traits>

namespace pad {

inline QString QtPathOfNative(const std::string& bytes) {
    return QFile::decodeName(QByteArray::fromStdString(bytes));
}
inline QString QtPathOfNative(const std::wstring& wide) {
    return QString::fromStdWString(wide);
}

inline QString QtPathOf(const std::filesystem::path& path) {
    return QtPathOfNative(path.native());
}

inline std::filesystem::path FileSystemPathOf(const QString& path) {
    if constexpr (std::is_same_v<std::filesystem::path::value_type, wchar_t>)
        return path.toStdWString();
    else
        return QFile::encodeName(path).toStdString();
}

} // namespace pad
