# Sourced by the desktop checks, which need a session bus and the user's
# XDG_RUNTIME_DIR: each function starts a compositor on a virtual output, logging to
# OUT_DIR, exports WAYLAND_DISPLAY and sets compositor_pid; it fails, after saying why,
# when the compositor does not start here.
#   start_headless_kwin OUT_DIR    KWin (kwin.log)
#   start_headless_gnome OUT_DIR   GNOME Shell, in unsafe mode so that Eval moves the
#                                  focus (gnome-shell.log); it needs a system bus too
#                                  (with-system-bus.sh)
# The installed kwin_wayland carries file capabilities, which a container may refuse
# to run: a copy without them runs, under the name kwin_wayland, which KWin's own Qt
# platform plugin requires of its program.
start_headless_kwin() {
    mkdir -p "$1/kwin"
    cp "$(command -v kwin_wayland)" "$1/kwin/kwin_wayland" || return 1
    start_compositor KWin "$1/kwin.log" wayland-kwin kwin-ready \
        "$1/kwin/kwin_wayland" --virtual --no-lockscreen --socket wayland-kwin --width 1024 --height 768
}

start_headless_gnome() {
    start_compositor "GNOME Shell" "$1/gnome-shell.log" wayland-0 gnome-ready \
        gnome-shell --headless --wayland --no-x11 --virtual-monitor 1024x768 --unsafe-mode
}

# start_compositor NAME LOG SOCKET READY COMMAND...: READY is what compositor-call.sh
# asks until the compositor answers on the session bus.
start_compositor() {
    local name=$1 log=$2 socket=$3 ready=$4
    shift 4
    unset DISPLAY WAYLAND_DISPLAY
    "$@" >"$log" 2>&1 &
    compositor_pid=$!
    for _ in $(seq 200); do
        [[ -S "$XDG_RUNTIME_DIR/$socket" ]] &&
            "$(dirname "${BASH_SOURCE[0]}")/compositor-call.sh" "$ready" >/dev/null 2>&1 && break
        kill -0 "$compositor_pid" 2>/dev/null || break
        sleep 0.1
    done
    if ! kill -0 "$compositor_pid" 2>/dev/null || [[ ! -S "$XDG_RUNTIME_DIR/$socket" ]]; then
        echo "$name did not start here: skipped"
        tail -n 5 "$log"
        return 1
    fi
    export WAYLAND_DISPLAY=$socket
}
