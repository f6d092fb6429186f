#!/bin/bash
# Times whole PadConfig downloads (start, Import, Exit on Xvfb with a simulated
# keypad and the recording stand-in loader) and prints the median of
# (time from the first report to the end message) / 16.8 s.
# Usage: measure_download_pace.sh BINDIR [RUNS]   (default 5 runs)
# Prefix with "chrt -f 10" to keep other work on the machine out of the figure.
set -euo pipefail
bindir=$1
runs=${2:-5}
here=$(cd "$(dirname "$0")" && pwd)
profile=$here/../../resources/samples/example.qd6
ratios=()
for ((i = 1; i <= runs; ++i)); do
    line=$(xvfb-run -a -s "-screen 0 1024x768x24" \
        bash "$here/padconfig_download_e2e.sh" "$bindir" "$profile" | grep '^download ')
    echo "run $i: $line"
    ratios+=("$(echo "$line" | awk '{ print $4 }')")
done
printf '%s\n' "${ratios[@]}" | sort -n |
    awk '{ r[NR] = $1 } END { m = NR % 2 ? r[(NR + 1) / 2] : (r[NR / 2] + r[NR / 2 + 1]) / 2
                            printf "median ratio over %d runs: %.4f\n", NR, m }'
