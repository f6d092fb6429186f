#include "modes/focus/GnomeFocusSource.h"

#include "modes/focus/ProcessInfo.h"

#include <QDBusArgument>
#include <QDBusVariant>

namespace pad {
namespace {

constexpr const char* ShellPath = "/org/gnome/Shell";
constexpr const char* ExtensionsInterface = "org.gnome.Shell.Extensions";

void TakeInfo(GnomeExtensionState& extension, const QVariantMap& info) {
    extension.known = !info.isEmpty();
    extension.state = int(info.value("state").toDouble());
    extension.error = info.value("error").toString().toStdString();
}

} // namespace

std::unique_ptr<GnomeFocusSource> GnomeFocusSource::connect(QDBusConnection bus, Events events,
                                                            std::string& failure) {
    std::unique_ptr<GnomeFocusSource> source(
        new GnomeFocusSource(std::move(bus), BusName, std::move(events)));
    // GNOME Shell lets another program take its name: only the Wayland compositor's own
    // connection is asked and heard.
    failure = source->bindReporter({WaylandCompositorPid(), false, "the Wayland compositor"});
    if (!failure.empty())
        return nullptr;
    source->bus_.connect(source->reporter(), ShellPath, ExtensionsInterface,
                         "ExtensionStateChanged", source.get(),
                         SLOT(extensionStateChanged(QString, QVariantMap)));
    failure = source->readExtension();
    if (failure.empty() && !source->extension_.known)
        failure = source->hint();
    return failure.empty() ? std::move(source) : nullptr;
}

std::string GnomeFocusSource::readExtension() {
    const QDBusMessage info = callCompositor(ShellPath, ExtensionsInterface, "GetExtensionInfo",
                                             {QString(GnomeExtensionUuid)});
    if (info.type() != QDBusMessage::ReplyMessage)
        return std::string("GNOME Shell did not tell of its extension ") + GnomeExtensionUuid +
               " (" + CallFailure(info) + ")";
    TakeInfo(extension_, qdbus_cast<QVariantMap>(info.arguments().value(0)));
    const QDBusMessage enabled =
        callCompositor(ShellPath, "org.freedesktop.DBus.Properties", "Get",
                       {QString(ExtensionsInterface), QString("UserExtensionsEnabled")});
    const QVariant value = enabled.arguments().value(0);
    extension_.userExtensionsEnabled =
        !value.canConvert<QDBusVariant>() || value.value<QDBusVariant>().variant().toBool();
    return {};
}

void GnomeFocusSource::extensionStateChanged(const QString& uuid, const QVariantMap& info) {
    if (uuid != GnomeExtensionUuid)
        return;
    const std::string before = hint();
    TakeInfo(extension_, info);
    if (!extension_.runs())
        readExtension(); // the extensions may have been switched off as a whole
    if (hint() != before && events().followingChanged)
        events().followingChanged();
}

} // namespace pad
