#!/usr/bin/env bash
# Runs a command with a system bus, which GNOME Shell needs:
#   with-system-bus.sh COMMAND...
# Where a system bus answers, the command runs as it is. Else, as root, it runs in a
# mount namespace of its own with a system bus of its own: empty folders hide
# /run/dbus and /run/systemd (whose presence claims a logind that a container does
# not run). Exit 77 when neither works.
set -uo pipefail
answers() { dbus-send --system --print-reply --dest="$1" / org.freedesktop.DBus.Peer.Ping >/dev/null 2>&1; }
if [[ "${1:-}" != --inside ]]; then
    if answers org.freedesktop.DBus && { [[ ! -d /run/systemd/system ]] || answers org.freedesktop.login1; }; then
        exec "$@"
    fi
    if [[ $(id -u) -ne 0 ]] || ! command -v unshare >/dev/null; then
        echo "no system bus, and only root may make one: skipped"
        exit 77
    fi
    exec unshare -m "$0" --inside "$@"
fi
shift
pidfile=$(mktemp)
mount -t tmpfs tmpfs /run/dbus && mount -t tmpfs tmpfs /run/systemd &&
    dbus-daemon --system --fork --print-pid=3 3>"$pidfile" || {
    echo "cannot start a system bus here: skipped"
    exit 77
}
"$@"
status=$?
kill "$(cat "$pidfile")"
rm -f "$pidfile"
exit $status
