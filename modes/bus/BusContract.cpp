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

std::string Capped(const QString& text, bool* cut = nullptr) {
    std::string utf8 = text.toStdString();
    const bool wasCut = CutWindowText(utf8);
    if (cut)
        *cut = wasCut;
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
    WindowInfo window{Capped(appId), Capped(instance)};
    window.title = Capped(title, &window.titleCut);
    if (pid > 0)
        window.pid = pid;
    return window;
}

void RegisterBusTypes() {
    qDBusRegisterMetaType<BusWindow>();
    qDBusRegisterMetaType<BusWindowList>();
}

} // namespace pad
