# Sourced by the end-to-end scripts after they set $work: a real X display (the
# test presets set the offscreen platform for unit tests), a private runtime
# folder for the loader's socket, a simulated keypad logging to $work/keypad.log,
# geometry WINDOW_ID, which sets X, Y, WIDTH and HEIGHT of a window's client area, and
# main_window_id, which waits for the main window of game.qd6 and sets wid, and
# screenshot_session SAMPLES_DIR OUT_DIR, which starts openbox (its pid in wm) and puts
# the example profile at $work/game.qd6.
export QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR=$work/run
mkdir -m 700 "$XDG_RUNTIME_DIR"
export PADLINK_SIMULATOR=$work/keypad.log

geometry() {
    local info
    info=$(xwininfo -id "$1")
    X=$(awk '/Absolute upper-left X/ {print $4}' <<<"$info")
    Y=$(awk '/Absolute upper-left Y/ {print $4}' <<<"$info")
    WIDTH=$(awk '/Width:/ {print $2}' <<<"$info")
    HEIGHT=$(awk '/Height:/ {print $2}' <<<"$info")
}

main_window_id() {
    wid=""
    for _ in $(seq 100); do
        wid=$(xdotool search --onlyvisible --name '^Corvask 12 - game' 2>/dev/null | head -1 || true)
        [[ -n "$wid" ]] && return 0
        sleep 0.1
    done
    echo "no main window"
    exit 1
}

screenshot_session() {
    mkdir -p "$2"
    openbox >/dev/null 2>&1 &
    wm=$!
    sleep 1
    cp "$1/example.qd6" "$work/game.qd6"
}
