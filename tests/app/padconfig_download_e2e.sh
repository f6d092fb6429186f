#!/bin/bash
# One PadConfig run on an X server, with a simulated keypad and a recording
# stand-in loader: start, LOAD through the File menu's Import, close.
# Checks what the loader received and what the keypad received, and the pace: this is
# the one test that downloads with the keypad's real pause (no PADLINK_SIMULATOR_PAUSE_MS).
# --stopped-loader stops the loader (SIGSTOP) during the download, which must keep its
# pace; that download pauses 20 ms after each report, as the pace is what it checks.
# Usage (under xvfb-run): padconfig_download_e2e.sh [--stopped-loader] BINDIR PROFILE
set -euo pipefail
stopped=; if [ "$1" = --stopped-loader ]; then stopped=1; shift; fi
bindir=$1
profile_in=$2

work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
mkdir -m 700 "$work/run"
export XDG_RUNTIME_DIR=$work/run
export PADLINK_SIMULATOR=$work/keypad.log
unset PADLINK_SIMULATOR_PAUSE_MS
pause_ms=20 # the stopped-loader download's pause after each report
[ -z "$stopped" ] || export PADLINK_SIMULATOR_PAUSE_MS=$pause_ms
export QT_QPA_PLATFORM=xcb
cp "$profile_in" "$work/profile.qd6"
loader_log=$work/loader.log
: > "$loader_log"

source "$(dirname "$0")/../support/e2e.sh"
on_fail() { echo "--- loader log"; tail -5 "$loader_log"; }
loader_has() { grep -Eq "$1" "$loader_log"; }

"$bindir/fake_loader" "$loader_log" &
loader=$!
wait_for 5 test -S "$XDG_RUNTIME_DIR/Qd6LoaderS.sock" || fail "the test loader did not start"

"$bindir/padconfig" "$work/profile.qd6" &
padconfig=$!

wait_for 10 loader_has '^[0-9]+ 6a33 0 241$' || fail "no hello (0, 241) after start"
window=$(xdotool search --sync --name '^Corvask 12 - profile.qd6$' | head -1)
[ -n "$window" ] || fail "main window with the opened profile not found"

# LOAD through File > Import (the menu's mnemonics).
xdotool windowfocus --sync "$window"
sleep 0.3
xdotool key --clearmodifiers alt+f
sleep 0.5
[ -z "$stopped" ] || kill -STOP "$loader"
start=$EPOCHREALTIME
xdotool key i
if [ -n "$stopped" ]; then # the keypad's log: Normal mode, then the download's 240 reports
    wait_for 40 bash -c "[ \$(wc -l < $PADLINK_SIMULATOR) = 241 ]" || fail "no download in 40 s"
    # Its 240 pauses, and a second for the key, the menu, the 200 ms before the first
    # report and a busy machine.
    awk -v t="$EPOCHREALTIME" -v s="$start" -v p="$pause_ms" 'BEGIN {
        pauses = 240 * p / 1000
        printf "download %.3f s from the key, %.2f s of it pauses\n", t - s, pauses
        exit t - s > 1.25 * pauses + 1 }' || fail "the download took over 1.25 x its pauses"
    kill -CONT "$loader"
else
    wait_for 40 loader_has ' 6a33 [1-9][0-9]* 241$' || fail "the download did not end within 40 s"
fi

# Close through File > Exit.
xdotool windowfocus --sync "$window"
sleep 0.3
xdotool key --clearmodifiers alt+f
sleep 0.5
xdotool key x
wait_for 10 bash -c "! kill -0 $padconfig 2>/dev/null" || fail "PadConfig did not close"
wait_for 5 loader_has ' 12 0 0$' || fail "no quit message at close"

# What the loader saw: hello, 240 steps and the end from one window id, quit.
[ -n "$stopped" ] || awk -v want_window="$((window & 0xFFFFFFFF))" '
    { msg[NR] = $2; w[NR] = $3; l[NR] = $4 }
    END {
        if (NR != 243) { print "expected 243 messages, got " NR; exit 1 }
        if (msg[1] != "6a33" || w[1] != 0 || l[1] != 241) { print "first is not the hello"; exit 1 }
        for (n = 1; n <= 241; ++n) {
            i = n + 1
            if (msg[i] != "6a33" || l[i] != n || w[i] != want_window) {
                print "message " i ": " msg[i] " " w[i] " " l[i] ", expected 6a33 " want_window " " n
                exit 1
            }
        }
        if (msg[243] != "12" || w[243] != 0 || l[243] != 0) { print "last is not quit"; exit 1 }
    }' "$loader_log" || fail "loader messages"

# What the keypad saw: Normal mode first, then exactly the profile's 240 reports.
head -1 "$PADLINK_SIMULATOR" | grep -qx '03 ff ff 00 00 00 00 00' || fail "Normal mode is not first"
"$bindir/qd6" reports "$work/profile.qd6" > "$work/expected.txt"
tail -n +2 "$PADLINK_SIMULATOR" | diff -q - "$work/expected.txt" >/dev/null ||
    fail "the keypad did not receive exactly the profile's 240 reports"

# Pace: steps 1 to 241 span 239 of the 240 report cycles, each the keypad's 70 ms
# pause and PadLink's write. Never faster (a few ms allowed for the socket), and not
# much slower: this is the suite's one download with the real pause.
[ -n "$stopped" ] || awk '$2 == "6a33" && $3 != 0 && $4 == 1 { first = $1 } $2 == "6a33" && $3 != 0 && $4 == 241 { last = $1 }
     END { s = (last - first) / 1e9 * 240 / 239; r = s / 16.8
           printf "download %.3f s, %.4f of 16.8 s\n", s, r
           if (r < 0.995 || r > 1.25) { print "the pace is off"; exit 1 } }' \
    "$loader_log" || fail "download pace"
if [ -n "${KEEP_LOADER_LOG:-}" ]; then cp "$loader_log" "$KEEP_LOADER_LOG"; fi
echo PASS
