#!/usr/bin/env bash
# PadConfig end to end on a virtual X display with a simulated keypad: window
# titles, mode-select reports, Default and Macro Off from the key menu, Save read
# back with qd6, the warning for a file that is not a profile, and profile names
# after "--".
# Usage: xvfb-run -a -s "-screen 0 1024x768x24" run.sh BIN_DIR SAMPLES_DIR
set -euo pipefail
bin=$1
samples=$2
work=$(mktemp -d)
trap 'kill "${pid:-}" 2>/dev/null || true; rm -rf "$work"' EXIT
source "$(dirname "$0")/session.sh"
source "$(dirname "$0")/../../support/e2e.sh"

# Starts padconfig with the given arguments; sets pid and wid (the main window).
start() {
    : >"$PADLINK_SIMULATOR"
    "$bin/padconfig" "$@" >"$work/out.log" 2>&1 &
    pid=$!
    wid=""
    for _ in $(seq 100); do
        wid=$(xdotool search --onlyvisible --name '^Corvask 12 - ' 2>/dev/null | head -1 || true)
        [[ -n "$wid" ]] && break
        sleep 0.1
    done
    [[ -n "$wid" ]] || { echo "FAIL: no main window"; cat "$work/out.log"; exit 1; }
    sleep 0.5 # let the posted command line arrive
    geometry "$wid"
    menu=$((HEIGHT - 458)) # the menu bar sits above the 467 x 458 client area
}
stop() {
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
}
title() { xdotool getwindowname "$wid"; }
click() { # click at client coordinates
    xdotool mousemove --sync $((X + $1)) $((Y + menu + $2)) click 1
    sleep 0.5
}
last_report() { tail -n 1 "$PADLINK_SIMULATOR" | tr 'A-F' 'a-f'; }
# Tool buttons, centre of each: Normal, Mode A, Mode B, Mode C.
mode_button() { case $1 in N) click 374 14 ;; A) click 400 14 ;; B) click 426 14 ;; C) click 452 14 ;; esac; }
label() { # centre of key label n
    local lefts=(50 50 51 50 50 50 50 50 50 50 50 224 221 221 358 358)
    local tops=(54 82 110 138 167 195 223 251 281 307 335 80 403 430 403 430)
    click $((${lefts[$1 - 1]} + 45)) $((${tops[$1 - 1]} + 6))
}

# 1. No argument: bare title, Normal mode sent first, Mode B by tool button and menu.
start
check_soon "title without a profile" "Corvask 12 - " title
check "first report selects Normal mode" "03 ff ff 00 00 00 00 00" "$(head -n 1 "$PADLINK_SIMULATOR" | tr 'A-F' 'a-f')"
mode_button B
check_soon "Mode B tool button sends Mode B" "03 ff ff 02 00 00 00 00" last_report
mode_button N
check_soon "Normal tool button sends Normal" "03 ff ff 00 00 00 00 00" last_report
xdotool key --window "$wid" alt+m
sleep 0.3
xdotool key Down Return # Mode A is highlighted on opening; Down moves to Mode B
sleep 0.3
check_soon "Mode menu sends Mode B" "03 ff ff 02 00 00 00 00" last_report
stop

# 2. A profile on the command line; Default and Macro Off from the key menu; Save.
cp "$samples/example.qd6" "$work/game.qd6"
start "$work/game.qd6"
check_soon "title with a profile" "Corvask 12 - game.qd6" title
mode_button A
check_soon "Mode A tool button sends Mode A" "03 ff ff 01 00 00 00 00" last_report
label 1
xdotool key Up Return # the last item: Default
sleep 0.5
check_soon "title after one change" "Corvask 12 - game.qd6*" title
label 2
xdotool key Up Up Up Return # Default, Mouse Button..., Macro Off
sleep 0.5
check_soon "title after two changes" "Corvask 12 - game.qd6*" title
xdotool key --window "$wid" alt+f s
sleep 0.5
check_soon "title after Save" "Corvask 12 - game.qd6" title
json=$("$bin/qd6" show --json "$work/game.qd6")
check "Default written to Mode A key 0" 1 \
    "$(grep -c '{"mode":0,"key":0,"kind":4,"label":"Q","playMode":163,"events":\[17,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0\]}' <<<"$json")"
check "Macro Off written to Mode A key 1" 1 \
    "$(grep -c '{"mode":0,"key":1,"kind":2,"label":"Macro Off","playMode":160,"events":\[0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0\]}' <<<"$json")"
stop

# 3. A file that is not a profile: the warning, then a fresh document.
head -c 30000 /dev/zero | tr '\0' 'x' >"$work/notes.qd6"
start "$work/notes.qd6"
warning=""
for _ in $(seq 50); do
    warning=$(xdotool search --onlyvisible --name '^Warning$' 2>/dev/null | head -1 || true)
    [[ -n "$warning" ]] && break
    sleep 0.1
done
check "warning box for a file that is not a profile" "Warning" "$( [[ -n "$warning" ]] && xdotool getwindowname "$warning")"
if [[ -n "$warning" ]]; then
    xdotool windowfocus --sync "$warning" 2>/dev/null || true
    xdotool key Return
fi
sleep 0.5
check_soon "title after the failed open" "Corvask 12 - " title
stop

# 4. Names after "--" open whatever they read like: one that is an option of the
#    window toolkit, and one that is not UTF-8, which Save writes back under its name.
cd "$work"
cp "$samples/example.qd6" ./-reverse
start -- -reverse
check_soon "title with a profile named -reverse" "Corvask 12 - -reverse" title
stop
mkdir odd
odd=$'odd/\xffgame.qd6'
"$bin/qd6" convert "$samples/example.qd6" "$odd" >/dev/null
start -- "$work/$odd"
opened() { title | sed -E 's/^Corvask 12 - .+game\.qd6$/opened/'; }
check_soon "title with a name that is not UTF-8" "opened" opened
xdotool key --window "$wid" alt+f s
sleep 0.5
check "Save writes the file under its own name" "1 ok" \
    "$(ls odd | wc -l) $("$bin/qd6" show "$odd" >/dev/null && echo ok)"
stop
cd - >/dev/null

finish_checks e2e
