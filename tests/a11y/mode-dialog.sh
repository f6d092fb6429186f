#!/usr/bin/env bash
# The "By Application..." dialog by keyboard and screen reader, end to end: PadConfig
# and a test window under Openbox on a virtual X display, with session and
# accessibility buses and a simulated keypad of their own; mode_dialog.py does the
# rest. Usage: mode-dialog.sh BIN_DIR FOCUS_WINDOW
# Needs dbus-run-session, at-spi2-core, python3-pyatspi, openbox, xdotool and xprop.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/a11y-session.sh"
command -v openbox >/dev/null || { echo "SKIP: openbox is not installed"; exit 77; }
a11y_session "$0" "$@"
bin=$(realpath "$1")
work=$(mktemp -d)
started=()
cleanup() { # the service the dialog started, by the pid in its lock file, and ours
    kill "$(cat "$XDG_RUNTIME_DIR/padconfig-modes.lock" 2>/dev/null)" "${started[@]}" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
export LANG=C.UTF-8 LC_ALL= LC_MESSAGES= QT_QPA_PLATFORM=xcb PADLINK_SIMULATOR=$work/keypad.log
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/run
mkdir -p "$HOME" "$XDG_CONFIG_HOME"
mkdir -m 700 "$XDG_RUNTIME_DIR"

openbox --sm-disable >/dev/null 2>&1 &
started+=($!)
start_accessibility_bus
started+=("$a11y_bus")
"$2" org.padconfig.test.one "Test window one" >/dev/null 2>&1 &
started+=($!)
# A window whose title is far wider than the dialog's list of windows, listed after
# the test window.
for _ in $(seq 100); do
    xdotool search --class '^org\.padconfig\.test\.one$' >/dev/null && break
    sleep 0.1
done
"$2" org.padconfig.test.long "A long title $(printf 'x%.0s' $(seq 10000)) END" >/dev/null 2>&1 &
started+=($!)
"$python" "$here/mode_dialog.py" org.padconfig.test.one "$bin/padconfig"
