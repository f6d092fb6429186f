#!/usr/bin/env bash
# The installer under wine, as a user runs it: a silent install (/S /MODES) into a new
# wine prefix puts every file of the list where it belongs, byte for byte, with the
# Start-menu entry, the .qd6 file type, the uninstall entry and the mode service's Run
# value for every user, which a user's "off" (PadConfig's switch) makes end at once;
# the installed padconfig-modes.exe runs; the silent uninstall (the uninstall entry's
# QuietUninstallString) removes every file, folder and key it made.
# Exit 77 (skipped) without wine or without the installer (no makensis).
#   installer-check.sh INSTALLER INSTALLED_FILES_LIST BIN_DIR LANG_DIR WINE_RUN WORK_DIR VERSION
set -uo pipefail
installer=$1 list=$2 bin=$3 lang=$4 wine=$5 work=$6 version=$7
"$wine" --check || exit 77
if [ ! -f "$installer" ]; then
    echo "$installer is missing (makensis is needed to make it): skipped"
    exit 77
fi
rm -rf "$work"
mkdir -p "$work"
export WINEPREFIX=$work/wine
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
folder="$WINEPREFIX/drive_c/Program Files/PadConfig"
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/PadConfig.lnk"
classes='HKLM\Software\Classes'
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\PadConfig'
run_key='Software\Microsoft\Windows\CurrentVersion\Run'
user_settings='HKCU\Software\PadConfig'
# A registry value's data, or nothing when the key or value is missing.
value() {
    local key=$1 name=$2 option=(/v "$2")
    [ -n "$name" ] || option=(/ve)
    "$wine" reg query "$key" "${option[@]}" 2>/dev/null | tr -d '\r' |
        sed -n 's/^ *\([^ ].*\)\?  *REG_[A-Z_]*  *//p'
}

started=$(date +%s%N)
"$wine" "$installer" /S /MODES || fail "the installer exited $?"
echo "silent install into a new prefix: $((($(date +%s%N) - started) / 1000000)) ms"

while read -r file; do
    if [ "${file#lang/}" != "$file" ]; then source="$lang/${file#lang/}"; else source="$bin/$file"; fi
    cmp -s "$source" "$folder/$file" || fail "$file is not installed as built"
done <"$list"
[ -f "$folder/uninstall.exe" ] || fail "no uninstall.exe"
[ -f "$shortcut" ] || fail "no Start-menu entry"

[ "$(value "$classes\\.qd6" "")" = "CV12_2 Game Profile" ] || fail ".qd6 is not the profile type"
open='"C:\Program Files\PadConfig\PadConfig.exe" "%1"'
[ "$(value "$classes\\CV12_2 Game Profile\\shell\\open\\command" "")" = "$open" ] ||
    fail "the open command is not $open"
[ "$(value "$classes\\CV12_2 Game Profile\\DefaultIcon" "")" = 'C:\Program Files\PadConfig\PadConfig.exe,0' ] ||
    fail "the file type has no icon"
for name in DisplayName DisplayVersion Publisher UninstallString QuietUninstallString DisplayIcon EstimatedSize; do
    [ -n "$(value "$uninstall_key" "$name")" ] || fail "the uninstall entry has no $name"
done
[ "$(value "$uninstall_key" DisplayVersion)" = "$version" ] || fail "DisplayVersion is not $version"
[ "$(value "HKLM\\$run_key" "PadConfig Modes")" = '"C:\Program Files\PadConfig\padconfig-modes.exe" --at-sign-in' ] ||
    fail "/MODES did not make the mode service start at every user's sign-in"
[ -z "$(value "HKCU\\$run_key" "PadConfig Modes")" ] ||
    fail "/MODES wrote the Run value of the account that installs"
"$wine" "$folder/padconfig-modes.exe" --version | grep -q "padconfig-modes $version" ||
    fail "the installed padconfig-modes.exe does not run"
# A user who switched the service off: started at sign-in, it ends at once.
"$wine" reg add "$user_settings" /v ModesAtSignIn /t REG_DWORD /d 0 /f >/dev/null
timeout 60 "$wine" "$folder/padconfig-modes.exe" --at-sign-in 2>/dev/null ||
    fail "padconfig-modes.exe --at-sign-in ran on (or failed: $?) for a user who switched it off"
"$wine" reg delete "$user_settings" /f >/dev/null

# A running mode service, started as at sign-in, which the uninstaller ends before it
# removes the program.
"$wine" "$folder/padconfig-modes.exe" --at-sign-in 2>/dev/null &
service=$!
for _ in $(seq 100); do
    find "$WINEPREFIX/drive_c/users" -name padconfig-modes.lock -size +0 | grep -q . && break
    sleep 0.1
done

# As the system's "uninstall" does: the quiet command, which hands over to a copy of
# the uninstaller in the temporary folder and returns; wait until that has finished.
quiet=$(value "$uninstall_key" QuietUninstallString)
program=${quiet#\"}
program=${program%%\"*}
[ "$quiet" = "\"$program\" /S" ] || fail "QuietUninstallString is $quiet"
"$wine" "$program" /S || fail "the uninstaller exited $?"
for _ in $(seq 300); do
    [ -e "$folder" ] || break
    sleep 0.1
done
for _ in $(seq 100); do
    kill -0 "$service" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$service" 2>/dev/null; then
    fail "the uninstaller left the mode service running"
    kill "$service"
fi
wait "$service" || fail "the mode service ended with $? when the uninstaller stopped it"
[ ! -e "$folder" ] || fail "left behind: $(cd "$folder" && find . -mindepth 1 | tr '\n' ' ')"
[ ! -e "$shortcut" ] || fail "the Start-menu entry is left"
[ -z "$(value "$classes\\.qd6" "")" ] || fail "the .qd6 type is left"
"$wine" reg query "$classes\\CV12_2 Game Profile" >/dev/null 2>&1 && fail "the profile type's key is left"
"$wine" reg query "$uninstall_key" >/dev/null 2>&1 && fail "the uninstall entry is left"
[ -z "$(value "HKLM\\$run_key" "PadConfig Modes")" ] || fail "the Run value is left"

"$wine" --stop
[ "$failures" -eq 0 ] || exit 1
echo "all checks passed"
