#!/usr/bin/env bash
# Records a macro by keyboard in PadConfig natively on Wayland (a headless sway) and
# on X11 (Xvfb), and checks that both save the same profile:
#   keyboard-check.sh BIN_DIR WL_INPUT
# BIN_DIR holds padconfig, Qd6LoaderS, qd6 and PadLink; WL_INPUT is the test input
# client. sway refuses to run as root, so as root the Wayland part runs as the user
# padconfig-check, made here when missing. Screenshots and logs of both sessions are
# kept in the folder that the last line names. Exit 77 when sway cannot run here.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
bin=$(realpath "$1")
wl_input=$(realpath "$2")
for tool in sway swaymsg grim jq; do
    if ! command -v "$tool" >/dev/null; then
        echo "$tool is not installed: skipped"
        exit 77
    fi
done
keep=${TMPDIR:-/tmp}/padconfig-keyboard-check
rm -rf "$keep"
work=$(mktemp -d)
chmod 755 "$work"
trap 'rm -rf "$work"' EXIT
status=0
# Skips the check, unless the X11 half already failed: a skip never hides a failure.
skip() {
    if [[ $status -ne 0 ]]; then
        echo "FAIL: the X11 run failed; $*"
        exit 1
    fi
    echo "$*: skipped"
    exit 77
}

# X11 first: the reference that the Wayland run must match.
x11=""
if command -v xvfb-run >/dev/null && command -v xdotool >/dev/null &&
    command -v xwininfo >/dev/null; then
    x11=$work/x11
    mkdir "$x11"
    timeout 120 xvfb-run -a -s "-screen 0 1024x768x24 -noreset" "$here/session-x11.sh" "$bin" "$x11" ||
        status=1
else
    echo "xvfb-run, xdotool or xwininfo missing: the X11 run is left out"
fi

# Wayland, as an unprivileged user when we are root.
wl=$work/wayland
mkdir -p "$wl/run" "$wl/home"
chmod 700 "$wl/run"
as_user=()
if [[ $(id -u) -eq 0 ]]; then
    user=padconfig-check
    if ! id -u "$user" >/dev/null 2>&1; then
        useradd --system --no-create-home --home-dir /nonexistent \
            --shell /usr/sbin/nologin "$user" || skip "cannot add $user"
    fi
    chown -R "$user:" "$wl"
    as_user=(setpriv "--reuid=$user" "--regid=$user" --clear-groups)
    # The user needs the programs: copy them when the build tree is closed to it.
    if ! "${as_user[@]}" test -x "$bin/padconfig" -a -x "$wl_input" -a -r "$here/scenario.sh"; then
        mkdir -p "$work/stage/tests/desktop" "$work/stage/tests/support"
        cp -a "$bin/padconfig" "$bin/Qd6LoaderS" "$bin/qd6" "$bin"/*.so "$wl_input" "$work/stage/"
        cp -a "$bin"/*.htm "$work/stage/" 2>/dev/null
        cp -a "$here"/*.sh "$work/stage/tests/desktop/"
        cp -a "$here"/../support/*.sh "$work/stage/tests/support/"
        chmod -R a+rX "$work/stage"
        bin=$work/stage wl_input=$work/stage/$(basename "$wl_input") here=$work/stage/tests/desktop
    fi
fi
timeout 120 "${as_user[@]}" env -i PATH="$PATH" HOME="$wl/home" XDG_RUNTIME_DIR="$wl/run" \
    LANG=C.UTF-8 "$here/session-wayland.sh" "$bin" "$wl_input" "$wl"
wayland_status=$?
if [[ $wayland_status -eq 77 ]]; then
    skip "the Wayland half cannot run here"
fi
[[ $wayland_status -eq 0 ]] || status=1

if [[ -n "$x11" && -f "$x11/macro.qd6" && -f "$wl/macro.qd6" ]]; then
    if cmp -s "$x11/macro.qd6" "$wl/macro.qd6" && cmp -s "$x11/macro.json" "$wl/macro.json"; then
        echo "ok: Wayland and X11 saved the same bytes"
    else
        echo "FAIL: Wayland and X11 saved different profiles"
        diff <(tr ',' '\n' <"$x11/macro.json") <(tr ',' '\n' <"$wl/macro.json") | head -20
        status=1
    fi
elif [[ -n "$x11" ]]; then
    echo "FAIL: a run saved no profile"
    status=1
fi

mkdir -p "$keep"
cp -r "$work"/x11 "$work"/wayland "$keep"/ 2>/dev/null
rm -rf "$keep"/wayland/run "$keep"/x11/run
echo "screenshots and logs: $keep"
exit $status
