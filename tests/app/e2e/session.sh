# Sourced by the end-to-end scripts after they set $work: a real X display (the
# test presets set the offscreen platform for unit tests), a private runtime
# folder for the loader's socket, a simulated keypad logging to $work/keypad.log,
# and geometry WINDOW_ID, which sets X, Y, WIDTH and HEIGHT of a window's client area.
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
