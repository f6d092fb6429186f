#include "keyboard/layout/X11KeyLayout.h"

#include "keyboard/layout/X11Connection.h"

#include <QGuiApplication>

#include <xcb/xcb.h>
// xcb/xkb.h names a structure field "explicit", a keyword in C++.
#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit
#include <xkbcommon/xkbcommon-x11.h>

namespace pad {
namespace {

constexpr std::uint16_t kXkbEvents = XCB_XKB_EVENT_TYPE_NEW_KEYBOARD_NOTIFY |
                                     XCB_XKB_EVENT_TYPE_MAP_NOTIFY |
                                     XCB_XKB_EVENT_TYPE_STATE_NOTIFY;
constexpr std::uint16_t kMapParts =
    XCB_XKB_MAP_PART_KEY_TYPES | XCB_XKB_MAP_PART_KEY_SYMS | XCB_XKB_MAP_PART_MODIFIER_MAP |
    XCB_XKB_MAP_PART_EXPLICIT_COMPONENTS | XCB_XKB_MAP_PART_KEY_ACTIONS |
    XCB_XKB_MAP_PART_VIRTUAL_MODS | XCB_XKB_MAP_PART_VIRTUAL_MOD_MAP;

// The header every XKB event shares.
struct XkbAnyEvent {
    std::uint8_t responseType;
    std::uint8_t xkbType;
    std::uint16_t sequence;
    xcb_timestamp_t time;
    std::uint8_t deviceId;
};

} // namespace

std::unique_ptr<X11KeyLayout> X11KeyLayout::Create() {
    xcb_connection_t* connection = QtX11Connection();
    if (!connection)
        return nullptr;
    std::uint8_t xkbEvent = 0;
    if (!xkb_x11_setup_xkb_extension(
            connection, XKB_X11_MIN_MAJOR_XKB_VERSION, XKB_X11_MIN_MINOR_XKB_VERSION,
            XKB_X11_SETUP_XKB_EXTENSION_NO_FLAGS, nullptr, nullptr, &xkbEvent, nullptr))
        return nullptr;
    xkb_context* context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
    if (!context)
        return nullptr;
    std::unique_ptr<X11KeyLayout> layout(new X11KeyLayout(connection, context, xkbEvent));
    layout->SelectEvents();
    qGuiApp->installNativeEventFilter(layout.get());
    return layout;
}

X11KeyLayout::X11KeyLayout(xcb_connection_t* connection, xkb_context* context,
                           std::uint8_t xkbEvent)
    : connection_(connection), context_(context), xkbEvent_(xkbEvent) {}

X11KeyLayout::~X11KeyLayout() {
    if (qGuiApp)
        qGuiApp->removeNativeEventFilter(this);
    layout_.reset();
    xkb_context_unref(context_);
}

void X11KeyLayout::SelectEvents() {
    // The XKB notify events reach every client that selects them, whatever has
    // the focus; selecting what the toolkit may have selected already is harmless.
    xcb_xkb_select_events(connection_, XCB_XKB_ID_USE_CORE_KBD, kXkbEvents, 0, kXkbEvents,
                          kMapParts, kMapParts, nullptr);
    xcb_flush(connection_);
}

void X11KeyLayout::Reload() {
    stale_ = false;
    layout_.reset();
    deviceId_ = xkb_x11_get_core_keyboard_device_id(connection_);
    if (deviceId_ < 0)
        return;
    xkb_keymap* keymap = xkb_x11_keymap_new_from_device(context_, connection_, deviceId_,
                                                        XKB_KEYMAP_COMPILE_NO_FLAGS);
    if (!keymap)
        return;
    xkb_state* state = xkb_x11_state_new_from_device(keymap, connection_, deviceId_);
    if (!state) {
        xkb_keymap_unref(keymap);
        return;
    }
    layout_ = std::make_unique<XkbKeyLayout>(keymap, state);
}

std::string X11KeyLayout::CharacterKeyName(unsigned evdevCode) {
    if (stale_)
        Reload();
    return layout_ ? layout_->CharacterKeyName(evdevCode) : std::string();
}

bool X11KeyLayout::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7F) != xkbEvent_)
        return false;
    const auto* xkb = reinterpret_cast<const XkbAnyEvent*>(event);
    if (deviceId_ >= 0 && xkb->deviceId != deviceId_)
        return false;
    switch (xkb->xkbType) {
    case XCB_XKB_NEW_KEYBOARD_NOTIFY:
    case XCB_XKB_MAP_NOTIFY:
        // Read again at the next name: one change brings several notifications.
        stale_ = true;
        break;
    case XCB_XKB_STATE_NOTIFY:
        if (layout_ && !stale_) {
            const auto* s = reinterpret_cast<const xcb_xkb_state_notify_event_t*>(event);
            xkb_state_update_mask(layout_->State(), s->baseMods, s->latchedMods, s->lockedMods,
                                  xkb_layout_index_t(s->baseGroup),
                                  xkb_layout_index_t(s->latchedGroup),
                                  xkb_layout_index_t(s->lockedGroup));
        }
        break;
    default:
        break;
    }
    return false; // the toolkit follows the keymap as well
}

} // namespace pad
