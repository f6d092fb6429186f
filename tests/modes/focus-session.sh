# The focus scenario inside one desktop session, sourced by focus-scenario.sh once the
# desktop runs and these are defined:
#   stop_desktop                end the desktop (on exit)
#   focus_on one|two|padconfig  give that window the focus, the desktop's own way
#   window_up one|two|padconfig succeed once that window is shown
# and $bin (padconfig-modes, padconfig and its loader), $test_window (focus_window),
# $out (a folder of the session's user, holding example.qd6), $desktop (its name for the messages) and
# $window_exe (how --print names the test windows' executable there). It may define
#   service_started, service_stopped   the desktop's own checks then

source "$here/../support/e2e.sh"
CHECK_PREFIX="$desktop: "
# until_true COMMAND...: runs the command until it succeeds, for up to 20 s (a
# machine busy with other work can be slow to show a window or to read an event).
until_true() { wait_for 20 "$@"; }
log=$out/modes.log
lines_of() { grep -c "$1" "$log"; }                 # lines_of PATTERN
more_lines_than() { [[ $(lines_of "$1") -gt $2 ]]; } # more_lines_than PATTERN N
# The decision for the focus change that the command makes: the part after "-> "
# of the first focus line after those there were before.
decision_after() {
    local before
    before=$(lines_of '^focus')
    "$@"
    until_true more_lines_than '^focus' "$before" || return 1
    grep '^focus' "$log" | sed -n "$((before + 1))p"
}
mode_of() { # mode_of LINE: "app-id: Mode X (rule on line N)"
    sed -n 's/^focus: app "\([^"]*\)".* -> \([^:]*\).*/\1: \2/p' <<<"$1"
}

export XDG_CONFIG_HOME=$out/config
mkdir -p "$XDG_CONFIG_HOME/padconfig"
rules=$XDG_CONFIG_HOME/padconfig/modes.conf
cat >"$rules" <<'RULES'
# the scenario's rules
app:org.padconfig.test.one a
title:"Test window two"    b
app=broken c
RULES

"$test_window" org.padconfig.test.one "Test window one" >"$out/one.log" 2>&1 &
started=($!)
"$test_window" org.padconfig.test.two "Test window two" >"$out/two.log" 2>&1 &
started+=($!)
# PadConfig, the service and qd6 each have a simulated keypad that logs to the same
# file; the service's and qd6's are plugged in while $plug exists.
export PADLINK_SIMULATOR=$out/keypad.log PADLINK_SIMULATOR_PLUG=$out/plugged
plug=$PADLINK_SIMULATOR_PLUG
touch "$plug"
PADLINK_SIMULATOR_PLUG= "$bin/padconfig" >"$out/padconfig.log" 2>&1 &
started+=($!)
trap 'kill "${started[@]}" 2>/dev/null; stop_desktop' EXIT
for name in one two padconfig; do
    until_true window_up "$name" || echo "FAIL: $desktop: the window $name did not show"
done
focus_on padconfig
sleep 0.5

"$bin/padconfig-modes" --print >"$log" 2>"$out/modes.err" &
service=$!
started+=($service)
! declare -F service_started >/dev/null || service_started
until_true grep -q '^focus' "$log"
check "the service starts with PadConfig's window focused and leaves it alone" \
    "PadConfig has the focus: it sets the mode itself" "$(grep '^focus' "$log" | sed 's/.* -> //')"
check "a line that cannot be read is skipped, with its number" 1 \
    "$(grep -c "modes.conf:4: \"app=broken\" is not FIELD:PATTERN" "$out/modes.err")"
"$bin/padconfig-modes" 2>"$out/second.err"
second=$?
check "a second instance exits at once" "0 1" "$second $(grep -c 'already runs' "$out/second.err")"
# On the session bus: the status, the open windows, and a focus report from a program
# that is not the compositor, which is refused (a mode it sent would show below).
bus_call() { gdbus call --session -d org.padconfig.Modes -o /org/padconfig/Modes -m "org.padconfig.Modes1.$1" "${@:2}" 2>&1; }
check "the service's status: it follows the focus" "true, ''" "$(bus_call Status | grep -o "true, ''")"
check "the open windows hold both test windows" 2 \
    "$(bus_call OpenWindows | grep -o "'org.padconfig.test.[a-z]*'" | sort -u | wc -l)"
check "a focus report from another program is refused" AccessDenied \
    "$(bus_call ReportFocus org.padconfig.test.one "" "Test window one" 1 | grep -o AccessDenied)"

# The two windows take the focus in turn, then PadConfig's window.
expected="" seen=""
for _ in $(seq 10); do
    expected+="org.padconfig.test.one: Mode A (rule on line 2)|"
    seen+="$(mode_of "$(decision_after focus_on one)")|"
    expected+="org.padconfig.test.two: Mode B (rule on line 3)|"
    seen+="$(mode_of "$(decision_after focus_on two)")|"
done
check "20 focus changes between two windows, each with its rule's mode" "$expected" "$seen"
check "the windows' executable" "$window_exe" \
    "$(grep -o 'exe [^,]*' <<<"$(grep '^focus: app "org.padconfig.test.one"' "$log" | tail -1)")"
check "PadConfig's window gets the focus and the mode is left to it" \
    "PadConfig has the focus: it sets the mode itself" \
    "$(decision_after focus_on padconfig | sed 's/.* -> //')"

# An editor saves the rules as a new file renamed over the old one.
decision_after focus_on two >/dev/null
printf 'title:"Test window two" c\n' >"$rules.new"
mv "$rules.new" "$rules"
until_true grep -q '^rules reloaded' "$log"
check "new rules decide for the focused window at once" "Mode C (rule on line 1): " \
    "$(grep '^rules reloaded' "$log" | tail -1 | sed 's/.* -> //' | grep -o '^[^:]*: ')"

# The keypad's side. New rules again: the focused window two gets Mode B.
printf 'app:org.padconfig.test.one a\ntitle:"Test window two" b\n' >"$rules.new"
mv "$rules.new" "$rules"
until_true more_lines_than '^rules reloaded' 1
# qd6 sets Mode C while PadConfig has the focus; back in window two, B goes out again.
decision_after focus_on padconfig >/dev/null
"$bin/qd6" mode c >/dev/null
decision_after focus_on two >/dev/null
# A focus change during a download takes effect once the download has ended.
PADLINK_SIMULATOR_PAUSE_MS=10 "$bin/qd6" download "$out/example.qd6" >/dev/null 2>&1 &
download=$!
until_true grep -q '^03 04 00' "$PADLINK_SIMULATOR"
decision_after focus_on one >/dev/null
wait "$download"
until_true grep -q '^download ended' "$log"
# The keypad is pulled out, the focus moves, and the keypad comes back.
rm "$plug"
until_true grep -q '^keypad gone' "$log"
decision_after focus_on two >/dev/null
appeared=$(lines_of '^keypad appeared')
touch "$plug"
until_true more_lines_than '^keypad appeared' "$appeared"
modes=$(grep '^03 ff ff' "$PADLINK_SIMULATOR" | cut -d' ' -f4 | tr '\n' ' ')
check "the mode reports: PadConfig's Normal, 10 times A and B, C by new rules, B by the rules after, qd6's C, B again, A after the download, B when the keypad is back" \
    "00 $(printf '01 02 %.0s' $(seq 10))03 02 03 02 01 02 " "$modes"
check "no mode report inside the download" \
    "$(printf '03 %.0s' $(seq 240))01" \
    "$(sed -n '/^03 04 00/,/^03 ff ff/p' "$PADLINK_SIMULATOR" | cut -d' ' -f1-3 |
        sed 's/^03 ff ff/01/; s/^03 .*/03/' | tr '\n' ' ' | sed 's/ $//')"

kill "$service"
wait "$service"
check "the service ends on SIGTERM with status 0" 0 $?
! declare -F service_stopped >/dev/null || service_stopped

finish_checks "$desktop"
