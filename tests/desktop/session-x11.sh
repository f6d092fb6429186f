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

keys() { xdotool key --delay 40 "$@"; sleep 0.1; }
type_text() { xdotool type --delay 40 "$1"; sleep 0.1; }
click() { xdotool mousemove --sync "$1" "$2" click 1; sleep 0.1; }
window_origin() {
    local id info
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1)
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
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1)
    [[ -n "$id" ]] && xdotool windowfocus --sync "$id"
    sleep 0.2
}
shot() { :; }

source "$here/scenario.sh"
echo "x11: $passed passed, $failed failed"
[[ $failed -eq 0 ]]
