#pragma once
// The focused window on KDE Plasma's Wayland session: the service loads its KWin
// script (share/padconfig/kwin/padconfig-modes.js beside the program's folder) into
// KWin over the session bus, the script reports each activated window and the open
// windows to the service's bus interface, and the service unloads it when it stops.
// Another program that unloads or stops the script ends the source
// (modes/focus/KWinScriptWatch.h), and the service loads it again.

#include "modes/focus/CompositorFocusSource.h"
#include "modes/focus/KWinScriptWatch.h"

#include <memory>

namespace pad {

class KWinFocusSource : public CompositorFocusSource {
    Q_OBJECT
  public:
    static constexpr const char* BusName = "org.kde.KWin";
    // KWin knows the script by this name while it runs.
    static constexpr const char* PluginName = "padconfig-modes";

    // Loads and starts the script; nullptr, with the reason in failure, when KWin
    // cannot run it.
    static std::unique_ptr<KWinFocusSource> connect(QDBusConnection bus, Events events,
                                                    std::string& failure);
    ~KWinFocusSource() override;

    std::string description() const override { return "KDE Plasma (KWin on Wayland)"; }
    std::string notice() const override { return notice_; }

  private:
    using CompositorFocusSource::CompositorFocusSource;
    QDBusMessage callScripting(const QString& method, const QVariantList& arguments);
    bool loaded_ = false;
    std::unique_ptr<KWinScriptWatch> watch_;
    std::string notice_;
};

// Where the service finds its KWin script: share/padconfig/kwin/ beside the folder
// of the running program (bin/), installed and in the build tree alike.
QString KWinScriptPath();

} // namespace pad
