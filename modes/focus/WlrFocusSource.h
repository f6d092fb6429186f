#pragma once
// The focused window on a wlroots compositor (sway, Hyprland, river, labwc, Wayfire):
// the zwlr_foreign_toplevel_manager_v1 protocol tells of every toplevel window its app
// id, its title and whether it is activated. Windows that run through XWayland show
// up there too, with their X11 class as app id. The protocol does not tell the
// process, so the executable stays unknown. Events are read from the Wayland
// connection when its socket has data.
//
// A compositor that cannot send an event (an X11 window's title longer than a Wayland
// message, about 4 KB) stops telling this client anything, without closing the
// connection, until the client sends a request. So the source asks whether the
// compositor still answers after every batch of events that left a new window
// undescribed, and, where X11 programs run through XWayland, every few seconds: a
// compositor in that state closes the connection then, and the source ends.

#include "modes/focus/FocusSource.h"

#include <QObject>
#include <QSocketNotifier>
#include <QTimer>

#include <cstdint>
#include <memory>

struct wl_callback;
struct wl_display;
struct wl_registry;
struct zwlr_foreign_toplevel_manager_v1;
struct zwlr_foreign_toplevel_handle_v1;

namespace pad {

class WlrFocusSource : public QObject, public FocusSource {
    Q_OBJECT
  public:
    enum class Failure {
        NoConnection, // WAYLAND_DISPLAY names no compositor that answers
        NoProtocol,   // the compositor does not offer the protocol
        Broken,       // the compositor ended the connection while telling of its windows
    };
    // Connects to the compositor that WAYLAND_DISPLAY names; nullptr and the reason
    // when it cannot follow the focus there.
    static std::unique_ptr<WlrFocusSource> connect(Events events, Failure& failure);
    ~WlrFocusSource() override;

    std::string description() const override;
    std::optional<WindowInfo> focusedWindow() const override { return focused_; }
    std::vector<WindowInfo> openWindows() override;

    // A window as the compositor describes it: each change arrives piece by piece
    // and holds from the "done" that follows.
    struct Toplevel {
        WlrFocusSource* source;
        zwlr_foreign_toplevel_handle_v1* handle;
        WindowInfo pending, current;
        bool pendingActivated = false, activated = false, described = false;
        std::uint64_t activatedAt = 0; // the latest activation wins when several are
    };
    // Called by the protocol's listeners.
    void addToplevel(zwlr_foreign_toplevel_handle_v1* handle);
    void describe(Toplevel& toplevel);
    void removeToplevel(Toplevel& toplevel);
    void bindManager(wl_registry* registry, std::uint32_t name, std::uint32_t version);
    void finish(const std::string& why);
    void aliveAnswered() { aliveCheck_ = nullptr; }

  private:
    explicit WlrFocusSource(wl_display* display);
    void readEvents();
    // Sends a sync request, unless one is on its way.
    void askAlive();
    std::optional<WindowInfo> currentFocus() const;
    void reportFocus();

    wl_display* display_;
    wl_registry* registry_ = nullptr;
    zwlr_foreign_toplevel_manager_v1* manager_ = nullptr;
    std::vector<std::unique_ptr<Toplevel>> toplevels_;
    std::uint64_t activations_ = 0;
    std::optional<WindowInfo> focused_;
    Events events_;
    std::unique_ptr<QSocketNotifier> notifier_;
    wl_callback* aliveCheck_ = nullptr;
    QTimer aliveTimer_;
    bool ended_ = false;
};

} // namespace pad
