#!/usr/bin/env bash
# qd6 download through PadLink's simulated keypad sends exactly the reports that
# qd6 reports prints, in order; and with no keypad it refuses before sending. The
# simulated keypad is given a 1 ms pause (the real pace is checked by
# padconfig_download_e2e).
#   qd6_download_log.sh QD6 PROFILE WORKDIR
set -euo pipefail
qd6=$1 profile=$2 work=$3
rm -rf "$work"
mkdir -p "$work"
# A runtime folder of its own: a keypad lock no other download holds.
mkdir -m 700 "$work/run"
export XDG_RUNTIME_DIR=$work/run
log="$work/k.log"

"$qd6" reports "$profile" > "$work/expected.txt"
PADLINK_SIMULATOR="$log" PADLINK_SIMULATOR_PAUSE_MS=1 "$qd6" download "$profile" > "$work/download.out" 2> "$work/download.err"
if ! cmp "$work/expected.txt" "$log"; then
    echo "the simulated keypad received other reports than qd6 reports prints:"
    diff "$work/expected.txt" "$log" | head -20
    exit 1
fi
[ "$(wc -l < "$log")" -eq 240 ] || { echo "expected 240 reports"; exit 1; }
grep -q "Sent 240 of 240 reports" "$work/download.err" || { echo "no progress shown"; exit 1; }

# Vendor id 0 matches nothing: the command must say so, fail, and send nothing.
if PADLINK_VENDOR_ID=0x0000 "$qd6" download "$profile" > /dev/null 2> "$work/absent.err"; then
    echo "download without a keypad succeeded"
    exit 1
fi
grep -qx "No keypad connected" "$work/absent.err" || { cat "$work/absent.err"; exit 1; }
# A keypad that cannot be opened (the simulator's log is unwritable): no download,
# and the udev rule is named.
if PADLINK_SIMULATOR=/nonexistent-dir/k.log "$qd6" download "$profile" > /dev/null 2> "$work/locked.err"; then
    echo "download to a keypad that cannot be opened succeeded"
    exit 1
fi
grep -q "cannot be opened for writing" "$work/locked.err" &&
    grep -q "70-corvask12-keypad.rules" "$work/locked.err" || { cat "$work/locked.err"; exit 1; }
echo "qd6 download: 240 reports match"
