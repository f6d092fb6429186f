#!/usr/bin/env bash
# padconfig-modes.exe under wine, as on Linux: windows of other programs take the
# foreground and the simulated keypad gets each rule's mode (by window class, by
# program name, by title), nothing while one of PadConfig's windows has it, the
# rules are read again when the file changes, a second instance leaves the first
# alone, WM_CLOSE ends the service, and --check says what the Linux --check says.
# Exit 77 (skipped) without wine.
#   modes-service.sh MODES_EXE FOREGROUND_WINDOW_EXE WINE_RUN WORK_DIR [LINUX_MODES]
set -uo pipefail
modes=$1 window=$2 wine=$3 work=$4 linux=${5:-}
"$wine" --check || exit 77
rm -rf "$work"
mkdir -p "$work"
cd "$work" || exit 1
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

appdata=$("$wine" cmd.exe /c echo %APPDATA% | tr -d '\r')
rules=$("$wine" winepath -u "$appdata" 2>/dev/null)/PadConfig/modes.conf
mkdir -p "$(dirname "$rules")"
printf '%s\n' 'app:PadTestGame  b' 'exe:factorio     c   # Factorio.exe' 'title:"Report *" a' >"$rules"
# The same program as Factorio.exe and as PadConfig.exe.
cp "$window" Factorio.exe
cp "$window" PadConfig.exe

PADLINK_SIMULATOR="$("$wine" winepath -w "$work/keypad.log" 2>/dev/null)" \
    "$wine" "$modes" --print >print.txt 2>errors.txt &
service=$!

# Waits up to 20 s for a line of --print's output.
wait_for() {
    local i
    for i in $(seq 200); do
        grep -qF -- "$1" print.txt && return 0
        sleep 0.1
    done
    fail "no line with '$1' in --print's output"
    return 1
}
# Shows a window (PROGRAM CLASS TITLE) until the service has printed EXPECTED for it.
foreground() {
    local program=$1 class=$2 title=$3 expected=$4
    "$wine" "$program" show "$class" "$title" 30 &
    local shown=$!
    wait_for "$expected"
    "$wine" "$window" close "$class"
    wait "$shown"
}
wait_for "keypad appeared"
foreground "$window" PadTestGame Game 'app "PadTestGame", exe "foreground_window.exe", title "Game" -> Mode B (rule on line 1): sent'
foreground ./PadConfig.exe Qt642QWindowIcon "Corvask 12 - x.qd6" 'exe "PadConfig.exe", title "Corvask 12 - x.qd6" -> PadConfig has the focus'
foreground ./Factorio.exe Other1 Whatever 'exe "Factorio.exe", title "Whatever" -> Mode C (rule on line 2): sent'
foreground ./PadConfig.exe TQd6LdrSDlg "Qd6 Loader Show Status Only" 'title "Qd6 Loader Show Status Only" -> PadConfig has the focus'
foreground "$window" Other2 "Report 7" 'title "Report 7" -> Mode A (rule on line 3): sent'
# A new rule for the window the service saw last.
printf '%s\n' 'title:"Report *" c' >"$rules.new" && mv "$rules.new" "$rules"
wait_for "rules reloaded from $appdata\\PadConfig\\modes.conf: 1 rule, default keep -> Mode C (rule on line 1): sent"

# A second instance finds the first and leaves.
"$wine" "$modes" >second.txt 2>&1
status=$?
[ "$status" -eq 0 ] && grep -q "already runs for this user (pid [1-9]" second.txt ||
    fail "a second instance: exit $status, $(cat second.txt)"

"$wine" "$window" close PadConfigModesService || fail "no service window to close"
wait "$service"
status=$?
[ "$status" -eq 0 ] || fail "the service ended with $status after WM_CLOSE: $(cat errors.txt)"

# Exactly the modes of the rules, in order; nothing for PadConfig's windows.
printf '03 ff ff %s 00 00 00 00\n' 02 03 01 03 >expected.log
cmp -s expected.log keypad.log || fail "the keypad got $(cat keypad.log 2>/dev/null), not $(cat expected.log)"

# --check as on Linux: the same lines for the same file, and exit status 1.
printf '%s\n' 'app:steam_app_570 a' 'exe:[broken b' 'title:x maybe' >check.conf
"$wine" "$modes" --check check.conf >check-windows.txt 2>&1
status=$?
tr -d '\r' <check-windows.txt >check-windows.unix
[ "$status" -eq 1 ] || fail "--check with errors exits $status"
if [ -x "$linux" ]; then
    "$linux" --check check.conf >check-linux.txt 2>&1
    diff check-linux.txt check-windows.unix || fail "--check differs from the Linux one"
else
    echo "the Linux padconfig-modes is missing: --check not compared"
fi
grep -q "check.conf: 1 rule, default keep; 2 lines are skipped" check-windows.unix ||
    fail "--check: $(cat check-windows.unix)"

[ "$failures" -eq 0 ] || { cat print.txt errors.txt; exit 1; }
cat print.txt
echo "all checks passed"
