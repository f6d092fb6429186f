#pragma once
// The X server's keyboard layout: the core keyboard's keymap and state, read
// through the XKB extension and followed through its notify events, so that a
// layout change made while the program runs (setxkbmap, a desktop's layout
// switcher) changes the key names too.

#include "keyboard/capture/KeyLayout.h"
#include "keyboard/layout/XkbKeyLayout.h"

#include <QAbstractNativeEventFilter>

#include <cstdint>
#include <memory>

struct xcb_connection_t;
struct xkb_context;

namespace pad {

class X11KeyLayout : public KeyLayout, public QAbstractNativeEventFilter {
  public:
    // The layout of the X server the application is connected to; null when the
    // application does not run on X11 or the server has no XKB.
    static std::unique_ptr<X11KeyLayout> Create();
    ~X11KeyLayout() override;

    std::string CharacterKeyName(unsigned evdevCode) override;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

  private:
    X11KeyLayout(xcb_connection_t* connection, xkb_context* context, std::uint8_t xkbEvent);
    void SelectEvents();
    void Reload();

    xcb_connection_t* connection_;
    xkb_context* context_;
    std::uint8_t xkbEvent_; // the response type of every XKB event
    std::int32_t deviceId_ = -1;
    bool stale_ = true; // the server's keymap changed since it was read
    std::unique_ptr<XkbKeyLayout> layout_;
};

} // namespace pad
