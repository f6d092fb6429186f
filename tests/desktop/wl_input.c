// wl_input: a keyboard and a pointer for tests on a wlroots compositor (sway).
//
// Unlike wtype, which sends every key under a keymap of its own making (each key
// gets the next free keycode, modifiers are only a state), this client sends the
// keys' real evdev codes under the standard "evdev/pc105/us" keymap, and presses
// and releases modifier keys like a physical keyboard does. Programs that read the
// physical key (its scan code) therefore see what they would see from a real
// keyboard, or from xdotool on X11.
//
// Commands, one per line on standard input; each is answered by "ok" or
// "error: ..." on standard output once the compositor has received it:
//   key COMBO...    tap each combo in turn, e.g. "key shift+a Escape ctrl+s";
//                   a combo's keys go down left to right and up right to left
//   text WORD       tap the keys that type WORD (letters, digits, space)
//   hold KEY SECONDS hold one key down that long, then let it go
//   click X Y       move the pointer to layout position X, Y and click button 1
//   move X Y        only move the pointer there
// Key names are X keysym names (a, Return, Escape, Tab, F10, Menu, Up ...) and
// shift, ctrl, alt, super. The keyboard exists from start until standard input ends.

#define _GNU_SOURCE
#include "virtual-keyboard-unstable-v1-client-protocol.h"
#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

#include <ctype.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/mman.h>
#include <time.h>
#include <unistd.h>
#include <wayland-client.h>
#include <xkbcommon/xkbcommon.h>

enum { EvdevOffset = 8, ButtonLeft = 0x110, Extent = 65535 };

struct client {
    struct wl_display* display;
    struct wl_seat* seat;
    struct zwp_virtual_keyboard_manager_v1* keyboardManager;
    struct zwlr_virtual_pointer_manager_v1* pointerManager;
    struct zwp_virtual_keyboard_v1* keyboard;
    struct zwlr_virtual_pointer_v1* pointer;
    struct xkb_keymap* keymap;
    struct xkb_state* state;
    int layoutWidth, layoutHeight;
};

static void global(void* data, struct wl_registry* registry, uint32_t name, const char* interface,
                   uint32_t version) {
    struct client* c = data;
    (void)version;
    if (strcmp(interface, wl_seat_interface.name) == 0 && !c->seat)
        c->seat = wl_registry_bind(registry, name, &wl_seat_interface, 1);
    else if (strcmp(interface, zwp_virtual_keyboard_manager_v1_interface.name) == 0)
        c->keyboardManager =
            wl_registry_bind(registry, name, &zwp_virtual_keyboard_manager_v1_interface, 1);
    else if (strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0)
        c->pointerManager =
            wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1);
}

static void globalRemove(void* data, struct wl_registry* registry, uint32_t name) {
    (void)data, (void)registry, (void)name;
}

static const struct wl_registry_listener registryListener = {global, globalRemove};

static uint32_t now(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (uint32_t)(t.tv_sec * 1000 + t.tv_nsec / 1000000);
}

// Hands the compositor the keymap through a sealed memory file.
static int uploadKeymap(struct client* c) {
    char* text = xkb_keymap_get_as_string(c->keymap, XKB_KEYMAP_FORMAT_TEXT_V1);
    if (!text)
        return -1;
    const size_t size = strlen(text) + 1;
    const int fd = memfd_create("wl_input-keymap", MFD_CLOEXEC);
    int ok = fd >= 0 && write(fd, text, size) == (ssize_t)size;
    free(text);
    if (ok)
        zwp_virtual_keyboard_v1_keymap(c->keyboard, XKB_KEYMAP_FORMAT_TEXT_V1, fd, (uint32_t)size);
    if (fd >= 0)
        close(fd);
    return ok ? 0 : -1;
}

static const char* alias(const char* name) {
    if (strcmp(name, "shift") == 0)
        return "Shift_L";
    if (strcmp(name, "ctrl") == 0)
        return "Control_L";
    if (strcmp(name, "alt") == 0)
        return "Alt_L";
    if (strcmp(name, "super") == 0)
        return "Super_L";
    return name;
}

// The keycode whose first level yields the named keysym, or 0.
static xkb_keycode_t keycodeOf(struct client* c, const char* name) {
    const xkb_keysym_t wanted = xkb_keysym_from_name(alias(name), XKB_KEYSYM_NO_FLAGS);
    if (wanted == XKB_KEY_NoSymbol)
        return 0;
    for (xkb_keycode_t k = xkb_keymap_min_keycode(c->keymap);
         k <= xkb_keymap_max_keycode(c->keymap); ++k) {
        const xkb_keysym_t* syms = NULL;
        const int n = xkb_keymap_key_get_syms_by_level(c->keymap, k, 0, 0, &syms);
        for (int i = 0; i < n; ++i)
            if (syms[i] == wanted)
                return k;
    }
    return 0;
}

static void sendKey(struct client* c, xkb_keycode_t key, int down) {
    zwp_virtual_keyboard_v1_key(c->keyboard, now(), key - EvdevOffset, down ? 1 : 0);
    xkb_state_update_key(c->state, key, down ? XKB_KEY_DOWN : XKB_KEY_UP);
    zwp_virtual_keyboard_v1_modifiers(
        c->keyboard, xkb_state_serialize_mods(c->state, XKB_STATE_MODS_DEPRESSED),
        xkb_state_serialize_mods(c->state, XKB_STATE_MODS_LATCHED),
        xkb_state_serialize_mods(c->state, XKB_STATE_MODS_LOCKED),
        xkb_state_serialize_layout(c->state, XKB_STATE_LAYOUT_EFFECTIVE));
    // A short gap, so that a client sees the events in separate frames as from a hand.
    wl_display_flush(c->display);
    usleep(15000);
}

static const char* tapCombo(struct client* c, char* combo) {
    xkb_keycode_t keys[8];
    int n = 0;
    for (char* part = strtok(combo, "+"); part; part = strtok(NULL, "+")) {
        if (n == 8)
            return "too many keys in one combo";
        if (!(keys[n++] = keycodeOf(c, part)))
            return "unknown key name";
    }
    for (int i = 0; i < n; ++i)
        sendKey(c, keys[i], 1);
    for (int i = n - 1; i >= 0; --i)
        sendKey(c, keys[i], 0);
    return NULL;
}

static const char* typeText(struct client* c, const char* word) {
    for (const char* p = word; *p; ++p) {
        char name[16];
        if (*p == ' ')
            strcpy(name, "space");
        else if (isalnum((unsigned char)*p))
            snprintf(name, sizeof name, isupper((unsigned char)*p) ? "shift+%c" : "%c",
                     tolower((unsigned char)*p));
        else
            return "only letters, digits and spaces can be typed";
        const char* error = tapCombo(c, name);
        if (error)
            return error;
    }
    return NULL;
}

static const char* pointTo(struct client* c, int x, int y, int click) {
    if (!c->pointer)
        return "the compositor offers no virtual pointer";
    if (x < 0 || y < 0 || x >= c->layoutWidth || y >= c->layoutHeight)
        return "position outside the screen";
    zwlr_virtual_pointer_v1_motion_absolute(c->pointer, now(), (uint32_t)x, (uint32_t)y,
                                            (uint32_t)c->layoutWidth, (uint32_t)c->layoutHeight);
    zwlr_virtual_pointer_v1_frame(c->pointer);
    wl_display_flush(c->display);
    usleep(30000);
    if (click) {
        zwlr_virtual_pointer_v1_button(c->pointer, now(), ButtonLeft, 1);
        zwlr_virtual_pointer_v1_frame(c->pointer);
        wl_display_flush(c->display);
        usleep(30000);
        zwlr_virtual_pointer_v1_button(c->pointer, now(), ButtonLeft, 0);
        zwlr_virtual_pointer_v1_frame(c->pointer);
    }
    return NULL;
}

static const char* run(struct client* c, char* line) {
    char* command = strtok(line, " \t\n");
    if (!command)
        return NULL;
    if (strcmp(command, "key") == 0) {
        char* rest = strtok(NULL, "\n");
        char* save = NULL;
        for (char* combo = rest ? strtok_r(rest, " \t", &save) : NULL; combo;
             combo = strtok_r(NULL, " \t", &save)) {
            char copy[128];
            snprintf(copy, sizeof copy, "%s", combo);
            const char* error = tapCombo(c, copy);
            if (error)
                return error;
        }
        return NULL;
    }
    if (strcmp(command, "hold") == 0) {
        const char* name = strtok(NULL, " \t\n");
        const xkb_keycode_t key = name ? keycodeOf(c, name) : 0;
        const char* seconds = strtok(NULL, " \t\n");
        if (!key || !seconds)
            return "expected a key name and seconds";
        sendKey(c, key, 1);
        usleep((useconds_t)(atof(seconds) * 1e6));
        sendKey(c, key, 0);
        return NULL;
    }
    if (strcmp(command, "text") == 0) {
        const char* word = strtok(NULL, "\n");
        return word ? typeText(c, word) : NULL;
    }
    if (strcmp(command, "click") == 0 || strcmp(command, "move") == 0) {
        const char* x = strtok(NULL, " \t\n");
        const char* y = strtok(NULL, " \t\n");
        if (!x || !y)
            return "expected X and Y";
        return pointTo(c, atoi(x), atoi(y), strcmp(command, "click") == 0);
    }
    return "unknown command";
}

int main(int argc, char** argv) {
    struct client c = {0};
    // The pointer's positions are relative to this layout size (the whole screen).
    c.layoutWidth = argc > 2 ? atoi(argv[1]) : 1024;
    c.layoutHeight = argc > 2 ? atoi(argv[2]) : 768;
    c.display = wl_display_connect(NULL);
    if (!c.display) {
        fprintf(stderr, "wl_input: cannot connect to the Wayland display\n");
        return 1;
    }
    struct wl_registry* registry = wl_display_get_registry(c.display);
    wl_registry_add_listener(registry, &registryListener, &c);
    wl_display_roundtrip(c.display);
    if (!c.seat || !c.keyboardManager) {
        fprintf(stderr, "wl_input: the compositor offers no virtual keyboard\n");
        return 1;
    }
    struct xkb_context* context = xkb_context_new(XKB_CONTEXT_NO_ENVIRONMENT_NAMES);
    const struct xkb_rule_names names = {"evdev", "pc105", "us", "", ""};
    c.keymap =
        context ? xkb_keymap_new_from_names(context, &names, XKB_KEYMAP_COMPILE_NO_FLAGS) : NULL;
    if (!c.keymap) {
        fprintf(stderr, "wl_input: cannot compile the us keymap\n");
        return 1;
    }
    c.state = xkb_state_new(c.keymap);
    c.keyboard = zwp_virtual_keyboard_manager_v1_create_virtual_keyboard(c.keyboardManager, c.seat);
    if (uploadKeymap(&c) != 0) {
        fprintf(stderr, "wl_input: cannot hand over the keymap\n");
        return 1;
    }
    if (c.pointerManager)
        c.pointer =
            zwlr_virtual_pointer_manager_v1_create_virtual_pointer(c.pointerManager, c.seat);
    wl_display_roundtrip(c.display);
    printf("ready\n");
    fflush(stdout);

    char line[1024];
    while (fgets(line, sizeof line, stdin)) {
        const char* error = run(&c, line);
        if (wl_display_roundtrip(c.display) < 0)
            error = "lost the connection to the compositor";
        if (error)
            printf("error: %s\n", error);
        else
            printf("ok\n");
        fflush(stdout);
        if (wl_display_get_error(c.display))
            return 1;
    }
    xkb_state_unref(c.state);
    xkb_keymap_unref(c.keymap);
    xkb_context_unref(context);
    wl_display_disconnect(c.display);
    return 0;
}
