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
python=/usr/bin/python3
launcher=/usr/libexec/at-spi-bus-launcher
if ! "$python" -c 'import pyatspi' 2>/dev/null || [[ ! -x "$launcher" ]]; then
    echo "SKIP: python3-pyatspi or at-spi2-core is not installed"
    exit 77
fi

if [[ -z "${DISPLAY:-}" ]]; then
    exec "$here/../support/on-own-display.sh" --screen 1024x768x24 "$0" "$@"
fi
if [[ "${TAB_ORDER_IN_SESSION:-}" != 1 ]]; then
    export TAB_ORDER_IN_SESSION=1
    unset DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS
    exec dbus-run-session -- "$0" "$@"
fi

work=$(mktemp -d)
trap 'kill "${pid:-}" "${bus:-}" 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$work"' EXIT
source "$here/../app/e2e/session.sh"

"$launcher" --launch-immediately >/dev/null 2>&1 &
bus=$!
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1

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
