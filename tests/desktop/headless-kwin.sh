# Sourced by the desktop checks: start_headless_kwin OUT_DIR starts KWin's Wayland
# compositor on a virtual output, logging to OUT_DIR/kwin.log, and exports
# WAYLAND_DISPLAY; kwin_pid is its pid. Needs a session bus and the user's
# XDG_RUNTIME_DIR. Fails, after saying why, when KWin does not start here.
# The installed kwin_wayland carries file capabilities, which a container may refuse
# to run: a copy without them runs, under the name kwin_wayland, which KWin's own Qt
# platform plugin requires of its program.
start_headless_kwin() {
    mkdir -p "$1/kwin"
    cp "$(command -v kwin_wayland)" "$1/kwin/kwin_wayland" || return 1
    unset DISPLAY WAYLAND_DISPLAY
    "$1/kwin/kwin_wayland" --virtual --no-lockscreen --socket wayland-kwin --width 1024 \
        --height 768 >"$1/kwin.log" 2>&1 &
    kwin_pid=$!
    for _ in $(seq 100); do
        [[ -S "$XDG_RUNTIME_DIR/wayland-kwin" ]] && "$(dirname "${BASH_SOURCE[0]}")/compositor-call.sh" \
            kwin-ready >/dev/null 2>&1 && break
        kill -0 "$kwin_pid" 2>/dev/null || break
        sleep 0.1
    done
    if ! kill -0 "$kwin_pid" 2>/dev/null || [[ ! -S "$XDG_RUNTIME_DIR/wayland-kwin" ]]; then
        echo "KWin did not start here: skipped"
        tail -n 5 "$1/kwin.log"
        return 1
    fi
    export WAYLAND_DISPLAY=wayland-kwin
}
