#!/usr/bin/env bash
# The "By Application..." dialog by keyboard and screen reader, end to end: on a
# virtual X display with Openbox, its own session and accessibility buses, PadConfig
# and a test window; mode_dialog.py adds a rule for the test window and switches the
# mode service on. The rules file then holds the rule beside the user's comments, and
# giving the test window the focus switches the simulated keypad to the rule's mode.
# Switching the service off again ends it and takes its autostart entry away.
# Usage: mode-dialog.sh BIN_DIR FOCUS_WINDOW
# Without a DISPLAY it runs on an Xvfb of its own (tests/support/on-own-display.sh).
# Needs dbus-run-session, at-spi2-core, python3-pyatspi, openbox, xdotool and xprop.
set -uo pipefail
bin=$(realpath "$1")
test_window=$(realpath "$2")
here=$(cd "$(dirname "$0")" && pwd)
python=/usr/bin/python3
launcher=/usr/libexec/at-spi-bus-launcher
if ! "$python" -c 'import pyatspi' 2>/dev/null || [[ ! -x "$launcher" ]] ||
    ! command -v openbox >/dev/null || ! command -v xdotool >/dev/null; then
    echo "SKIP: python3-pyatspi, at-spi2-core, openbox or xdotool is not installed"
    exit 77
fi
if [[ -z "${DISPLAY:-}" ]]; then
    exec "$here/../support/on-own-display.sh" --screen 1024x768x24 "$0" "$@"
fi
if [[ "${MODE_DIALOG_IN_SESSION:-}" != 1 ]]; then
    export MODE_DIALOG_IN_SESSION=1
    unset DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS
    exec dbus-run-session -- "$0" "$@"
fi

work=$(mktemp -d)
started=()
service_pid() { cat "$XDG_RUNTIME_DIR/padconfig-modes.lock" 2>/dev/null; }
cleanup() {
    local pid
    pid=$(service_pid)
    [[ -n "$pid" ]] && kill "$pid" 2>/dev/null
    kill "${started[@]}" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
# An English session of the user's own: runtime and configuration folders, and a
# simulated keypad that PadConfig and the service it starts log to.
export LANG=C.UTF-8 LC_ALL= LC_MESSAGES= QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/run
export PADLINK_SIMULATOR=$work/keypad.log
mkdir -p "$HOME" "$XDG_CONFIG_HOME/padconfig"
mkdir -m 700 "$XDG_RUNTIME_DIR"
rules=$XDG_CONFIG_HOME/padconfig/modes.conf
entry=$XDG_CONFIG_HOME/autostart/padconfig-modes.desktop
comments=$'# my games: the dialog keeps this comment\nfrobnicate   # a line the service cannot read\n'
printf '%sdefault keep\n' "$comments" >"$rules"

passed=0 failed=0
check() { # check NAME EXPECTED ACTUAL
    if [[ "$2" == "$3" ]]; then
        passed=$((passed + 1))
        echo "ok: $1"
    else
        failed=$((failed + 1))
        echo "FAIL: $1: expected [$2], got [$3]"
    fi
}
until_true() { # up to 20 s on a busy machine
    for _ in $(seq 200); do
        "$@" 2>/dev/null && return 0
        sleep 0.1
    done
    return 1
}
# Runs the dialog's part and counts its checks with these.
drive() {
    local out
    out=$("$python" "$here/mode_dialog.py" "$wid" "$1" org.padconfig.test.one 2>&1)
    echo "$out"
    passed=$((passed + $(sed -n 's/^\([0-9]*\) passed.*/\1/p' <<<"$out")))
    failed=$((failed + $(sed -n 's/.* \([0-9]*\) failed$/\1/p' <<<"$out")))
}
mode_reports() { grep '^03 ff ff' "$PADLINK_SIMULATOR" | cut -d' ' -f4 | tr '\n' ' '; }

openbox --sm-disable >"$work/openbox.log" 2>&1 &
started+=($!)
until_true xprop -root _NET_SUPPORTING_WM_CHECK >/dev/null
"$launcher" --launch-immediately >/dev/null 2>&1 &
started+=($!)
"$test_window" org.padconfig.test.one "Test window one" >"$work/window.log" 2>&1 &
started+=($!)
"$bin/padconfig" >"$work/padconfig.log" 2>&1 &
started+=($!)
main_window() { xdotool search --onlyvisible --name '^Corvask 12 - ' | head -1; }
test_window_id() { xdotool search --onlyvisible --class '^org\.padconfig\.test\.one$' | head -1; }
shown() { [[ -n "$("$1")" ]]; }
until_true shown main_window || { echo "FAIL: no main window"; cat "$work/padconfig.log"; exit 1; }
until_true shown test_window_id
wid=$(main_window)

drive add-rule
check "the rules file holds the rule after the user's lines, and the default" \
    "${comments}app:org.padconfig.test.one b"$'\n'"default keep" "$(cat "$rules")"
check "the autostart entry is in place" yes "$([[ -f "$entry" ]] && echo yes)"
until_true grep -q '^03 ff ff 00' "$PADLINK_SIMULATOR"
xdotool windowactivate --sync "$(test_window_id)"
until_true grep -q '^03 ff ff 02' "$PADLINK_SIMULATOR"
check "the focused test window switches the keypad to Mode B" "00 02 " "$(mode_reports)"

xdotool windowactivate --sync "$wid"
drive switch-off
check "switching off takes the autostart entry away" no "$([[ -f "$entry" ]] && echo yes || echo no)"
check "the rules stay as OK wrote them" \
    "${comments}app:org.padconfig.test.one b"$'\n'"default keep" "$(cat "$rules")"
echo "mode dialog: $passed passed, $failed failed"
[[ $failed -eq 0 && $passed -gt 0 ]]
