#!/usr/bin/env bash
# PadConfig.exe's Mode > By Application... under wine, as a Windows user uses it, on an
# X server of its own (run it with tests/support/on-own-display.sh): Add Rule lists the
# windows open now (padconfig-modes.exe --list-windows), and choosing a window and a
# mode writes its rule into %APPDATA%\PadConfig\modes.conf on OK; "Switch modes
# automatically" writes the user's Run value and starts the service, and set off
# removes the value and ends the service; where the machine's Run value (the
# installer's) starts it, off writes the user's ModesAtSignIn = 0 and on removes it.
# With SHOTS it keeps screenshots of both dialogs there.
# Usage: mode-rules-e2e.sh WINE_RUN BIN_DIR FOREGROUND_WINDOW OUT [SHOTS]
# Exits 77 (skipped) without wine.
set -uo pipefail
wine_run=$1 bin=$(cd "$2" && pwd) window=$3 out=$4 shots=${5:-}
"$wine_run" --check || exit 77
source "$(dirname "$0")/../support/e2e.sh"
rm -rf "$out" && mkdir -p "$out"
# The prefix with wine's X11 driver that padconfig-exe-e2e.sh uses too.
export WINEPREFIX=${PADCONFIG_WINE_X11_PREFIX:-$(dirname "$bin")/wine-x11} PADCONFIG_WINE_GRAPHICS=x11
export PADLINK_SIMULATOR=$out/keypad.log
run_key='Software\Microsoft\Windows\CurrentVersion\Run'
forget_switch() {
    for key in "HKCU\\$run_key" "HKLM\\$run_key"; do
        "$wine_run" reg delete "$key" /v "PadConfig Modes" /f >/dev/null 2>&1
    done
    "$wine_run" reg delete 'HKCU\Software\PadConfig' /f >/dev/null 2>&1
}
on_fail() { echo "--- PadConfig.exe's output"; tail -5 "$out/padconfig.log"; }
trap 'forget_switch; "$wine_run" --stop; kill $(jobs -p) 2>/dev/null' EXIT

# A registry value's data, or nothing when the key or value is missing.
value() {
    "$wine_run" reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' |
        sed -n 's/^ *\([^ ].*\)\?  *REG_[A-Z_]*  *//p'
}
window_id() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1; }
shown() { wait_for "${2:-10}" window_id "$1" >/dev/null && echo shown || echo missing; }
gone() { wait_for 10 bash -c "! xdotool search --onlyvisible --name '^$1\$' >/dev/null" && echo gone || echo shown; }
# Xvfb has no window manager: nothing gives a new window the keyboard by itself.
give_focus() { xdotool windowfocus --sync "$(window_id "$1")"; sleep 0.3; }
keys() { for key in "$@"; do xdotool key --clearmodifiers "$key"; sleep 0.2; done; }
shot() {
    [ -n "$shots" ] || return 0
    local id geometry
    id=$(window_id "$1") && geometry=$(xdotool getwindowgeometry --shell "$id") || return 0
    eval "$geometry"
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$shots/$2"
}
service_runs() {
    pgrep -af 'padconfig-modes[.]exe' | grep -qv -- --list-windows && echo runs || echo stopped
}
# Until no padconfig-modes.exe --list-windows runs: the dialog has its answer.
no_listing() { ! pgrep -f 'padconfig-modes[.]exe.*--list-windows' >/dev/null; }
listed() { wait_for 20 no_listing; sleep 0.5; }
caption="Modes by Application"
# Opens the dialog, presses Alt+S (the switch) and OK.
toggle_switch() {
    give_focus "Corvask 12 - .*"
    keys alt+m b
    [ "$(shown "$caption")" = shown ] || fail "Mode > By Application... opened no dialog"
    give_focus "$caption"
    keys alt+s Return
    [ "$(gone "$caption")" = gone ] || fail "OK did not close the dialog"
}

"$wine_run" cmd.exe /c exit 0 # the prefix is made once
forget_switch
appdata=$("$wine_run" cmd.exe /c echo %APPDATA% | tr -d '\r')
rules=$("$wine_run" winepath -u "$appdata" 2>/dev/null)/PadConfig/modes.conf
rm -f "$rules"
service_exe=$("$wine_run" winepath -w "$bin/padconfig-modes.exe" 2>/dev/null | tr -d '\r')

# A game's window, then PadConfig on top of it.
"$wine_run" "$window" show PadTestGame "Game" 240 >/dev/null 2>&1 &
[ "$(shown Game 60)" = shown ] || fail "the test window did not map"
"$wine_run" "$bin/PadConfig.exe" >"$out/padconfig.log" 2>&1 &
[ "$(shown "Corvask 12 - .*" 60)" = shown ] || fail "PadConfig's window did not map in 60 s"

# Add Rule: Down chooses the first window PadConfig does not own (the game's), Alt+O
# Down Mode B; OK; then the switch on and OK.
give_focus "Corvask 12 - .*"
keys alt+m b
[ "$(shown "$caption")" = shown ] || fail "Mode > By Application... opened no dialog"
give_focus "$caption"
keys alt+a
[ "$(shown "Add Rule")" = shown ] || fail "Add... opened no dialog"
give_focus "Add Rule"
listed
keys Down alt+o Down
shot "Add Rule" windows-mode-rules-add.png
keys Return
check "OK closes Add Rule" gone "$(gone "Add Rule")"
give_focus "$caption"
keys alt+s
shot "$caption" windows-mode-rules.png
keys Return
check "OK closes the dialog" gone "$(gone "$caption")"
check "the rule of the listed window is in the rules file" 1 \
    "$(grep -cE '^app:PadTestGame[[:space:]]+b([[:space:]]|$)' "$rules" 2>/dev/null)"
check "on: the user's Run value starts the service" "\"$service_exe\"" \
    "$(soon "\"$service_exe\"" value "HKCU\\$run_key" "PadConfig Modes")"
check "on: the service runs" runs "$(soon runs service_runs)"

toggle_switch
check "off: the user's Run value is gone" "" "$(soon "" value "HKCU\\$run_key" "PadConfig Modes")"
check "off: the service has ended" stopped "$(soon stopped service_runs)"

# The installer's Run value for every user: the switch shows it on; off and on write
# and remove the user's ModesAtSignIn = 0, and leave the machine's value alone.
"$wine_run" reg add "HKLM\\$run_key" /v "PadConfig Modes" /d "\"$service_exe\" --at-sign-in" /f >/dev/null
toggle_switch
check "off with the machine's value: ModesAtSignIn is 0" 0x0 \
    "$(soon 0x0 value 'HKCU\Software\PadConfig' ModesAtSignIn)"
check "off with the machine's value: no Run value of the user's" "" \
    "$(value "HKCU\\$run_key" "PadConfig Modes")"
toggle_switch
check "on with the machine's value: ModesAtSignIn is gone" "" \
    "$(soon "" value 'HKCU\Software\PadConfig' ModesAtSignIn)"
check "on with the machine's value: still no Run value of the user's" "" \
    "$(value "HKCU\\$run_key" "PadConfig Modes")"
check "on with the machine's value: the service runs" runs "$(soon runs service_runs)"
check "the machine's value stays" "\"$service_exe\" --at-sign-in" \
    "$(value "HKLM\\$run_key" "PadConfig Modes")"
finish_checks mode_rules_exe
