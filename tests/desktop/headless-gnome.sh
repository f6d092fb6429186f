# Sourced by the desktop checks: start_headless_gnome OUT_DIR starts GNOME Shell as a
# headless Wayland compositor on a virtual monitor, in unsafe mode (so that Eval
# moves the focus), logging to OUT_DIR/gnome-shell.log, and exports WAYLAND_DISPLAY;
# gnome_pid is its pid. Needs a session bus, a system bus (with-system-bus.sh) and the
# user's XDG_RUNTIME_DIR. Fails, after saying why, when the shell does not start here.
start_headless_gnome() {
    unset DISPLAY WAYLAND_DISPLAY
    gnome-shell --headless --wayland --no-x11 --virtual-monitor 1024x768 --unsafe-mode \
        >"$1/gnome-shell.log" 2>&1 &
    gnome_pid=$!
    for _ in $(seq 200); do
        "$(dirname "${BASH_SOURCE[0]}")/compositor-call.sh" gnome-ready >/dev/null 2>&1 && break
        kill -0 "$gnome_pid" 2>/dev/null || break
        sleep 0.1
    done
    if ! kill -0 "$gnome_pid" 2>/dev/null || [[ ! -S "$XDG_RUNTIME_DIR/wayland-0" ]]; then
        echo "GNOME Shell did not start here: skipped"
        tail -n 5 "$1/gnome-shell.log"
        return 1
    fi
    export WAYLAND_DISPLAY=wayland-0
}
