#pragma once
// The Wayland compositor's keyboard layout. The toolkit's own connection does not
// share its keymap, so this opens a connection of its own, binds the first seat
// with a keyboard and keeps the keymap the compositor sends it; a new keymap
// (a layout change) arrives on the same keyboard and is read before each name.

#include "keyboard/capture/KeyLayout.h"
#include "keyboard/layout/XkbKeyLayout.h"

#include <cstdint>
#include <memory>

struct wl_display;
struct wl_registry;
struct wl_seat;
struct wl_keyboard;
struct xkb_context;

namespace pad {

class WaylandKeyLayout : public KeyLayout {
  public:
    // Connects to the compositor of WAYLAND_DISPLAY; null when that fails or it
    // offers no seat.
    static std::unique_ptr<WaylandKeyLayout> Connect();
    ~WaylandKeyLayout() override;
    WaylandKeyLayout(const WaylandKeyLayout&) = delete;
    WaylandKeyLayout& operator=(const WaylandKeyLayout&) = delete;

    std::string CharacterKeyName(unsigned evdevCode) override;

    // Wayland listeners.
    void OnGlobal(wl_registry* registry, std::uint32_t name, const char* interface,
                  std::uint32_t version);
    void OnCapabilities(std::uint32_t capabilities);
    void OnKeymap(std::uint32_t format, int fd, std::uint32_t size);
    void OnModifiers(std::uint32_t depressed, std::uint32_t latched, std::uint32_t locked,
                     std::uint32_t group);

  private:
    WaylandKeyLayout(wl_display* display, xkb_context* context);
    void ReadEvents();

    wl_display* display_;
    xkb_context* context_;
    wl_registry* registry_ = nullptr;
    wl_seat* seat_ = nullptr;
    wl_keyboard* keyboard_ = nullptr;
    std::unique_ptr<XkbKeyLayout> layout_;
};

} // namespace pad
