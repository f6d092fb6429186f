#!/usr/bin/env bash
# The keyboard script on a headless sway, as an unprivileged user:
#   session-wayland.sh BIN_DIR WL_INPUT OUT_DIR
# Needs XDG_RUNTIME_DIR (mode 0700) and HOME of the user. Starts sway with the
# headless backend and the pixman renderer and no input devices, then wl_input as
# the seat's keyboard and pointer, then PadConfig natively (QT_QPA_PLATFORM=wayland).
# Exit 77 when sway or wl_input cannot run here.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
bin=$1
wl_input=$2
out=$3
cd "$out"

sway_pid=""
input_pid=""
cleanup() {
    # PadConfig and its loader end with the compositor; PadConfig first, all the same.
    [[ -n "${padconfig_pid:-}" ]] && kill "$padconfig_pid" 2>/dev/null
    [[ -n "$input_pid" ]] && kill "$input_pid" 2>/dev/null
    [[ -n "$sway_pid" ]] && kill "$sway_pid" 2>/dev/null
    [[ -n "$sway_pid" ]] && wait "$sway_pid" 2>/dev/null
}
trap cleanup EXIT
source "$here/headless-sway.sh"
start_headless_sway "$out" || exit 77

# wl_input is the seat's keyboard from now on, so that PadConfig finds one at start.
coproc INPUT { exec "$wl_input" 1024 768 2>"$out/wl_input.log"; }
input_pid=$INPUT_PID
ready=""
read -r -t 10 -u "${INPUT[0]}" ready
if [[ "$ready" != ready ]]; then
    echo "wl_input found no virtual keyboard here: skipped"
    cat "$out/wl_input.log"
    exit 77
fi
send() {
    local reply=""
    echo "$*" >&"${INPUT[1]}"
    read -r -t 10 -u "${INPUT[0]}" reply
    [[ "$reply" == ok ]] || echo "wl_input: $* -> ${reply:-no answer}" >&2
}

keys() { send key "$@"; sleep 0.1; }
type_text() { send text "$1"; sleep 0.1; }
hold() { send hold "$1" "$2"; sleep 0.1; }
click() { send click "$1" "$2"; }
# The tree's views of PadConfig: app id, title and the content's screen rectangle.
views() {
    swaymsg -r -t get_tree | jq -r '.. | objects | select(.pid? and .visible?)
        | [.app_id, .name, .rect.x + .window_rect.x, .rect.y + .window_rect.y,
           .window_rect.height] | @tsv'
}
window_origin() {
    local line
    line=$(views | awk -F'\t' -v t="$1" '$2 == t' | head -1)
    [[ -n "$line" ]] || return 1
    IFS=$'\t' read -r _ _ WX WY WH <<<"$line"
}
main_title() { views | awk -F'\t' '$1 == "org.padconfig.PadConfig" && $2 ~ /^Corvask 12 - / {print $2}' | head -1; }
after_start() {
    check "the main window's app id is the menu entry's name" org.padconfig.PadConfig \
        "$(views | awk -F'\t' '$2 ~ /^Corvask 12 - / {print $1}' | head -1)"
}
after_load() {
    check "the loader's app id is PadConfig's" org.padconfig.PadConfig \
        "$(views | awk -F'\t' '$2 == "Qd6 Loader Show Status Only" {print $1}' | head -1)"
}
give_focus() { :; } # sway focuses new windows itself
shot() { grim "$out/$1.png" 2>/dev/null; }

export QT_QPA_PLATFORM=wayland
export PADLINK_SIMULATOR=$out/keypad.log
source "$here/scenario.sh"
finish_checks wayland
