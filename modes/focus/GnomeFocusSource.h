#pragma once
// The focused window on GNOME's Wayland session: GNOME Shell runs PadConfig's
// extension (padconfig@padconfig.org), which reports each focus change and the open
// windows to the service's bus interface. The service asks the shell about the
// extension at start and follows its state, so that it can say how to enable it.

#include "modes/focus/CompositorFocusSource.h"
#include "modes/focus/GnomeExtensionState.h"

#include <QVariantMap>

#include <memory>

namespace pad {

class GnomeFocusSource : public CompositorFocusSource {
    Q_OBJECT
  public:
    static constexpr const char* BusName = "org.gnome.Shell";

    // nullptr, with the reason in failure, when the shell does not know the extension:
    // only a new login brings in an extension installed since.
    static std::unique_ptr<GnomeFocusSource> connect(QDBusConnection bus, Events events,
                                                     std::string& failure);

    std::string description() const override { return "GNOME Shell on Wayland"; }
    std::string hint() const override { return GnomeExtensionHint(extension_); }

  private:
    using CompositorFocusSource::CompositorFocusSource;
    // Asks the shell about the extension; the failure, or empty.
    std::string readExtension();
  private slots:
    void extensionStateChanged(const QString& uuid, const QVariantMap& info);

  private:
    GnomeExtensionState extension_;
};

} // namespace pad
