#!/usr/bin/env bash
# Takes docs/screenshots/scale-1.png and scale-2.png: the main window in Mode A with
# key 5 highlighted, at QT_SCALE_FACTOR 1 and 2, on a virtual X display with a
# window manager. The second is twice as large and drawn at its resolution.
# Usage: xvfb-run -a -s "-screen 0 1280x1100x24" hidpi-screenshots.sh BIN_DIR SAMPLES_DIR OUT_DIR
# Needs openbox (window frames) and imagemagick's import.
set -euo pipefail
bin=$1
samples=$2
out=$3
work=$(mktemp -d)
trap 'kill "${pid:-}" "${wm:-}" 2>/dev/null || true; rm -rf "$work"' EXIT
source "$(dirname "$0")/session.sh"
screenshot_session "$samples" "$out"

for scale in 1 2; do
    QT_SCALE_FACTOR=$scale "$bin/padconfig" "$work/game.qd6" >/dev/null 2>&1 &
    pid=$!
    main_window_id
    sleep 1
    geometry "$wid"
    menu=$((HEIGHT - 458 * scale))
    # Mode A, then the pointer over key 5's label (layout pixels times the scale).
    xdotool mousemove --sync $((X + 400 * scale)) $((Y + menu + 14 * scale)) click 1
    sleep 0.4
    xdotool mousemove --sync $((X + 90 * scale)) $((Y + menu + 173 * scale))
    sleep 0.6
    margin=$((20 * scale))
    import -window root "$work/root.png"
    convert "$work/root.png" -crop $((WIDTH + 2 * margin))x$((HEIGHT + 2 * margin + 30 * scale))+$((X - margin))+$((Y - margin - 30 * scale)) +repage "$out/scale-$scale.png"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    sleep 0.5
done
echo "screenshots written to $out"
