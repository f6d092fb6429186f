#pragma once
// The focused window on desktops whose compositor tells it only to code that runs
// inside it: KWin runs a script of ours and GNOME Shell an extension, and each reports
// the focus changes and the open windows to the service's bus interface
// (modes/ModesBus.h), which hands this source what the compositor's own
// connection reports. The source ends when that connection leaves the session bus.
//
// Which connection is the compositor's is settled once, when the source connects:
// the one that owns the compositor's bus name then, whose process the bus tells, and
// which must be the process that serves the Wayland display, as the kernel tells it.
// Another program that takes the name later (GNOME Shell lets its name be replaced)
// gets nothing: the reports are taken from the connection found at the start, by its
// unique name, which no other program can take.

#include "modes/focus/FocusSource.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QObject>
#include <QString>
#include <QVariantList>

#include <cstdint>
#include <optional>

namespace pad {

class CompositorFocusSource : public QObject, public FocusSource {
    Q_OBJECT
  public:
    // The bus name of the reporter: "org.kde.KWin", "org.gnome.Shell" (or
    // "org.padconfig.Modes" for a relay of the running service).
    const QString& compositorName() const { return compositorName_; }
    // The unique name of the connection whose reports are taken.
    const QString& reporter() const { return reporter_; }

    std::optional<WindowInfo> focusedWindow() const override { return focused_; }
    bool focusKnown() const override { return focusKnown_; }
    std::vector<WindowInfo> openWindows() override;

    // What the compositor's connection reports; the executables come from the pids.
    void reportFocus(std::optional<WindowInfo> window);
    void reportWindows(std::vector<WindowInfo> windows);

  protected:
    CompositorFocusSource(QDBusConnection bus, QString compositorName, Events events);
    const Events& events() const { return events_; }

    // The process whose connection may report: the one with that pid, or with
    // childToo also a child of it (KWin's wrapper serves the display and runs KWin).
    // Without a pid the name's owner is taken as it is.
    struct TrustedProcess {
        std::optional<std::int64_t> pid;
        bool childToo = false;
        std::string what; // for messages: "the Wayland compositor"
    };
    // Takes the connection that owns compositorName now as the reporter when its
    // process is the trusted one; otherwise says why not. Empty once taken.
    std::string bindReporter(const TrustedProcess& trusted);

    // A method call to the reporter that waits for its answer without running the
    // event loop, so that no report is handled in between.
    QDBusMessage callCompositor(const QString& path, const QString& interface,
                                const QString& method, const QVariantList& arguments = {});

    QDBusConnection bus_;

  private:
    QDBusMessage callBus(const QString& method, const QVariantList& arguments);

    QString compositorName_;
    QString reporter_;
    Events events_;
    std::optional<WindowInfo> focused_;
    bool focusKnown_ = false;
    std::vector<WindowInfo> windows_;
    QDBusServiceWatcher watcher_;
};

// The text of a failed call's error, for messages.
std::string CallFailure(const QDBusMessage& reply);

} // namespace pad
