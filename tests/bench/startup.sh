#!/usr/bin/env bash
# PadConfig's start-up beside an empty Qt main window with a menu bar: RUNS launches
# of each, alternated, each timed from launch to its window being mapped, with the
# peak resident memory (VmHWM) at that moment. Prints every run, the medians and
# PadConfig's ratios to the empty window.
# PadConfig runs with the simulated keypad (PADLINK_SIMULATOR), so the numbers do not
# depend on the devices of the machine; it starts its loader as always.
# Usage: xvfb-run -a -s "-screen 0 1024x768x24" tests/bench/startup.sh BIN_DIR [RUNS]
#   BIN_DIR: build/bin (padconfig, Qd6LoaderS, startup_watch, empty_window_bench)
set -euo pipefail
bin=$(cd "$1" && pwd)
runs=${2:-15}
for program in padconfig startup_watch empty_window_bench; do
    [[ -x "$bin/$program" ]] || { echo "missing $bin/$program (build the bench targets)" >&2; exit 1; }
done
work=$(mktemp -d)
# The loader ends by itself once its socket's folder is gone; waiting for that lets it
# leave before the X server does.
trap 'rm -rf "$work"; sleep 0.5' EXIT
export QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR=$work/run
mkdir -m 700 "$XDG_RUNTIME_DIR"
export PADLINK_SIMULATOR=$work/keypad.log

measure() { # measure NAME PROGRAM: appends "MS KB CPU_MS" to $work/NAME
    "$bin/startup_watch" "$2" >>"$work/$1" 2>>"$work/stderr.log" || { cat "$work/stderr.log" >&2; exit 1; }
    sleep 0.3 # let the ended program and a starting loader settle before the next run
}

measure warmup "$bin/empty_window_bench" # the first start of all pays for cold caches
measure warmup "$bin/padconfig"
for i in $(seq "$runs"); do
    if ((i % 2)); then
        measure empty "$bin/empty_window_bench"
        measure padconfig "$bin/padconfig"
    else
        measure padconfig "$bin/padconfig"
        measure empty "$bin/empty_window_bench"
    fi
done

median() { # median FILE COLUMN
    cut -d' ' -f"$2" "$1" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'
}
report() { # report TITLE COLUMN UNIT
    local empty pad
    empty=$(median "$work/empty" "$2")
    pad=$(median "$work/padconfig" "$2")
    echo "$1: empty $empty $3, padconfig $pad $3, ratio" \
        "$(awk -v a="$pad" -v b="$empty" 'BEGIN {printf "%.2f", a / b}')"
}
for name in empty padconfig; do
    echo "$name ms:     $(cut -d' ' -f1 "$work/$name" | tr '\n' ' ')"
    echo "$name kB:     $(cut -d' ' -f2 "$work/$name" | tr '\n' ' ')"
    echo "$name CPU ms: $(cut -d' ' -f3 "$work/$name" | tr '\n' ' ')"
done
echo "medians of $runs runs each"
report "launch to window mapped" 1 ms
report "peak memory (VmHWM)" 2 kB
report "CPU time until mapped" 3 ms
