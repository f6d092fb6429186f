#pragma once
// The focused window on desktops whose compositor tells it only to code that runs
// inside it: KWin runs a script of ours and GNOME Shell an extension, and each reports
// the focus changes and the open windows to the service's bus interface
// (modes/bus/ModesBus.h), which hands this source what the compositor's own
// connection reports. The source ends when the reporter (the compositor, or the
// running service that a relay follows) leaves the session bus.

#include "modes/focus/FocusSource.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QObject>
#include <QString>
#include <QVariantList>

namespace pad {

class CompositorFocusSource : public QObject, public FocusSource {
    Q_OBJECT
  public:
    // The bus name of the reporter, whose owner alone may report to the service:
    // "org.kde.KWin", "org.gnome.Shell".
    const QString& compositorName() const { return compositorName_; }

    std::optional<WindowInfo> focusedWindow() const override { return focused_; }
    bool focusKnown() const override { return focusKnown_; }
    std::vector<WindowInfo> openWindows() override;

    // What the compositor's connection reports; the executables come from the pids.
    void reportFocus(std::optional<WindowInfo> window);
    void reportWindows(std::vector<WindowInfo> windows);

  protected:
    CompositorFocusSource(QDBusConnection bus, QString compositorName, Events events);
    const Events& events() const { return events_; }
    // A method call to the reporter that waits for its answer without running the
    // event loop, so that no report is handled in between.
    QDBusMessage callCompositor(const QString& path, const QString& interface,
                                const QString& method, const QVariantList& arguments = {});

    QDBusConnection bus_;

  private:
    QString compositorName_;
    Events events_;
    std::optional<WindowInfo> focused_;
    bool focusKnown_ = false;
    std::vector<WindowInfo> windows_;
    QDBusServiceWatcher watcher_;
};

// The text of a failed call's error, for messages.
std::string CallFailure(const QDBusMessage& reply);

} // namespace pad
