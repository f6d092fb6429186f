#!/usr/bin/env bash
# Keyboard-only use as a screen reader sees it: PadConfig on a virtual X display
# with its own session bus and accessibility bus; Tab walks the main window and
# tab_order.py reads the focused control's name through AT-SPI after each press.
# Usage: tab-order.sh BIN_DIR
# Without a DISPLAY it runs on an Xvfb of its own (tests/support/on-own-display.sh).
# Needs dbus-run-session, at-spi2-core, python3-pyatspi (Debian's python3) and xdotool.
set -euo pipefail
bin=$1
here=$(cd "$(dirname "$0")" && pwd)
source "$here/a11y-session.sh"
a11y_session "$0" "$@"

work=$(mktemp -d)
trap 'kill "${pid:-}" "${a11y_bus:-}" 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$work"' EXIT
source "$here/../app/e2e/session.sh"
start_accessibility_bus

"$bin/padconfig" >"$work/out.log" 2>&1 &
pid=$!
wid=""
for _ in $(seq 300); do # up to 30 s on a busy machine
    kill -0 "$pid" 2>/dev/null || break
    wid=$(xdotool search --onlyvisible --name '^Corvask 12 - ' 2>/dev/null | head -1 || true)
    [[ -n "$wid" ]] && break
    sleep 0.1
done
[[ -n "$wid" ]] || { echo "FAIL: no main window"; cat "$work/out.log"; exit 1; }
"$python" "$here/tab_order.py" "$wid"
