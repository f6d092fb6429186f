# The keyboard script that the X11 and the Wayland check both run, sourced by
# session-x11.sh and session-wayland.sh after they define the driver functions:
#   keys COMBO...        tap keys (xdotool names: shift+a, Escape, Tab, ctrl+s ...)
#   type_text WORD       type letters and digits
#   hold KEY SECONDS     hold one key down that long
#   window_origin TITLE  set WX, WY, WH to the client origin and height of the
#                        visible window whose title is exactly TITLE; fails when
#                        there is none
#   click X Y            click button 1 at screen position X, Y
#   main_title           print the main window's title
#   shot NAME            keep a screenshot as $out/NAME.png (where the tools allow)
#   give_focus TITLE     make that window the one that gets the keys, where the
#                        desktop does not do it by itself (X11 without a window
#                        manager)
#   after_start          (optional) checks of the session's own once the window is up
#   after_load           (optional) the same while the loader's window is up
# and set $bin (the programs) and $out (a folder of the user's own). It records a
# macro of shifted A and Escape in the Macro Editor, opened and driven by keyboard,
# gives it to key 1 of Mode A through the focused label's key menu, saves with
# Ctrl+S, starts LOAD with a keypad that goes away during the download, and quits
# with Ctrl+Q; $out/macro.qd6 and $out/macro.json are the result.

# The key menu of label n (1 to 16), opened from the keyboard: the focus starts on
# the Normal mode button, and Tab passes Mode A, B, C and LOAD before the labels.
open_key_menu() {
    local tabs=()
    for _ in $(seq $((4 + $1))); do tabs+=(Tab); done
    keys "${tabs[@]}" shift+F10
}

source "$here/../support/e2e.sh"
# window_soon TITLE: waits up to 10 s for the window and sets WX, WY.
window_soon() {
    for _ in $(seq 100); do
        window_origin "$1" 2>/dev/null && return 0
        sleep 0.1
    done
    return 1
}
shown() { window_soon "$1" && echo shown || echo missing; }
gone() { # gone TITLE: waits up to 5 s for the window to close
    for _ in $(seq 50); do
        window_origin "$1" 2>/dev/null || { echo gone; return; }
        sleep 0.1
    done
    echo shown
}

"$bin/qd6" new "$out/macro.qd6" >/dev/null
: >"$PADLINK_SIMULATOR"
# The keypad is unplugged after 12 reports: Normal and Mode A, then 10 of a download.
PADLINK_SIMULATOR_UNPLUG_AFTER=12 "$bin/padconfig" "$out/macro.qd6" >"$out/padconfig.log" 2>&1 &
padconfig_pid=$!
check "main window opens with the profile" "Corvask 12 - macro.qd6" \
    "$(soon "Corvask 12 - macro.qd6" main_title)"
window_soon "Corvask 12 - macro.qd6" || true
declare -F after_start >/dev/null && after_start
give_focus "Corvask 12 - macro.qd6"
sleep 0.5
shot start

# Mode A from the menu bar: Alt+M opens "&Mode" with Mode A highlighted.
keys alt+m
sleep 0.3
shot mode-menu
keys Return
check "Mode A chosen by the menu's keys" "03 ff ff 01 00 00 00 00" \
    "$(soon "03 ff ff 01 00 00 00 00" sh -c "tail -n 1 '$PADLINK_SIMULATOR' | tr A-F a-f")"

# Key 1's menu from the keyboard, then "New Macro...".
open_key_menu 1
sleep 0.4
shot key-menu
keys Down Return # the menu opens on "Single Key...", "New Macro..." is next
check "the key menu opens the Macro Editor" shown "$(shown "Macro Editor")"
shot editor
give_focus "Macro Editor"

# The name field has the focus; Tab passes the list to Rec, Space presses it.
type_text ShiftA
keys Tab Tab space
sleep 0.3
# While recording, Escape must not close the editor and shift+a must not type.
keys shift+a Escape
sleep 0.5
shot recording
check "Escape is recorded, not acted on" shown "$(shown "Macro Editor")"
# Escape held for a second stops the recording unrecorded; then Enter presses OK.
hold Escape 1.5
shot stopped
keys Return
check "OK closes the Macro Editor" gone "$(gone "Macro Editor")"
check "the key change marks the profile" "Corvask 12 - macro.qd6*" \
    "$(soon "Corvask 12 - macro.qd6*" main_title)"

give_focus "Corvask 12 - macro.qd6*"
keys ctrl+s
check "Ctrl+S saves" "Corvask 12 - macro.qd6" "$(soon "Corvask 12 - macro.qd6" main_title)"
"$bin/qd6" show --json "$out/macro.qd6" >"$out/macro.json"
slot='{"mode":0,"key":0,"kind":10,"label":"ShiftA","playMode":160,"events":[100,1,129,228,38,166,0,0,0,0,0,0,0,0,0,0]}'
check "key 1 of Mode A plays shift, A, A up, shift up, Escape, Escape up" 1 \
    "$(grep -cF "$slot" "$out/macro.json")"
check "the macro list holds it" 1 \
    "$(grep -cF '"macros":[{"name":"ShiftA","playMode":160,"events":[100,1,129,228,38,166,' "$out/macro.json")"

# LOAD from the keyboard (Shift+Tab from key 1): the loader shows the progress, and
# PadConfig warns when the keypad goes away during the download.
keys shift+Tab Return
check "LOAD shows the loader's progress" shown "$(shown "Qd6 Loader Show Status Only")"
shot loader
declare -F after_load >/dev/null && after_load
check "a keypad lost during LOAD is warned about" shown "$(shown Warning)"
shot warning
give_focus Warning
keys Return
check "Return closes the warning" gone "$(gone Warning)"
# A Wayland compositor gives the loader's window the keyboard while it is shown
# (Qt cannot ask it not to); it hides 2 s after the end of the download.
check "the loader hides after the download" gone "$(gone "Qd6 Loader Show Status Only")"

give_focus "Corvask 12 - macro.qd6"
keys ctrl+q
quit=gone
for _ in $(seq 50); do
    kill -0 "$padconfig_pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$padconfig_pid" 2>/dev/null && quit=running
check "Ctrl+Q quits" gone "$quit"
