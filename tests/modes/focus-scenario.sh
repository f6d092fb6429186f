#!/usr/bin/env bash
# The mode service follows the focus on real desktops: X11 (Xvfb with Openbox) and
# Wayland (a headless sway), each running focus-session.sh:
#   focus-scenario.sh BIN_DIR FOCUS_WINDOW
# BIN_DIR holds padconfig-modes, padconfig, Qd6LoaderS, qd6 and PadLink; FOCUS_WINDOW
# is the test window program. FOCUS_SESSION names another session script of this
# folder to run instead of focus-session.sh (mode-latency.sh runs latency-session.sh).
# sway refuses to run as root, so as root the Wayland part runs as the user
# padconfig-check, made here when missing. Logs stay in the folder the last line names.
# Exit 77 when neither desktop can run here.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)

# --- inside Xvfb: focus-scenario.sh --x11 BIN_DIR FOCUS_WINDOW OUT_DIR -----------------
if [[ "${1:-}" == --x11 ]]; then
    bin=$2 test_window=$3 out=$4 desktop=X11 window_exe='exe "focus_window"'
    export QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=$out/run HOME=$out/home
    mkdir -p -m 700 "$XDG_RUNTIME_DIR" "$HOME"
    openbox --sm-disable >"$out/openbox.log" 2>&1 &
    wm=$!
    stop_desktop() { kill $wm 2>/dev/null; }
    trap stop_desktop EXIT
    for _ in $(seq 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
        sleep 0.1
    done
    window_of() {
        case $1 in
        padconfig) xdotool search --onlyvisible --name '^Corvask 12 - ' | head -1 ;;
        *) xdotool search --onlyvisible --class "^org\.padconfig\.test\.$1\$" | head -1 ;;
        esac
    }
    window_up() { [[ -n "$(window_of "$1")" ]]; }
    focus_command() { echo "xdotool windowactivate --sync $(window_of "$1")"; }
    focus_on() { eval "$(focus_command "$1")"; }
    source "$here/${FOCUS_SESSION:-focus-session.sh}"
    exit
fi

# --- inside sway: focus-scenario.sh --wayland BIN_DIR FOCUS_WINDOW OUT_DIR -------------
if [[ "${1:-}" == --wayland ]]; then
    bin=$2 test_window=$3 out=$4 desktop=Wayland window_exe='exe unknown'
    source "$here/../desktop/headless-sway.sh"
    stop_desktop() {
        kill "$sway_pid" 2>/dev/null
        wait "$sway_pid" 2>/dev/null
    }
    trap stop_desktop EXIT
    start_headless_sway "$out" || exit 77
    export QT_QPA_PLATFORM=wayland
    criteria() {
        case $1 in
        padconfig) echo '[app_id="^org\.padconfig\.PadConfig$" title="^Corvask 12 - "]' ;;
        *) echo "[app_id=\"^org\\.padconfig\\.test\\.$1\$\"]" ;;
        esac
    }
    window_up() {
        local tree
        tree=$(swaymsg -t get_tree) || return 1
        case $1 in
        padconfig) jq -e '[.. | objects | select((.name? // "") | startswith("Corvask 12 - "))]
                          | length > 0' <<<"$tree" ;;
        *) jq -e --arg id "org.padconfig.test.$1" '[.. | objects | select(.app_id? == $id)]
                                                   | length > 0' <<<"$tree" ;;
        esac >/dev/null
    }
    focus_command() { echo "swaymsg '$(criteria "$1") focus' >/dev/null"; }
    focus_on() { eval "$(focus_command "$1")"; }
    source "$here/${FOCUS_SESSION:-focus-session.sh}"
    exit
fi

# --- the two desktops --------------------------------------------------------------------
bin=$(realpath "$1")
test_window=$(realpath "$2")
keep=${TMPDIR:-/tmp}/padconfig-focus-scenario
rm -rf "$keep"
work=$(mktemp -d)
chmod 755 "$work"
trap 'mkdir -p "$keep"; cp -r "$work"/x11 "$work"/wayland "$keep"/ 2>/dev/null;
      rm -rf "$keep"/*/run "$work"; echo "logs: $keep"' EXIT
status=0 ran=0

if command -v openbox >/dev/null && command -v xdotool >/dev/null && command -v xprop >/dev/null; then
    mkdir "$work/x11"
    cp "$here/../../resources/samples/example.qd6" "$work/x11/"
    timeout 120 "$here/../support/on-own-display.sh" --screen 1024x768x24 \
        "$0" --x11 "$bin" "$test_window" "$work/x11" || status=1
    ran=1
else
    echo "openbox, xdotool or xprop missing: the X11 run is left out"
fi

if command -v sway >/dev/null && command -v swaymsg >/dev/null && command -v jq >/dev/null; then
    wl=$work/wayland
    mkdir -p "$wl/run" "$wl/home"
    cp "$here/../../resources/samples/example.qd6" "$wl/"
    chmod 700 "$wl/run"
    as_user=()
    script=$0
    if [[ $(id -u) -eq 0 ]]; then
        user=padconfig-check
        id -u "$user" >/dev/null 2>&1 || useradd --system --no-create-home \
            --home-dir /nonexistent --shell /usr/sbin/nologin "$user" || exit 77
        chown -R "$user:" "$wl"
        as_user=(setpriv "--reuid=$user" "--regid=$user" --clear-groups)
        # The user needs the programs: copy them when the build tree is closed to it.
        if ! "${as_user[@]}" test -x "$bin/padconfig-modes" -a -x "$test_window" -a -r "$script"; then
            mkdir -p "$work/stage/bin" "$work/stage/modes" "$work/stage/desktop"
            cp -a "$bin/padconfig-modes" "$bin/padconfig" "$bin/Qd6LoaderS" "$bin/qd6" "$bin"/*.so \
                "$test_window" "$work/stage/bin/"
            [[ -x "$bin/mode_latency_probe" ]] && cp -a "$bin/mode_latency_probe" "$work/stage/bin/"
            cp -a "$here"/*.sh "$work/stage/modes/"
            cp -a "$here/../desktop/headless-sway.sh" "$work/stage/desktop/"
            chmod -R a+rX "$work/stage"
            bin=$work/stage/bin test_window=$work/stage/bin/$(basename "$test_window")
            script=$work/stage/modes/$(basename "$0")
        fi
    fi
    timeout 120 "${as_user[@]}" env -i PATH="$PATH" HOME="$wl/home" XDG_RUNTIME_DIR="$wl/run" \
        LANG=C.UTF-8 FOCUS_SESSION="${FOCUS_SESSION:-}" "$script" --wayland "$bin" "$test_window" "$wl"
    wayland_status=$?
    if [[ $wayland_status -eq 77 ]]; then
        [[ $ran -eq 1 ]] || exit 77
    else
        [[ $wayland_status -eq 0 ]] || status=1
    fi
else
    echo "sway, swaymsg or jq missing: the Wayland run is left out"
    [[ $ran -eq 1 ]] || exit 77
fi
exit $status
