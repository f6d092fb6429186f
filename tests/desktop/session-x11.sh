#!/usr/bin/env bash
# The keyboard script on an X server (run it under xvfb-run) with xdotool:
#   session-x11.sh BIN_DIR OUT_DIR
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
bin=$1
out=$2
cd "$out"
export QT_QPA_PLATFORM=xcb
export PADLINK_SIMULATOR=$out/keypad.log
export XDG_RUNTIME_DIR=$out/run HOME=$out/home
mkdir -p -m 700 "$XDG_RUNTIME_DIR" "$HOME"
# The loader ends with the X server that xvfb-run stops; PadConfig is ended here.
trap '[[ -n "${padconfig_pid:-}" ]] && kill "$padconfig_pid" 2>/dev/null' EXIT

# The visible window whose title is exactly $1 (xdotool matches a regular expression).
window_id() {
    local pattern
    pattern=$(sed 's/[][\\.*^$+?(){}|]/\\&/g' <<<"$1")
    xdotool search --onlyvisible --name "^$pattern\$" 2>/dev/null | head -1
}
# A combo's keys go down left to right and up right to left, as a hand does them
# (xdotool key would release shift before a in shift+a).
keys() {
    local combo parts i
    for combo in "$@"; do
        IFS=+ read -r -a parts <<<"$combo"
        for ((i = 0; i < ${#parts[@]}; i++)); do xdotool keydown "${parts[i]}"; done
        for ((i = ${#parts[@]} - 1; i >= 0; i--)); do xdotool keyup "${parts[i]}"; done
        sleep 0.04
    done
    sleep 0.1
}
type_text() { xdotool type --delay 40 "$1"; sleep 0.1; }
hold() { xdotool keydown "$1"; sleep "$2"; xdotool keyup "$1"; sleep 0.1; }
click() { xdotool mousemove --sync "$1" "$2" click 1; sleep 0.1; }
window_origin() {
    local id info
    id=$(window_id "$1")
    [[ -n "$id" ]] || return 1
    info=$(xwininfo -id "$id")
    WX=$(awk '/Absolute upper-left X/ {print $4}' <<<"$info")
    WY=$(awk '/Absolute upper-left Y/ {print $4}' <<<"$info")
    WH=$(awk '/Height:/ {print $2}' <<<"$info")
}
main_title() {
    local id
    id=$(xdotool search --onlyvisible --name '^Corvask 12 - ' 2>/dev/null | head -1)
    [[ -n "$id" ]] && xdotool getwindowname "$id"
}
# Xvfb runs no window manager: nothing gives a new window the focus.
give_focus() {
    local id
    id=$(window_id "$1")
    [[ -n "$id" ]] && xdotool windowfocus --sync "$id"
    sleep 0.2
}
shot() { :; }

source "$here/scenario.sh"
finish_checks x11
