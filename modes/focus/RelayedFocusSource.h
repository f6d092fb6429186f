#pragma once
// The focus as the running mode service announces it. On KDE Plasma and GNOME the
// compositor reports to that service alone, so a second instance (--print beside a
// running service) follows its FocusChanged signal and asks it for the open windows.
// The first focus it knows is the next change.

#include "modes/focus/CompositorFocusSource.h"

#include <memory>

namespace pad {

class RelayedFocusSource : public CompositorFocusSource {
    Q_OBJECT
  public:
    // nullptr, with the reason in failure, when the running service does not answer.
    static std::unique_ptr<RelayedFocusSource> connect(QDBusConnection bus, Events events,
                                                       std::string& failure);

    std::string description() const override;
    std::vector<WindowInfo> openWindows() override;
    // The running service's, as it was when this one started.
    std::string hint() const override { return hint_; }

  private slots:
    void focusAnnounced(const QString& appId, const QString& instance, const QString& title,
                        const QString& executable, uint pid);

  private:
    using CompositorFocusSource::CompositorFocusSource;

    std::string desktop_, hint_;
};

} // namespace pad
