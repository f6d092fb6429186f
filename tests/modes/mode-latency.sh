#!/usr/bin/env bash
# The mode service's latency on the desktops of the focus scenario, over SWITCHES focus
# changes (default 40), median and 90th percentile, one line per desktop: from the
# desktop's focus command to the desktop telling of the change (the command alone), and
# to the mode report at the simulated keypad (the command and the service).
#   tests/modes/mode-latency.sh BIN_DIR FOCUS_WINDOW [x11|sway|kwin|gnome]...
# (after cmake --build build --target padconfig-modes focus_window mode_latency_probe)
# Without desktops it runs all four; one that cannot run here is left out.
bin=$1 test_window=$2
shift 2
desktops=("$@")
[[ $# -gt 0 ]] || desktops=(x11 sway kwin gnome)
status=0
for desktop in "${desktops[@]}"; do
    FOCUS_SESSION=latency-session.sh "$(dirname "$0")/focus-scenario.sh" "$desktop" "$bin" \
        "$test_window" | grep -v '^logs:'
    [[ ${PIPESTATUS[0]} -eq 0 || ${PIPESTATUS[0]} -eq 77 ]] || status=1
done
exit $status
