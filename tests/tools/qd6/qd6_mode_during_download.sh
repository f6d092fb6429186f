#!/usr/bin/env bash
# A mode select by one program while another downloads lands after the download's
# last report, never between its reports: qd6 mode waits for qd6 download.
#   qd6_mode_during_download.sh QD6 PROFILE WORKDIR
set -euo pipefail
qd6=$1 profile=$2 work=$3
rm -rf "$work"
mkdir -p -m 700 "$work/run"
export XDG_RUNTIME_DIR=$work/run PADLINK_SIMULATOR=$work/k.log PADLINK_SIMULATOR_PAUSE_MS=5

"$qd6" download "$profile" > /dev/null 2>&1 &
download=$!
# Once the download is under way (its first reports logged), select Mode B.
for _ in $(seq 100); do [ -s "$work/k.log" ] && break; sleep 0.02; done
"$qd6" mode b > "$work/mode.out" 2> "$work/mode.err"
wait "$download"

grep -q "waiting for another program's download" "$work/mode.err" ||
    { echo "qd6 mode did not wait:"; cat "$work/mode.err"; exit 1; }
mode_line=$(grep -n '^03 ff ff 02' "$work/k.log" | cut -d: -f1)
[ "$mode_line" = 241 ] && [ "$(wc -l < "$work/k.log")" -eq 241 ] ||
    { echo "the mode report is line ${mode_line:-none} of $(wc -l < "$work/k.log"), not 241"; exit 1; }
echo "qd6 mode waited for the download: its report came after all 240"
