#!/usr/bin/env bash
# Takes docs/screenshots/mode-rules-en.png, mode-rules-de.png and mode-rules-add.png:
# the "By Application..." dialog in English and German with a few rules, and its Add
# Rule dialog offering a test window, on a virtual X display with a window manager.
# Usage: xvfb-run -a -s "-screen 0 1024x768x24" mode-rules-screenshots.sh BIN_DIR OUT_DIR
# BIN_DIR holds padconfig and the test window focus_window. Needs openbox (window
# frames), xdotool and imagemagick's import.
set -euo pipefail
bin=$(realpath "$1")
out=$(realpath "$2")
work=$(mktemp -d)
trap 'kill "${pid:-}" "${wm:-}" "${window:-}" 2>/dev/null || true; rm -rf "$work"' EXIT
source "$(dirname "$0")/session.sh"
mkdir -p "$out"
openbox >/dev/null 2>&1 &
wm=$!
sleep 1
export XDG_CONFIG_HOME=$work/config
mkdir -p "$XDG_CONFIG_HOME/padconfig"
cat >"$XDG_CONFIG_HOME/padconfig/modes.conf" <<'RULES'
# what to match          mode
app:steam_app_570        a      # Dota 2 through Steam
exe:factorio             b
title:"*Minecraft*"      c
app:firefox              normal
default                  keep
RULES
"$bin/focus_window" org.supertuxkart.SuperTuxKart "SuperTuxKart" >/dev/null 2>&1 &
window=$!

# The window of that name, once it shows.
window_named() {
    local id=""
    for _ in $(seq 100); do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1 || true)
        [[ -n "$id" ]] && break
        sleep 0.1
    done
    echo "$id"
}
# The window with its frame.
shot() {
    local margin=5
    geometry "$1"
    sleep 0.8
    import -window root "$work/root.png"
    convert "$work/root.png" -crop $((WIDTH + 2 * margin))x$((HEIGHT + 2 * margin + 24))+$((X - margin))+$((Y - margin - 24)) +repage "$out/$2"
}

for language in en de; do
    locale=C.UTF-8
    [[ $language == de ]] && locale=de_DE.UTF-8
    LANG=$locale LC_ALL= "$bin/padconfig" >/dev/null 2>&1 &
    pid=$!
    main=$(window_named 'Corvask 12 - .*')
    xdotool windowactivate --sync "$main"
    caption="Modes by Application"
    [[ $language == de ]] && caption="Modi nach Anwendung"
    letter=b
    [[ $language == de ]] && letter=a
    xdotool key alt+m "$letter"
    dialog=$(window_named "$caption")
    sleep 1.5 # the status line and the service's state
    xdotool key Down
    shot "$dialog" "mode-rules-$language.png"
    if [[ $language == en ]]; then
        xdotool key alt+a
        add=$(window_named "Add Rule")
        sleep 1
        xdotool key Down alt+o Down
        shot "$add" mode-rules-add.png
        xdotool key Escape
        sleep 0.3
    fi
    xdotool key Escape
    kill "$pid"
    wait "$pid" 2>/dev/null || true
done
echo "screenshots written to $out"
