#!/usr/bin/env bash
# The mode service follows the focus on a real desktop, running focus-session.sh there:
#   focus-scenario.sh DESKTOP BIN_DIR FOCUS_WINDOW
# DESKTOP is x11 (Xvfb with Openbox), sway (headless), kwin (kwin_wayland --virtual) or
# gnome (gnome-shell --headless). BIN_DIR holds padconfig-modes, padconfig, Qd6LoaderS,
# qd6 and PadLink, with the KWin script and the GNOME Shell extension in ../share;
# FOCUS_WINDOW is the test window program. FOCUS_SESSION names another session script
# of this folder to run instead of focus-session.sh (mode-latency.sh runs
# latency-session.sh); SWAY_XWAYLAND=1 runs sway with XWayland. Each desktop runs with a
# session bus of its own. sway refuses to
# run as root, so as root the Wayland desktops run as the user padconfig-check, made
# here when missing, and GNOME Shell with a system bus of its own (with-system-bus.sh).
# Logs stay in the folder the last line names (the desktop's own in session.err).
# Exit 77 when the desktop cannot run here.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
desktops=$here/../desktop

# --- inside the desktop's session bus: focus-scenario.sh --in DESKTOP BIN_DIR FOCUS_WINDOW OUT_DIR
if [[ "${1:-}" == --in ]]; then
    bin=$3 test_window=$4 out=$5 window_exe='exe "focus_window"'
    export QT_QPA_PLATFORM=wayland
    case $2 in
    x11)
        desktop=X11 QT_QPA_PLATFORM=xcb
        openbox --sm-disable >"$out/openbox.log" 2>&1 &
        wm=$!
        stop_desktop() { kill $wm 2>/dev/null; }
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
        ;;
    sway)
        desktop=sway window_exe='exe unknown'
        source "$desktops/headless-sway.sh"
        stop_desktop() {
            kill "$sway_pid" 2>/dev/null
            wait "$sway_pid" 2>/dev/null
        }
        start_desktop() { start_headless_sway "$out" ${SWAY_XWAYLAND:+xwayland}; }
        start_desktop || exit 77
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
        ;;
    kwin | gnome)
        source "$desktops/headless-compositor.sh"
        stop_desktop() {
            kill "$compositor_pid" 2>/dev/null
            wait "$compositor_pid" 2>/dev/null
        }
        # A JavaScript test of a window w: its class, or PadConfig's title.
        is_window() {
            if [[ $1 == padconfig ]]; then
                echo "String($2).indexOf('Corvask 12 -') == 0"
            else
                echo "String($3) == 'org.padconfig.test.$1'"
            fi
        }
        ;;&
    kwin)
        desktop=KWin
        start_desktop() { start_headless_kwin "$out"; }
        start_desktop || exit 77
        export XDG_CURRENT_DESKTOP=KDE
        windows='(workspace.windowList ? workspace.windowList() : workspace.clientList())'
        for name in one two padconfig; do
            test=$(is_window $name w.caption w.resourceClass)
            printf 'var l = %s; for (var i = 0; i < l.length; ++i) { var w = l[i]; if (%s) print("padconfig-test: up %s"); }\n' \
                "$windows" "$test" $name >"$out/up-$name.js"
            printf 'var l = %s; for (var i = 0; i < l.length; ++i) { var w = l[i]; if (%s) { if (workspace.windowList) workspace.activeWindow = w; else workspace.activeClient = w; } }\n' \
                "$windows" "$test" >"$out/focus-$name.js"
        done
        window_up() {
            "$desktops/compositor-call.sh" kwin "$out/up-$1.js" && sleep 0.2 &&
                grep -q "padconfig-test: up $1" "$out/kwin.log"
        }
        focus_command() { echo "'$desktops/compositor-call.sh' kwin '$out/focus-$1.js'"; }
        # Stopping the service unloads its script from KWin.
        service_stopped() {
            check "the service's KWin script is unloaded when it stops" "boolean false" \
                "$(dbus-send --session --print-reply --dest=org.kde.KWin /Scripting \
                    org.kde.kwin.Scripting.isScriptLoaded string:padconfig-modes | grep -o 'boolean.*')"
        }
        ;;
    gnome)
        desktop="GNOME Shell"
        # The extension, installed for the user before the shell looks for extensions.
        extensions=$HOME/.local/share/gnome-shell/extensions
        mkdir -p "$extensions"
        cp -r "$bin/../share/gnome-shell/extensions/padconfig@padconfig.org" "$extensions/"
        start_headless_gnome "$out" || exit 77
        export XDG_CURRENT_DESKTOP=GNOME
        windows='global.get_window_actors().map(a => a.meta_window)'
        for name in one two padconfig; do
            test=$(is_window $name 'w.get_title()' 'w.get_wm_class()')
            echo "$windows.some(w => $test)" >"$out/up-$name.js"
            echo "$windows.filter(w => $test).forEach(w => w.activate(global.get_current_time()))" \
                >"$out/focus-$name.js"
            echo "(w => w != null && $test)(global.display.focus_window)" >"$out/focused-$name.js"
        done
        shell_says() { "$desktops/compositor-call.sh" gnome "$out/$1.js" | grep -q 'string "true"'; }
        window_up() { shell_says "up-$1"; }
        focus_command() { echo "'$desktops/compositor-call.sh' gnome '$out/focus-$1.js' >/dev/null"; }
        # A window that has just been mapped may not take the focus yet: again until it has.
        focus_on() {
            for _ in $(seq 50); do
                eval "$(focus_command "$1")"
                shell_says "focused-$1" && return
                sleep 0.1
            done
        }
        # The extension is installed but not enabled: the service says how to enable it.
        service_started() {
            local hint
            hint=$(until_true gdbus call --session -d org.padconfig.Modes -o /org/padconfig/Modes \
                -m org.padconfig.Modes1.Status | grep -o "run 'gnome-extensions enable [^']*'")
            check "the service tells how to enable the extension" \
                "run 'gnome-extensions enable padconfig@padconfig.org'" "$hint"
            hint=${hint#run \'}
            ${hint%\'} >/dev/null
            until_true grep -q '^following the focus on GNOME Shell on Wayland now' "$log"
        }
        ;;
    esac
    declare -F focus_on >/dev/null || focus_on() { eval "$(focus_command "$1")"; }
    trap stop_desktop EXIT
    source "$here/${FOCUS_SESSION:-focus-session.sh}"
    exit
fi

# --- the desktop -------------------------------------------------------------------------
desktop=$1
bin=$(realpath "$2")
test_window=$(realpath "$3")
case $desktop in
x11) tools="Xvfb openbox xdotool xprop" ;;
sway) tools="sway swaymsg jq" ;;
kwin) tools="kwin_wayland dbus-send dbus-run-session" ;;
gnome) tools="gnome-shell gnome-extensions gdbus dbus-send dbus-run-session dbus-daemon" ;;
*)
    echo "usage: focus-scenario.sh x11|sway|kwin|gnome BIN_DIR FOCUS_WINDOW"
    exit 2
    ;;
esac
for tool in $tools gdbus; do
    command -v "$tool" >/dev/null || {
        echo "$tool is not installed: skipped"
        exit 77
    }
done
keep=${TMPDIR:-/tmp}/padconfig-focus-$desktop
rm -rf "$keep"
work=$(mktemp -d)
chmod 755 "$work"
out=$work/out
trap 'mkdir -p "$keep"; cp -r "$out"/. "$keep"/ 2>/dev/null; rm -rf "$keep"/run "$work"; echo "logs: $keep"' EXIT
mkdir -p "$out/run" "$out/home"
chmod 700 "$out/run"
cp "$here/../../resources/samples/example.qd6" "$out/"
script=$0
as_user=()
if [[ $(id -u) -eq 0 && $desktop != x11 ]]; then
    user=padconfig-check
    id -u "$user" >/dev/null 2>&1 || useradd --system --no-create-home \
        --home-dir /nonexistent --shell /usr/sbin/nologin "$user" || exit 77
    chown -R "$user:" "$out"
    as_user=(setpriv "--reuid=$user" "--regid=$user" --clear-groups)
    # The user needs the programs: copy them when the build tree is closed to it.
    if ! "${as_user[@]}" test -x "$bin/padconfig-modes" -a -x "$test_window" -a -r "$script"; then
        stage=$work/stage
        mkdir -p "$stage/bin" "$stage/tests/modes" "$stage/tests/desktop" "$stage/tests/support"
        cp -a "$bin/padconfig-modes" "$bin/padconfig" "$bin/Qd6LoaderS" "$bin/qd6" "$bin"/*.so \
            "$test_window" "$stage/bin/"
        [[ -x "$bin/mode_latency_probe" ]] && cp -a "$bin/mode_latency_probe" "$stage/bin/"
        cp -a "$bin/../share" "$stage/"
        cp -a "$here"/*.sh "$here"/*.py "$stage/tests/modes/"
        cp -a "$desktops"/*.sh "$stage/tests/desktop/"
        cp -a "$here"/../support/*.sh "$stage/tests/support/"
        chmod -R a+rX "$stage"
        bin=$stage/bin test_window=$stage/bin/$(basename "$test_window")
        script=$stage/tests/modes/$(basename "$0")
    fi
fi
session=(env HOME="$out/home" XDG_RUNTIME_DIR="$out/run" dbus-run-session --
    "$script" --in "$desktop" "$bin" "$test_window" "$out")
case $desktop in
x11) timeout 120 "$here/../support/on-own-display.sh" --screen 1024x768x24 "${session[@]}" ;;
*)
    wrap=("${as_user[@]}")
    [[ $desktop == gnome ]] && wrap=("$desktops/with-system-bus.sh" "${as_user[@]}")
    # The compositor's and the buses' chatter goes to session.err.
    timeout 120 "${wrap[@]}" env -i PATH="$PATH" LANG=C.UTF-8 FOCUS_SESSION="${FOCUS_SESSION:-}" \
        SWITCHES="${SWITCHES:-}" SWAY_XWAYLAND="${SWAY_XWAYLAND:-}" "${session[@]}" \
        2>"$out/session.err"
    ;;
esac
