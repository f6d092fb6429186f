#!/usr/bin/env bash
# Takes the screenshots in docs/screenshots: the four modes, the key menu and the
# About box, on a virtual X display with a window manager, as a user sees them.
# Usage: xvfb-run -a -s "-screen 0 1024x768x24" screenshots.sh BIN_DIR SAMPLES_DIR OUT_DIR
# Needs openbox (window frames) and imagemagick's import.
set -euo pipefail
bin=$1
samples=$2
out=$3
work=$(mktemp -d)
trap 'kill "${pid:-}" "${wm:-}" 2>/dev/null || true; rm -rf "$work"' EXIT
source "$(dirname "$0")/session.sh"
screenshot_session "$samples" "$out"
"$bin/padconfig" "$work/game.qd6" >/dev/null 2>&1 &
pid=$!
main_window_id
sleep 1
geometry "$wid"
menu=$((HEIGHT - 458))

click() { xdotool mousemove --sync $((X + $1)) $((Y + menu + $2)) click 1; sleep 0.4; }
hover() { xdotool mousemove --sync $((X + $1)) $((Y + menu + $2)); sleep 0.4; }
# The main window with its frame (and whatever opened on top of it).
shot() {
    local margin=40
    import -window root "$work/root.png"
    convert "$work/root.png" -crop $((WIDTH + 2 * margin))x$((HEIGHT + 2 * margin + 30))+$((X - margin))+$((Y - margin - 30)) +repage "$out/$1"
}

hover 500 300
shot mode-normal.png
click 400 14 && hover 90 173 && shot mode-a.png  # hover over key 5's label
click 426 14 && hover 270 86 && shot mode-b.png  # hover over key 12's label
click 452 14 && hover 500 300 && shot mode-c.png
click 400 14 && click 95 173 && shot key-menu.png # the key menu of key 5 in Mode A
xdotool key Escape
sleep 0.3
xdotool key --window "$wid" alt+h
sleep 0.3
xdotool key Up Return
sleep 0.8
shot about.png
xdotool key Return
echo "screenshots written to $out"
