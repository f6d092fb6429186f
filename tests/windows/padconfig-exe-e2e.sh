#!/usr/bin/env bash
# PadConfig.exe and Qd6LoaderS.exe as a Windows user uses them, under wine on an X
# server of their own (run it with tests/support/on-own-display.sh), with the simulated
# keypad: the main window maps with a profile named on the command line; Save As writes
# the bytes the Linux build writes; Single Key records a key typed on the keyboard and
# the profile holds it; LOAD writes the 240 reports in order (those of the Linux qd6)
# while the loader shows its window; Exit ends PadConfig and the loader. With SHOTS it
# also keeps screenshots of the main window and the loader there.
# Usage: padconfig-exe-e2e.sh WINE_RUN BIN_DIR LINUX_QD6 SAMPLES OUT [SHOTS]
# Exits 77 (skipped) without wine or the Linux qd6.
set -uo pipefail
wine_run=$1 bin=$(cd "$2" && pwd) qd6=$3 samples=$4 out=$5 shots=${6:-}
"$wine_run" --check || exit 77
[ -x "$qd6" ] || { echo "needs the Linux qd6 at $qd6 (build the default preset): skipped"; exit 77; }
source "$(dirname "$0")/../support/e2e.sh"
rm -rf "$out" && mkdir -p "$out"
# A prefix of its own with wine's X11 driver: the build's other prefix is headless.
export WINEPREFIX=${PADCONFIG_WINE_X11_PREFIX:-$(dirname "$bin")/wine-x11} PADCONFIG_WINE_GRAPHICS=x11
export PADLINK_SIMULATOR=$out/keypad.log PADLINK_SIMULATOR_PAUSE_MS=5
on_fail() { echo "--- PadConfig.exe's output"; tail -5 "$out/padconfig.log"; }
trap '"$wine_run" --stop; kill $(jobs -p) 2>/dev/null' EXIT

window_id() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1; }
shown() { wait_for "${2:-10}" window_id "$1" >/dev/null && echo shown || echo missing; }
gone() { wait_for 10 bash -c "! xdotool search --onlyvisible --name '^$1\$' >/dev/null" && echo gone || echo shown; }
running() { pgrep -af 'PadConfig\.exe|Qd6LoaderS\.exe'; }
ended() { ! running >/dev/null; }
main_title() { xdotool getwindowname "$(window_id 'Corvask 12 - .*')"; }
# Xvfb has no window manager: nothing gives a new window the keyboard by itself.
give_focus() { xdotool windowfocus --sync "$(window_id "$1")"; sleep 0.3; }
keys() { for key in "$@"; do xdotool key --clearmodifiers "$key"; sleep 0.2; done; }
hold() { xdotool keydown "$1"; sleep "$2"; xdotool keyup "$1"; sleep 0.2; }
shot() {
    [ -n "$shots" ] || return 0
    local id geometry
    id=$(window_id "$1") && geometry=$(xdotool getwindowgeometry --shell "$id") || return 0
    eval "$geometry"
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$shots/$2"
}

cp "$samples/example.qd6" "$out/game.qd6"
"$wine_run" cmd.exe /c exit 0 # the prefix is made once, before the clock starts
start=$EPOCHREALTIME
"$wine_run" "$bin/PadConfig.exe" "$out/game.qd6" >"$out/padconfig.log" 2>&1 &
[ "$(shown "Corvask 12 - game.qd6" 60)" = shown ] || fail "the main window did not map in 60 s"
check "the main window maps with the profile" shown shown
awk -v t="$EPOCHREALTIME" -v s="$start" 'BEGIN { printf "PadConfig.exe mapped its window in %.2f s\n", t - s }'

# Save As onto a new name: the bytes of the Linux build's writer.
give_focus "Corvask 12 - game.qd6"
keys ctrl+shift+s
# Wine's file dialog has no title: it is the visible window besides the main one that
# is neither one of wine's 1x1 helper windows nor as large as the screen.
main=$(window_id "Corvask 12 - game.qd6")
read -r screen_width _ < <(xdotool getdisplaygeometry)
dialog_id() {
    local id
    for id in $(xdotool search --onlyvisible --name '' 2>/dev/null); do
        [ "$id" != "$main" ] && eval "$(xdotool getwindowgeometry --shell "$id")" || continue
        ((WIDTH > 100 && WIDTH < screen_width)) && echo "$id" && return
    done
    return 1
}
wait_for 10 dialog_id >/dev/null || fail "Save As opened no file dialog"
xdotool windowfocus --sync "$(dialog_id)"
sleep 0.5
keys End shift+Home # the offered name goes
xdotool type --delay 30 "Z:${out//\//\\}\\saved.qd6"
keys Return
check "Save As names the document" "Corvask 12 - saved.qd6" "$(soon "Corvask 12 - saved.qd6" main_title)"
"$qd6" convert "$out/game.qd6" "$out/linux.qd6"
check "Save As writes what the Linux build writes" same \
    "$(cmp -s "$out/saved.qd6" "$out/linux.qd6" && echo same || echo differs)"

# Mode A by the menu's keys, key 5's menu (Tab passes the mode buttons and LOAD
# first), Single Key, which takes the keyboard itself: Rec has the focus; z; Escape
# held stops; Return is OK.
give_focus "Corvask 12 - saved.qd6"
keys alt+m Return Tab Tab Tab Tab Tab Tab Tab Tab Tab shift+F10 Return
[ "$(shown "Single Key")" = shown ] || fail "the key menu did not open Single Key"
keys space z
hold Escape 1.5
keys Return
check "OK marks the profile" "Corvask 12 - saved.qd6*" "$(soon "Corvask 12 - saved.qd6*" main_title)"
shot "Corvask 12 - saved.qd6\\*" windows-padconfig.png
give_focus "Corvask 12 - saved.qd6\\*"
keys ctrl+s
check "Ctrl+S saves" "Corvask 12 - saved.qd6" "$(soon "Corvask 12 - saved.qd6" main_title)"
check "key 5 of Mode A holds Z" 1 \
    "$("$qd6" show --json "$out/saved.qd6" | grep -cF '{"mode":0,"key":4,"kind":1,"label":"Z",')"

# LOAD through File > Import: the loader shows the progress, the keypad gets the
# reports of the Linux qd6's download, in order, after the mode selects.
: >"$PADLINK_SIMULATOR"
keys alt+f i
check "LOAD shows the loader's progress" shown "$(shown "Qd6 Loader Show Status Only")"
shot "Qd6 Loader Show Status Only" windows-loader.png
wait_for 60 bash -c "[ \$(wc -l <'$PADLINK_SIMULATOR') -ge 240 ]"
PADLINK_SIMULATOR=$out/linux-keypad.log "$qd6" download "$out/saved.qd6" >/dev/null
check "LOAD writes the 240 reports in order" same \
    "$(cmp -s "$out/linux-keypad.log" "$PADLINK_SIMULATOR" && echo same || echo differs)"
check "the loader hides after the download" gone "$(gone "Qd6 Loader Show Status Only")"

# Exit: PadConfig asks the loader to quit, and both end.
give_focus "Corvask 12 - saved.qd6"
keys ctrl+q
check "Exit ends PadConfig.exe and the loader" ended \
    "$(wait_for 15 ended && echo ended || running)"
finish_checks padconfig_exe
