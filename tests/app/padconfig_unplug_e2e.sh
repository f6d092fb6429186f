#!/bin/bash
# PadConfig on an X server with a simulated keypad that is unplugged after 10
# reports: the Normal-mode report at start, then 9 of the download. The download
# must stop there, tell the loader it has ended and warn the user.
# Usage (under xvfb-run): padconfig_unplug_e2e.sh BINDIR PROFILE
set -euo pipefail
bindir=$1
profile_in=$2

work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
mkdir -m 700 "$work/run"
export XDG_RUNTIME_DIR=$work/run
export PADLINK_SIMULATOR=$work/keypad.log
export PADLINK_SIMULATOR_UNPLUG_AFTER=10
export PADLINK_SIMULATOR_PAUSE_MS=5 # PadConfig takes the simulator's shorter pause
export QT_QPA_PLATFORM=xcb
cp "$profile_in" "$work/profile.qd6"
loader_log=$work/loader.log
: > "$loader_log"

source "$(dirname "$0")/../support/e2e.sh"
on_fail() { echo "--- loader log"; tail -5 "$loader_log"; }
loader_has() { grep -Eq "$1" "$loader_log"; }
warning_box() { xdotool search --onlyvisible --name '^Warning$' 2>/dev/null | head -1; }

"$bindir/fake_loader" "$loader_log" &
wait_for 5 test -S "$XDG_RUNTIME_DIR/Qd6LoaderS.sock" || fail "the test loader did not start"
"$bindir/padconfig" "$work/profile.qd6" &
padconfig=$!
wait_for 10 loader_has '^[0-9]+ 6a33 0 241$' || fail "no hello (0, 241) after start"
window=$(xdotool search --sync --name '^Corvask 12 - profile.qd6$' | head -1)
[ -n "$window" ] || fail "main window with the opened profile not found"

# LOAD through File > Import.
xdotool windowfocus --sync "$window"
sleep 0.3
xdotool key --clearmodifiers alt+f
sleep 0.5
xdotool key i
wait_for 10 loader_has ' 6a33 [1-9][0-9]* 241$' || fail "the download did not end"
wait_for 5 bash -c "[ -n \"\$(xdotool search --onlyvisible --name '^Warning\$' 2>/dev/null)\" ]" ||
    fail "no warning after the keypad was unplugged"
box=$(warning_box)
xdotool windowfocus --sync "$box" 2>/dev/null || true
xdotool key Return
wait_for 5 bash -c "[ -z \"\$(xdotool search --onlyvisible --name '^Warning\$' 2>/dev/null)\" ]" ||
    fail "the warning did not close"

# The loader: hello, steps 1 to 9, then the end.
awk -v want_window="$((window & 0xFFFFFFFF))" '
    { msg[NR] = $2; w[NR] = $3; l[NR] = $4 }
    END {
        if (NR != 11) { print "expected 11 messages, got " NR; exit 1 }
        for (n = 1; n <= 10; ++n) {
            want = n < 10 ? n : 241
            if (msg[n + 1] != "6a33" || w[n + 1] != want_window || l[n + 1] != want) {
                print "message " n + 1 ": " msg[n + 1] " " w[n + 1] " " l[n + 1]; exit 1
            }
        }
    }' "$loader_log" || fail "loader messages"

# The keypad: the Normal-mode report and the download's first 9 reports, nothing more.
[ "$(wc -l < "$PADLINK_SIMULATOR")" -eq 10 ] || fail "the keypad log does not hold 10 reports"
head -1 "$PADLINK_SIMULATOR" | grep -qx '03 ff ff 00 00 00 00 00' || fail "Normal mode is not first"
"$bindir/qd6" reports "$work/profile.qd6" > "$work/reports.txt"
head -n 9 "$work/reports.txt" > "$work/expected.txt"
tail -n +2 "$PADLINK_SIMULATOR" | diff -q - "$work/expected.txt" >/dev/null ||
    fail "the keypad did not receive the profile's first 9 reports"

kill "$padconfig"
wait "$padconfig" 2>/dev/null || true
echo PASS
