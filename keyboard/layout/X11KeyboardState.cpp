#include "keyboard/layout/X11KeyboardState.h"

#include "keyboard/layout/X11Connection.h"

#include <cstdlib>
#include <memory>

#include <xcb/xcb.h>
// xcb/xkb.h names a structure field "explicit", a keyword in C++.
#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit

namespace pad {
namespace {

// Evdev codes are X keycodes less 8.
constexpr unsigned X11KeycodeOffset = 8;

struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};
template <class T> using Reply = std::unique_ptr<T, FreeReply>;

// Held keys then repeat as presses only; a release is always the key let go.
void AskForDetectableAutoRepeat(xcb_connection_t* connection) {
    const Reply<xcb_xkb_use_extension_reply_t> xkb(
        xcb_xkb_use_extension_reply(connection, xcb_xkb_use_extension(connection, 1, 0), nullptr));
    if (!xkb || !xkb->supported)
        return;
    const std::uint32_t flag = XCB_XKB_PER_CLIENT_FLAG_DETECTABLE_AUTO_REPEAT;
    // Waited for, so that the flag holds before the first key arrives.
    const Reply<xcb_xkb_per_client_flags_reply_t> flags(xcb_xkb_per_client_flags_reply(
        connection,
        xcb_xkb_per_client_flags(connection, XCB_XKB_ID_USE_CORE_KBD, flag, flag, 0, 0, 0),
        nullptr));
}

} // namespace

std::unique_ptr<X11KeyboardState> X11KeyboardState::Create() {
    xcb_connection_t* connection = QtX11Connection();
    if (!connection)
        return nullptr;
    AskForDetectableAutoRepeat(connection);
    return std::unique_ptr<X11KeyboardState>(new X11KeyboardState(connection));
}

std::vector<unsigned> X11KeyboardState::KeysDown() {
    std::vector<unsigned> down;
    const Reply<xcb_query_keymap_reply_t> keymap(
        xcb_query_keymap_reply(connection_, xcb_query_keymap(connection_), nullptr));
    if (!keymap)
        return down;
    for (unsigned keycode = X11KeycodeOffset; keycode < 256; ++keycode)
        if (keymap->keys[keycode / 8] & (1u << (keycode % 8)))
            down.push_back(keycode - X11KeycodeOffset);
    return down;
}

} // namespace pad
