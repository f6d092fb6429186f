#!/usr/bin/env bash
# Runs a command on an X server of its own and passes on its exit status:
#   on-own-display.sh [--screen WxHxD] COMMAND...
# Xvfb picks a free display number itself (-displayfd) and says it once it accepts
# clients, so tests that run at the same time never pick the same display, as
# concurrent `xvfb-run -a` calls can. The screen is 1280x1024x8 unless given. The
# server does not reset when its last client leaves, so a program that connects just
# then (after a helper such as xdotool has left) is not turned away.
set -uo pipefail
screen=1280x1024x8
if [ "${1:-}" = --screen ]; then
    screen=$2
    shift 2
fi
tmp=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp -noreset 3>"$tmp/display" 2>"$tmp/xvfb.log" &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; rm -rf "$tmp"' EXIT
for _ in $(seq 200); do
    [ -s "$tmp/display" ] && break
    kill -0 "$xvfb" 2>/dev/null || break
    sleep 0.05
done
if [ ! -s "$tmp/display" ]; then
    echo "on-own-display.sh: Xvfb did not start:" >&2
    cat "$tmp/xvfb.log" >&2
    exit 1
fi
DISPLAY=:$(head -n 1 "$tmp/display") "$@"
