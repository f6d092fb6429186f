#!/usr/bin/env bash
# The menu entry's StartupWMClass is the class PadConfig's main window carries on
# X11, so that docks and task bars put the window under the menu entry:
#   check-wm-class.sh PADCONFIG DESKTOP_FILE
# Runs PadConfig under Xvfb; exit 77 without Xvfb, xdotool or xprop.
set -uo pipefail

padconfig=$(realpath "$1")
desktop=$(realpath "$2")
for tool in Xvfb xdotool xprop; do
    if ! command -v "$tool" >/dev/null; then
        echo "$tool is not installed: skipped"
        exit 77
    fi
done

if [ -z "${WM_CLASS_UNDER_XVFB:-}" ]; then
    exec env WM_CLASS_UNDER_XVFB=1 "$(dirname "$0")/../support/on-own-display.sh" "$0" "$@"
fi

source "$(dirname "$0")/checks.sh"
tmp=$(mktemp -d)
export HOME=$tmp/home XDG_RUNTIME_DIR=$tmp/runtime
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
QT_QPA_PLATFORM=xcb "$padconfig" >"$tmp/log" 2>&1 &
pid=$!
trap 'kill "$pid" 2>/dev/null; rm -rf "$tmp"' EXIT

window=""
for _ in $(seq 100); do
    window=$(xdotool search --pid "$pid" --name '^Corvask 12 - ' 2>/dev/null | head -n 1)
    [ -n "$window" ] && break
    sleep 0.1
done
check "PadConfig's main window appears" test -n "$window"
[ -n "$window" ] || sed 's/^/     /' "$tmp/log"

# WM_CLASS(STRING) = "instance", "class"
wm_class=$(xprop -id "${window:-0}" WM_CLASS 2>/dev/null)
echo "     $wm_class"
class=$(sed -n 's/^WM_CLASS(STRING) = "[^"]*", "\([^"]*\)"$/\1/p' <<<"$wm_class")
startup_class=$(sed -n 's/^StartupWMClass=//p' "$desktop")
echo "     StartupWMClass=$startup_class"
check "StartupWMClass is the class of PadConfig's window" test -n "$class" -a "$class" = "$startup_class"

finish_checks wm-class
