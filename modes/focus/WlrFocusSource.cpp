#include "modes/focus/WlrFocusSource.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include <wayland-client.h>

#include "wlr-foreign-toplevel-management-unstable-v1-client-protocol.h"

namespace pad {
namespace {

using Toplevel = WlrFocusSource::Toplevel;

Toplevel& Of(void* data) {
    return *static_cast<Toplevel*>(data);
}

const zwlr_foreign_toplevel_handle_v1_listener ToplevelListener = {
    .title = [](void* data, zwlr_foreign_toplevel_handle_v1*,
                const char* title) { Of(data).pending.title = title ? title : ""; },
    .app_id = [](void* data, zwlr_foreign_toplevel_handle_v1*,
                 const char* appId) { Of(data).pending.appId = appId ? appId : ""; },
    .output_enter = [](void*, zwlr_foreign_toplevel_handle_v1*, wl_output*) {},
    .output_leave = [](void*, zwlr_foreign_toplevel_handle_v1*, wl_output*) {},
    .state =
        [](void* data, zwlr_foreign_toplevel_handle_v1*, wl_array* states) {
            const auto* first = static_cast<const std::uint32_t*>(states->data);
            const auto* last = first + states->size / sizeof(std::uint32_t);
            Of(data).pendingActivated =
                std::find(first, last, ZWLR_FOREIGN_TOPLEVEL_HANDLE_V1_STATE_ACTIVATED) != last;
        },
    .done = [](void* data,
               zwlr_foreign_toplevel_handle_v1*) { Of(data).source->describe(Of(data)); },
    .closed = [](void* data,
                 zwlr_foreign_toplevel_handle_v1*) { Of(data).source->removeToplevel(Of(data)); },
};

const zwlr_foreign_toplevel_manager_v1_listener ManagerListener = {
    .toplevel =
        [](void* data, zwlr_foreign_toplevel_manager_v1*, zwlr_foreign_toplevel_handle_v1* handle) {
            static_cast<WlrFocusSource*>(data)->addToplevel(handle);
        },
    .finished =
        [](void* data, zwlr_foreign_toplevel_manager_v1*) {
            static_cast<WlrFocusSource*>(data)->finish(
                "the compositor stopped telling of its windows");
        },
};

const wl_callback_listener AliveListener = {
    .done =
        [](void* data, wl_callback* callback, std::uint32_t) {
            wl_callback_destroy(callback);
            static_cast<WlrFocusSource*>(data)->aliveAnswered();
        },
};

// How often the compositor is asked whether it still answers, where XWayland may run.
constexpr int AliveCheckMs = 3000;

const wl_registry_listener RegistryListener = {
    .global =
        [](void* data, wl_registry* registry, std::uint32_t name, const char* interface,
           std::uint32_t version) {
            if (std::strcmp(interface, zwlr_foreign_toplevel_manager_v1_interface.name) == 0)
                static_cast<WlrFocusSource*>(data)->bindManager(registry, name, version);
        },
    .global_remove = [](void*, wl_registry*, std::uint32_t) {},
};

} // namespace

std::unique_ptr<WlrFocusSource> WlrFocusSource::connect(Events events, Failure& failure) {
    wl_display* display = wl_display_connect(nullptr);
    if (!display) {
        failure = Failure::NoConnection;
        return nullptr;
    }
    std::unique_ptr<WlrFocusSource> source(new WlrFocusSource(display));
    source->registry_ = wl_display_get_registry(display);
    wl_registry_add_listener(source->registry_, &RegistryListener, source.get());
    // The globals; then the windows open now, each described up to its "done".
    if (wl_display_roundtrip(display) < 0) {
        failure = Failure::NoConnection;
        return nullptr;
    }
    if (!source->manager_) {
        failure = Failure::NoProtocol;
        return nullptr;
    }
    if (wl_display_roundtrip(display) < 0) {
        failure = Failure::Broken;
        return nullptr;
    }
    source->focused_ = source->currentFocus();
    source->events_ = std::move(events);
    source->notifier_ =
        std::make_unique<QSocketNotifier>(wl_display_get_fd(display), QSocketNotifier::Read);
    QObject::connect(source->notifier_.get(), &QSocketNotifier::activated, source.get(),
                     &WlrFocusSource::readEvents);
    // Only XWayland's windows can carry titles too long for the protocol.
    if (const char* x11 = std::getenv("DISPLAY"); x11 && *x11) {
        QObject::connect(&source->aliveTimer_, &QTimer::timeout, source.get(),
                         &WlrFocusSource::askAlive);
        source->aliveTimer_.start(AliveCheckMs);
    }
    return source;
}

WlrFocusSource::WlrFocusSource(wl_display* display) : display_(display) {}

WlrFocusSource::~WlrFocusSource() {
    notifier_.reset();
    if (aliveCheck_)
        wl_callback_destroy(aliveCheck_);
    for (const auto& toplevel : toplevels_)
        zwlr_foreign_toplevel_handle_v1_destroy(toplevel->handle);
    if (manager_)
        zwlr_foreign_toplevel_manager_v1_destroy(manager_);
    if (registry_)
        wl_registry_destroy(registry_);
    wl_display_disconnect(display_);
}

std::string WlrFocusSource::description() const {
    const char* name = std::getenv("WAYLAND_DISPLAY");
    return std::string("Wayland, wlroots protocol (display ") + (name ? name : "wayland-0") + ")";
}

void WlrFocusSource::bindManager(wl_registry* registry, std::uint32_t name, std::uint32_t version) {
    if (manager_)
        return;
    manager_ = static_cast<zwlr_foreign_toplevel_manager_v1*>(wl_registry_bind(
        registry, name, &zwlr_foreign_toplevel_manager_v1_interface,
        std::min<std::uint32_t>(
            version, std::uint32_t(zwlr_foreign_toplevel_manager_v1_interface.version))));
    zwlr_foreign_toplevel_manager_v1_add_listener(manager_, &ManagerListener, this);
}

void WlrFocusSource::addToplevel(zwlr_foreign_toplevel_handle_v1* handle) {
    auto toplevel = std::make_unique<Toplevel>();
    toplevel->source = this;
    toplevel->handle = handle;
    zwlr_foreign_toplevel_handle_v1_add_listener(handle, &ToplevelListener, toplevel.get());
    toplevels_.push_back(std::move(toplevel));
}

void WlrFocusSource::describe(Toplevel& toplevel) {
    toplevel.current = toplevel.pending;
    if (toplevel.pendingActivated && !toplevel.activated)
        toplevel.activatedAt = ++activations_;
    toplevel.activated = toplevel.pendingActivated;
    toplevel.described = true;
}

void WlrFocusSource::removeToplevel(Toplevel& toplevel) {
    zwlr_foreign_toplevel_handle_v1_destroy(toplevel.handle);
    std::erase_if(toplevels_, [&](const auto& t) { return t.get() == &toplevel; });
}

std::optional<WindowInfo> WlrFocusSource::currentFocus() const {
    const Toplevel* latest = nullptr;
    for (const auto& toplevel : toplevels_)
        if (toplevel->described && toplevel->activated &&
            (!latest || toplevel->activatedAt > latest->activatedAt))
            latest = toplevel.get();
    if (!latest)
        return std::nullopt;
    return latest->current;
}

void WlrFocusSource::reportFocus() {
    auto now = currentFocus();
    if (now == focused_ || ended_)
        return;
    focused_ = std::move(now);
    if (events_.focusChanged)
        events_.focusChanged(focused_);
}

void WlrFocusSource::finish(const std::string& why) {
    if (ended_)
        return;
    ended_ = true;
    if (notifier_)
        notifier_->setEnabled(false);
    aliveTimer_.stop();
    if (events_.ended)
        events_.ended(why);
}

void WlrFocusSource::readEvents() {
    auto lost = [this] { finish("the Wayland compositor closed the connection"); };
    while (wl_display_prepare_read(display_) != 0)
        if (wl_display_dispatch_pending(display_) < 0)
            return lost();
    wl_display_flush(display_);
    // The socket has data (or has closed); the read does not wait.
    if (wl_display_read_events(display_) < 0 || wl_display_dispatch_pending(display_) < 0)
        return lost();
    // All that arrived together is in: a move of the focus from one window to another
    // is one change, not a leave and an enter.
    reportFocus();
    // A window is described in one go; one that is not may have met an event that
    // could not be sent.
    if (std::any_of(toplevels_.begin(), toplevels_.end(),
                    [](const auto& toplevel) { return !toplevel->described; }))
        askAlive();
}

void WlrFocusSource::askAlive() {
    if (aliveCheck_ || ended_)
        return;
    aliveCheck_ = wl_display_sync(display_);
    wl_callback_add_listener(aliveCheck_, &AliveListener, this);
    wl_display_flush(display_);
}

std::vector<WindowInfo> WlrFocusSource::openWindows() {
    std::vector<WindowInfo> windows;
    for (const auto& toplevel : toplevels_)
        if (toplevel->described)
            windows.push_back(toplevel->current);
    return windows;
}

} // namespace pad
