#include "modes/bus/BusContract.h"

#include <QDBusMetaType>

namespace pad {

QDBusArgument& operator<<(QDBusArgument& argument, const BusWindow& window) {
    argument.beginStructure();
    argument << window.appId << window.instance << window.title << window.executable << window.pid;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, BusWindow& window) {
    argument.beginStructure();
    argument >> window.appId >> window.instance >> window.title >> window.executable >> window.pid;
    argument.endStructure();
    return argument;
}

namespace {

constexpr std::size_t MaxReportedBytes = 4096;

std::string Capped(const QString& text) {
    std::string utf8 = text.toStdString();
    if (utf8.size() <= MaxReportedBytes)
        return utf8;
    std::size_t end = MaxReportedBytes;
    while (end > 0 && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80)
        --end; // back to the first byte of the character that would be cut
    utf8.resize(end);
    return utf8;
}

} // namespace

BusWindow ToBusWindow(const WindowInfo& window) {
    return {QString::fromStdString(window.appId), QString::fromStdString(window.instance),
            QString::fromStdString(window.title), QString::fromStdString(window.executable),
            window.pid && *window.pid > 0 && *window.pid <= 0xFFFFFFFF ? uint(*window.pid) : 0};
}

WindowInfo FromBusWindow(const BusWindow& window) {
    WindowInfo info{window.appId.toStdString(), window.instance.toStdString(),
                    window.title.toStdString()};
    if (window.pid != 0)
        info.pid = window.pid;
    info.executable = window.executable.toStdString();
    return info;
}

std::optional<WindowInfo> ReportedWindow(const QString& appId, const QString& instance,
                                         const QString& title, qint64 pid) {
    if (appId.isEmpty() && title.isEmpty())
        return std::nullopt;
    WindowInfo window{Capped(appId), Capped(instance), Capped(title)};
    if (pid > 0)
        window.pid = pid;
    return window;
}

void RegisterBusTypes() {
    qDBusRegisterMetaType<BusWindow>();
    qDBusRegisterMetaType<BusWindowList>();
}

} // namespace pad
