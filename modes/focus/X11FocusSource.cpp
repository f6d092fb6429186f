#include "modes/focus/X11FocusSource.h"

#include "common/Utf16.h"
#include "modes/focus/ProcessInfo.h"

#include <QMetaObject>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits.h>
#include <span>
#include <unistd.h>

#include <xcb/xcb.h>

namespace pad {
namespace {

// Titles and classes are read up to the size of a window text (in 32-bit units, as X
// counts); what is left beyond is known from the reply.
constexpr std::uint32_t MaxPropertyUnits = MaxWindowTextBytes / 4;

template <typename Reply> struct Freed {
    Reply* reply;
    ~Freed() { std::free(reply); }
    Reply* operator->() const { return reply; }
    explicit operator bool() const { return reply != nullptr; }
};

xcb_get_property_cookie_t AskProperty(xcb_connection_t* c, xcb_window_t window, xcb_atom_t name,
                                      xcb_atom_t type, std::uint32_t units = MaxPropertyUnits) {
    return xcb_get_property(c, 0, window, name, type, 0, units);
}

// The property's bytes, or nullopt when the window lacks it (or has gone); cut is set
// when the property holds more than was asked for.
std::optional<std::string> PropertyBytes(xcb_connection_t* c, xcb_get_property_cookie_t cookie,
                                         xcb_atom_t* type = nullptr, bool* cut = nullptr) {
    Freed<xcb_get_property_reply_t> reply{xcb_get_property_reply(c, cookie, nullptr)};
    if (!reply || reply->type == XCB_NONE)
        return std::nullopt;
    if (type)
        *type = reply->type;
    if (cut)
        *cut = reply->bytes_after > 0;
    const auto* data = static_cast<const char*>(xcb_get_property_value(reply.reply));
    const int length = xcb_get_property_value_length(reply.reply);
    return std::string(data, std::size_t(std::max(length, 0)));
}

std::vector<std::uint32_t> PropertyWords(xcb_connection_t* c, xcb_get_property_cookie_t cookie) {
    Freed<xcb_get_property_reply_t> reply{xcb_get_property_reply(c, cookie, nullptr)};
    if (!reply || reply->format != 32)
        return {};
    const auto* words = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.reply));
    return {words, words + xcb_get_property_value_length(reply.reply) / 4};
}

// Text of a STRING property is Latin-1, but many programs put UTF-8 there: bytes
// that are valid UTF-8 are taken as such.
std::string LatinOrUtf8Text(std::string_view text) {
    const std::span bytes(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    if (DecodeUtf8(bytes))
        return std::string(text);
    std::string utf8;
    for (const unsigned char c : text) {
        if (c < 0x80) {
            utf8 += char(c);
        } else {
            utf8 += char(0xC0 | (c >> 6));
            utf8 += char(0x80 | (c & 0x3F));
        }
    }
    return utf8;
}

// A text property without the NUL bytes that end it.
std::string TrimmedText(std::string text) {
    while (!text.empty() && text.back() == '\0')
        text.pop_back();
    return text;
}

// Drops the part of a UTF-8 character that a cut left at the end of text.
void DropCutCharacter(std::string& text) {
    std::size_t start = text.size();
    while (start > 0 && text.size() - start < 3 && (std::uint8_t(text[start - 1]) & 0xC0) == 0x80)
        --start;
    if (start == 0)
        return;
    const std::uint8_t lead = std::uint8_t(text[start - 1]);
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    if (text.size() - (start - 1) < length)
        text.resize(start - 1);
}

std::string DisplayName() {
    const char* display = std::getenv("DISPLAY");
    return display && *display ? display : "(DISPLAY not set)";
}

} // namespace

std::unique_ptr<X11FocusSource> X11FocusSource::connect(Events events, std::string& failure) {
    int screenNumber = 0;
    xcb_connection_t* c = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(c)) {
        xcb_disconnect(c);
        failure = "cannot open the X display " + DisplayName();
        return nullptr;
    }
    auto screens = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; i < screenNumber && screens.rem > 0; ++i)
        xcb_screen_next(&screens);
    const xcb_window_t root = screens.data->root;

    const char* names[] = {"_NET_ACTIVE_WINDOW", "_NET_CLIENT_LIST", "_NET_SUPPORTED",
                           "_NET_WM_NAME",       "UTF8_STRING",      "_NET_WM_PID"};
    xcb_intern_atom_cookie_t cookies[std::size(names)];
    for (std::size_t i = 0; i < std::size(names); ++i)
        cookies[i] = xcb_intern_atom(c, 0, std::uint16_t(std::strlen(names[i])), names[i]);
    xcb_atom_t atoms[std::size(names)] = {};
    for (std::size_t i = 0; i < std::size(names); ++i) {
        Freed<xcb_intern_atom_reply_t> reply{xcb_intern_atom_reply(c, cookies[i], nullptr)};
        atoms[i] = reply ? reply->atom : XCB_NONE;
    }
    const Atoms named{atoms[0], atoms[1], atoms[2], XCB_ATOM_WM_NAME,
                      atoms[3], atoms[4], atoms[5], XCB_ATOM_WM_CLIENT_MACHINE};

    // The window manager lists _NET_ACTIVE_WINDOW among what it supports, or has set it.
    const auto supported =
        PropertyWords(c, AskProperty(c, root, named.supported, XCB_ATOM_ATOM, 4096));
    const bool announced =
        std::find(supported.begin(), supported.end(), named.activeWindow) != supported.end();
    if (!announced &&
        !PropertyBytes(c, AskProperty(c, root, named.activeWindow, XCB_ATOM_WINDOW, 1))) {
        xcb_disconnect(c);
        failure = "the window manager of X display " + DisplayName() +
                  " does not tell which window is active (_NET_ACTIVE_WINDOW); window managers "
                  "that follow the EWMH standard do (KWin, Mutter, Xfwm, Openbox, i3 ...)";
        return nullptr;
    }
    return std::unique_ptr<X11FocusSource>(new X11FocusSource(c, root, named, std::move(events)));
}

X11FocusSource::X11FocusSource(xcb_connection_t* connection, std::uint32_t root, const Atoms& atoms,
                               Events events)
    : connection_(connection), root_(root), atoms_(atoms), events_(std::move(events)) {
    char host[HOST_NAME_MAX + 1] = {};
    if (gethostname(host, sizeof host - 1) == 0)
        hostName_ = host;
    watchProperties(root_, true);
    refresh(false);
    notifier_ = std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(connection_),
                                                  QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, this,
                     &X11FocusSource::readEvents);
    readQueuedEventsLater();
}

X11FocusSource::~X11FocusSource() {
    notifier_.reset();
    xcb_disconnect(connection_);
}

std::string X11FocusSource::description() const {
    return "X11 (display " + DisplayName() + ")";
}

void X11FocusSource::watchProperties(std::uint32_t window, bool on) {
    const std::uint32_t mask = on ? XCB_EVENT_MASK_PROPERTY_CHANGE : XCB_EVENT_MASK_NO_EVENT;
    // A window that has gone answers with an error event, which readEvents drops.
    xcb_change_window_attributes(connection_, window, XCB_CW_EVENT_MASK, &mask);
}

std::uint32_t X11FocusSource::activeWindow() {
    const auto words = PropertyWords(
        connection_, AskProperty(connection_, root_, atoms_.activeWindow, XCB_ATOM_WINDOW, 1));
    return words.empty() ? XCB_NONE : words.front();
}

WindowInfo X11FocusSource::windowInfo(std::uint32_t window) {
    xcb_connection_t* c = connection_;
    const auto wmClass = AskProperty(c, window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING);
    const auto netName = AskProperty(c, window, atoms_.netWmName, XCB_GET_PROPERTY_TYPE_ANY);
    const auto name = AskProperty(c, window, atoms_.wmName, XCB_GET_PROPERTY_TYPE_ANY);
    const auto pid = AskProperty(c, window, atoms_.netWmPid, XCB_ATOM_CARDINAL, 1);
    const auto machine = AskProperty(c, window, atoms_.clientMachine, XCB_ATOM_STRING);

    WindowInfo info;
    // WM_CLASS is "instance\0class\0".
    const std::string classes = PropertyBytes(c, wmClass).value_or("");
    const std::size_t split = classes.find('\0');
    info.instance = classes.substr(0, split);
    if (split != std::string::npos)
        info.appId = TrimmedText(classes.substr(split + 1));
    // _NET_WM_NAME is UTF-8 text and WM_NAME Latin-1, unless their types say otherwise.
    // A text cut on the server's side loses the part of a character left at its end.
    auto text = [&](xcb_get_property_cookie_t cookie) -> std::optional<std::string> {
        xcb_atom_t type = XCB_NONE;
        bool cut = false;
        const auto bytes = PropertyBytes(c, cookie, &type, &cut);
        if (!bytes)
            return std::nullopt;
        std::string utf8 =
            type == atoms_.utf8String ? TrimmedText(*bytes) : LatinOrUtf8Text(TrimmedText(*bytes));
        if (cut)
            DropCutCharacter(utf8);
        // Latin-1 text grows as UTF-8.
        info.titleCut = CutWindowText(utf8) || cut;
        return utf8;
    };
    if (const auto title = text(netName)) {
        info.title = *title;
        xcb_discard_reply(c, name.sequence);
    } else {
        info.title = text(name).value_or("");
    }
    const auto pids = PropertyWords(c, pid);
    // A pid names a process of this machine only.
    const auto host = PropertyBytes(c, machine);
    if (!pids.empty() && pids.front() != 0 && (!host || TrimmedText(*host) == hostName_)) {
        info.pid = pids.front();
        AddExecutable(info);
    }
    return info;
}

void X11FocusSource::refresh(bool report) {
    const std::uint32_t active = activeWindow();
    if (active != watched_) {
        if (watched_ != XCB_NONE && watched_ != root_)
            watchProperties(watched_, false);
        // Watch before reading, so that no change between the two goes unseen.
        if (active != XCB_NONE && active != root_)
            watchProperties(active, true);
        watched_ = active;
    }
    std::optional<WindowInfo> now;
    if (active != XCB_NONE)
        now = windowInfo(active);
    if (now != focused_) {
        focused_ = now;
        if (report && events_.focusChanged)
            events_.focusChanged(focused_);
    }
}

void X11FocusSource::readEvents() {
    bool changed = false;
    for (;;) {
        xcb_generic_event_t* event = xcb_poll_for_event(connection_);
        if (!event) {
            if (!changed)
                break;
            // Reading the window's facts may queue more events: look again after it.
            changed = false;
            refresh(true);
            continue;
        }
        if ((event->response_type & 0x7F) == XCB_PROPERTY_NOTIFY) {
            const auto* property = reinterpret_cast<xcb_property_notify_event_t*>(event);
            if (property->window == root_)
                changed |= property->atom == atoms_.activeWindow;
            else if (property->window == watched_)
                changed |= property->atom == XCB_ATOM_WM_CLASS ||
                           property->atom == atoms_.netWmName || property->atom == atoms_.wmName ||
                           property->atom == atoms_.netWmPid;
        }
        std::free(event);
    }
    xcb_flush(connection_);
    if (xcb_connection_has_error(connection_) && notifier_->isEnabled()) {
        notifier_->setEnabled(false);
        if (events_.ended)
            events_.ended("the X server closed the connection");
    }
}

void X11FocusSource::readQueuedEventsLater() {
    QMetaObject::invokeMethod(this, &X11FocusSource::readEvents, Qt::QueuedConnection);
}

std::vector<WindowInfo> X11FocusSource::openWindows() {
    std::vector<WindowInfo> windows;
    const auto list = PropertyWords(
        connection_, AskProperty(connection_, root_, atoms_.clientList, XCB_ATOM_WINDOW, 65536));
    for (const std::uint32_t window : list)
        windows.push_back(windowInfo(window));
    readQueuedEventsLater();
    return windows;
}

} // namespace pad
