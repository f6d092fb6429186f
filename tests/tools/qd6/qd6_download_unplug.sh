#!/usr/bin/env bash
# qd6 download to a simulated keypad that is unplugged after 10 reports: qd6 stops,
# says how many reports were written, exits 1, and the keypad got exactly those.
#   qd6_download_unplug.sh QD6 PROFILE WORKDIR
set -euo pipefail
qd6=$1 profile=$2 work=$3
rm -rf "$work"
mkdir -p "$work"
# A runtime folder of its own: a keypad lock no other download holds.
mkdir -m 700 "$work/run"
export XDG_RUNTIME_DIR=$work/run
log="$work/k.log"

"$qd6" reports "$profile" > "$work/reports.txt"
head -n 10 "$work/reports.txt" > "$work/expected.txt"
status=0
PADLINK_SIMULATOR="$log" PADLINK_SIMULATOR_UNPLUG_AFTER=10 \
    "$qd6" download "$profile" > "$work/unplug.out" 2> "$work/unplug.err" || status=$?
[ "$status" -eq 1 ] || { echo "exit status $status, expected 1"; cat "$work/unplug.err"; exit 1; }
grep -q "disconnected during the download; 10 of 240 reports were written" "$work/unplug.err" ||
    { echo "the count is not printed:"; cat "$work/unplug.err"; exit 1; }
if grep -q "Downloaded" "$work/unplug.out"; then
    echo "qd6 claims a complete download"
    exit 1
fi
cmp "$work/expected.txt" "$log" ||
    { echo "the keypad should hold the first 10 reports only:"; cat "$log"; exit 1; }
echo "qd6 download: stopped after 10 reports"
