#!/usr/bin/env bash
# The mode service's latency on each desktop the focus scenario runs: from the
# desktop's focus command to the mode report at the simulated keypad, over SWITCHES
# focus changes (default 40), median and 90th percentile.
#   tests/modes/mode-latency.sh BIN_DIR FOCUS_WINDOW
# (after cmake --build build --target padconfig-modes focus_window mode_latency_probe)
FOCUS_SESSION=latency-session.sh exec "$(dirname "$0")/focus-scenario.sh" "$@"
