#!/usr/bin/env bash
# Runs a Windows program under wine64, headless, in a wine prefix of the build's own:
#   cmake/wine-run.sh PROGRAM.exe [ARGUMENTS...]
# The prefix is WINEPREFIX, else the folder "wine" beside the program's folder (for
# build-windows/bin/qd6.exe: build-windows/wine). A new prefix is made once, with wine's
# "null" graphics driver, so windows work without an X server, and without a debugger
# for programs that crash. PADCONFIG_WINE_GRAPHICS=x11 makes a new prefix with wine's X11
# driver instead, for programs that show their windows on DISPLAY (give such a prefix
# its own WINEPREFIX). The wineserver stays
# for WINE_PERSIST seconds (default 10) after the last program, so that a series of
# runs starts it once; "cmake/wine-run.sh --stop" ends it at once, and
# "cmake/wine-run.sh --check" tells whether wine is there (exit 0, else 77).
set -euo pipefail
wine=${PADCONFIG_WINE:-/usr/lib/wine/wine64}
wineserver=${PADCONFIG_WINESERVER:-/usr/lib/wine/wineserver64}
# Exit status 77 without wine: the tests that run programs under wine are skipped.
if [ ! -x "$wine" ]; then
    echo "wine-run: $wine is missing: install wine64 (scripts/run-tests does); skipped"
    exit 77
fi
# "--check": only whether wine can run programs (0), or not (77).
[ "${1:-}" != --check ] || exit 0
stop=false
if [ "${1:-}" = --stop ]; then
    stop=true
    shift
fi
if [ -z "${WINEPREFIX:-}" ]; then
    program_dir=$(cd "$(dirname "${1:?give WINEPREFIX, or a program in the bin folder of a build}")" && pwd)
    WINEPREFIX=$(dirname "$program_dir")/wine
fi
export WINEPREFIX
export WINEDEBUG=${WINEDEBUG:--all}
# No desktop integration, no Mono or Gecko installers in a test prefix.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-winemenubuilder.exe,mscoree,mshtml=}
if $stop; then
    [ -d "$WINEPREFIX" ] && "$wineserver" -k 2>/dev/null || true
    exit 0
fi

mkdir -p "$WINEPREFIX"
ready=$WINEPREFIX/.padconfig-ready
if [ ! -e "$ready" ]; then
    (
        flock 9
        if [ ! -e "$ready" ]; then
            "$wine" wineboot --init >/dev/null 2>&1 || true
            "$wine" reg add 'HKCU\Software\Wine\Drivers' /v Graphics \
                /d "${PADCONFIG_WINE_GRAPHICS:-null}" /f >/dev/null
            # A program that crashes ends at once, instead of waiting in a debugger.
            "$wine" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
                /v Debugger /d '' /f >/dev/null
            # The desktop process that wineboot started keeps the driver it started
            # with, which could make no window: the next server starts with "null".
            "$wineserver" -k 2>/dev/null || true
            "$wineserver" -w 2>/dev/null || true
            touch "$ready"
        fi
    ) 9>"$WINEPREFIX/.padconfig-lock"
fi
# A server of this prefix that runs already keeps its own persistence. A new one keeps
# none of the caller's descriptors (see below).
"$wineserver" -p"${WINE_PERSIST:-10}" </dev/null >/dev/null 2>&1 || true

# Wine's helper processes (services.exe and its drivers, explorer.exe for the desktop)
# start with the first program of a session that needs them, inherit its output and
# live as long as the session: a caller that reads the output through a pipe until its
# end (CTest, $(...)) would wait for every other program of the session too. Output
# into a pipe is therefore written to a file and copied once the program has ended.
pipes=()
for fd in 1 2; do
    [ ! -p /dev/fd/$fd ] || pipes+=("$fd")
done
[ ${#pipes[@]} -gt 0 ] || exec "$wine" "$@"
output=$(mktemp -d)
trap 'rm -rf "$output"' EXIT
exec {stdout}>&1 {stderr}>&2
for fd in "${pipes[@]}"; do
    eval "exec $fd>\"\$output/$fd\""
done
status=0
"$wine" "$@" {stdout}>&- {stderr}>&- || status=$?
[ ! -e "$output/1" ] || cat "$output/1" >&"$stdout"
[ ! -e "$output/2" ] || cat "$output/2" >&"$stderr"
exit $status
