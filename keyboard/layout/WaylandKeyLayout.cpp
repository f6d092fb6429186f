#include "keyboard/layout/WaylandKeyLayout.h"

#include <poll.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

#include <wayland-client.h>
#include <xkbcommon/xkbcommon.h>

namespace pad {
namespace {

WaylandKeyLayout* self(void* data) {
    return static_cast<WaylandKeyLayout*>(data);
}

const wl_registry_listener kRegistryListener = {
    [](void* data, wl_registry* registry, std::uint32_t name, const char* interface,
       std::uint32_t version) { self(data)->OnGlobal(registry, name, interface, version); },
    [](void*, wl_registry*, std::uint32_t) {},
};

const wl_seat_listener kSeatListener = {
    [](void* data, wl_seat*, std::uint32_t capabilities) {
        self(data)->OnCapabilities(capabilities);
    },
    [](void*, wl_seat*, const char*) {},
};

// The connection has no surface, so it never holds the focus: enter, leave and
// key events do not come; keymap and modifiers do.
const wl_keyboard_listener kKeyboardListener = {
    [](void* data, wl_keyboard*, std::uint32_t format, int fd, std::uint32_t size) {
        self(data)->OnKeymap(format, fd, size);
    },
    [](void*, wl_keyboard*, std::uint32_t, wl_surface*, wl_array*) {},
    [](void*, wl_keyboard*, std::uint32_t, wl_surface*) {},
    [](void*, wl_keyboard*, std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t) {},
    [](void* data, wl_keyboard*, std::uint32_t, std::uint32_t depressed, std::uint32_t latched,
       std::uint32_t locked,
       std::uint32_t group) { self(data)->OnModifiers(depressed, latched, locked, group); },
    [](void*, wl_keyboard*, std::int32_t, std::int32_t) {},
};

} // namespace

std::unique_ptr<WaylandKeyLayout> WaylandKeyLayout::Connect() {
    wl_display* display = wl_display_connect(nullptr);
    if (!display)
        return nullptr;
    xkb_context* context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
    if (!context) {
        wl_display_disconnect(display);
        return nullptr;
    }
    std::unique_ptr<WaylandKeyLayout> layout(new WaylandKeyLayout(display, context));
    layout->registry_ = wl_display_get_registry(display);
    wl_registry_add_listener(layout->registry_, &kRegistryListener, layout.get());
    // Three round trips: the globals, the seat's capabilities, the keymap.
    for (int i = 0; i < 3; ++i)
        if (wl_display_roundtrip(display) < 0)
            return nullptr;
    if (!layout->seat_)
        return nullptr;
    return layout;
}

WaylandKeyLayout::WaylandKeyLayout(wl_display* display, xkb_context* context)
    : display_(display), context_(context) {}

WaylandKeyLayout::~WaylandKeyLayout() {
    layout_.reset();
    if (keyboard_)
        wl_keyboard_destroy(keyboard_);
    if (seat_)
        wl_seat_destroy(seat_);
    if (registry_)
        wl_registry_destroy(registry_);
    wl_display_disconnect(display_);
    xkb_context_unref(context_);
}

void WaylandKeyLayout::OnGlobal(wl_registry* registry, std::uint32_t name, const char* interface,
                                std::uint32_t version) {
    if (seat_ || std::strcmp(interface, wl_seat_interface.name) != 0)
        return;
    // Version 5 is the newest whose keyboard events the listeners above cover.
    seat_ = static_cast<wl_seat*>(
        wl_registry_bind(registry, name, &wl_seat_interface, std::min<std::uint32_t>(version, 5)));
    wl_seat_add_listener(seat_, &kSeatListener, this);
}

void WaylandKeyLayout::OnCapabilities(std::uint32_t capabilities) {
    if (keyboard_ || !(capabilities & WL_SEAT_CAPABILITY_KEYBOARD))
        return;
    keyboard_ = wl_seat_get_keyboard(seat_);
    wl_keyboard_add_listener(keyboard_, &kKeyboardListener, this);
}

void WaylandKeyLayout::OnKeymap(std::uint32_t format, int fd, std::uint32_t size) {
    if (format != WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1 || size == 0) {
        close(fd);
        return;
    }
    void* text = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
    close(fd);
    if (text == MAP_FAILED)
        return;
    // The text ends with a NUL inside size.
    const auto* chars = static_cast<const char*>(text);
    xkb_keymap* keymap =
        xkb_keymap_new_from_buffer(context_, chars, strnlen(chars, size), XKB_KEYMAP_FORMAT_TEXT_V1,
                                   XKB_KEYMAP_COMPILE_NO_FLAGS);
    munmap(text, size);
    if (!keymap)
        return;
    xkb_state* state = xkb_state_new(keymap);
    if (!state) {
        xkb_keymap_unref(keymap);
        return;
    }
    layout_ = std::make_unique<XkbKeyLayout>(keymap, state);
}

void WaylandKeyLayout::OnModifiers(std::uint32_t depressed, std::uint32_t latched,
                                   std::uint32_t locked, std::uint32_t group) {
    if (layout_)
        xkb_state_update_mask(layout_->State(), depressed, latched, locked, 0, 0, group);
}

void WaylandKeyLayout::ReadEvents() {
    // Takes in what the compositor sent since the last name, without waiting.
    if (wl_display_get_error(display_) != 0)
        return;
    while (wl_display_prepare_read(display_) != 0)
        if (wl_display_dispatch_pending(display_) < 0)
            return;
    wl_display_flush(display_);
    pollfd p{wl_display_get_fd(display_), POLLIN, 0};
    if (poll(&p, 1, 0) > 0)
        wl_display_read_events(display_);
    else
        wl_display_cancel_read(display_);
    wl_display_dispatch_pending(display_);
}

std::string WaylandKeyLayout::CharacterKeyName(unsigned evdevCode) {
    ReadEvents();
    if (wl_display_get_error(display_) != 0)
        return {};
    return layout_ ? layout_->CharacterKeyName(evdevCode) : std::string();
}

} // namespace pad
