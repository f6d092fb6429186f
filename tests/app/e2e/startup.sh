#!/usr/bin/env bash
# Cold start of PadConfig to its main window on screen, repeated; prints each time
# and the median in milliseconds.
# Usage: xvfb-run -a -s "-screen 0 1024x768x24" startup.sh BIN_DIR [RUNS]
set -euo pipefail
bin=$1
runs=${2:-7}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$(dirname "$0")/session.sh"
times=()
for _ in $(seq "$runs"); do
    start=$(date +%s%N)
    "$bin/padconfig" >/dev/null 2>&1 &
    pid=$!
    until xdotool search --onlyvisible --name '^Corvask 12 - $' >/dev/null 2>&1; do
        sleep 0.002
    done
    end=$(date +%s%N)
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    times+=($(((end - start) / 1000000)))
    sleep 0.3
done
echo "start-up times (ms): ${times[*]}"
printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END {print "median (ms): " a[int((NR+1)/2)]}'
