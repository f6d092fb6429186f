# What ended the mode service's following or fooled it, inside one desktop session,
# sourced by focus-scenario.sh as focus-session.sh is (start_desktop starts it again).
# After each, two test windows with a rule each must switch the simulated keypad again.
# X11: 10 kB and 70 kB titles, a program holding org.padconfig.Modes, a second service
# without XDG_RUNTIME_DIR, a keypad that may not be written. sway (with XWayland): an
# X11 title too long for a Wayland message, a restart. KWin: the script unloaded by
# another program, a restart. GNOME: a program that takes org.gnome.Shell.

source "$here/../support/e2e.sh"
CHECK_PREFIX="$desktop: "
until_true() { wait_for 20 "$@"; }
log=$out/modes.log err=$out/modes.err
export XDG_CONFIG_HOME=$out/config PADLINK_SIMULATOR=$out/keypad.log
mkdir -p "$XDG_CONFIG_HOME/padconfig"
printf 'app:org.padconfig.test.one a\napp:org.padconfig.test.two b\ntitle:"*END" c\n' \
    >"$XDG_CONFIG_HOME/padconfig/modes.conf"
touch "$PADLINK_SIMULATOR"
started=()
trap 'kill "${started[@]}" 2>/dev/null; stop_desktop' EXIT
show_window() { # show_window NAME [TITLE]
    "$test_window" "org.padconfig.test.$1" "${2:-Test window $1}" >>"$out/$1.log" 2>&1 &
    started+=($!)
    until_true window_up "$1" || fail "the window $1 did not show"
}
reports() { grep -c '^03 ff ff' "$PADLINK_SIMULATOR"; }
more_reports_than() { [[ $(reports) -gt $1 ]]; }
last_mode() { grep '^03 ff ff' "$PADLINK_SIMULATOR" | tail -1 | cut -d' ' -f4; }
# mode_after WINDOW [MODE]: the last mode once the window has the focus and a new mode
# report came (with MODE: once MODE is the last).
mode_after() {
    local before
    before=$(reports)
    focus_on "$1"
    if [[ $# -eq 2 ]]; then until_true eval "[[ \$(last_mode) == $2 ]]"; else
        until_true more_reports_than "$before"; fi
    last_mode
}
# The focus goes to window one (Mode A), two (B) and one again, each with its report,
# once the service has said it follows again for the Nth time.
follows_again() { # follows_again NAME [N]
    until_true eval "[[ \$(grep -c 'following the focus on .* again' "$err") -ge ${2:-0} ]]"
    mode_after one 01 >/dev/null
    check "$1: the service follows the focus" "02 01" "$(mode_after two) $(mode_after one)"
}
said_once() { # said_once NAME TEXT FILE: the file comes to tell TEXT, once
    check "$1" 1 "$(until_true grep -q "$2" "$3" && grep -c "$2" "$3")"
}
restart_desktop() {
    stop_desktop
    start_desktop
    show_window one
    show_window two
}
take_name() { # take_name NAME [APP_ID TITLE]: the taker's pid in taker, its words in taker.out
    /usr/bin/python3 "$here/take_bus_name.py" "$@" >"$out/taker.out" 2>&1 &
    taker=$!
    started+=($taker)
    until_true grep -q owner "$out/taker.out"
}
start_service() { # start_service [ENV...]: padconfig-modes --print, into the log
    env "$@" "$bin/padconfig-modes" --print >>"$log" 2>>"$err" &
    service=$!
    started+=($service)
}
stop_service() {
    kill "$service"
    wait "$service"
}

show_window one
show_window two
start_service
! declare -F service_started >/dev/null || service_started
check "the service starts following" 01 "$(mode_after one)"

case $desktop in
X11)
    show_window long "A title of 10 kB that $(head -c 10000 /dev/zero | tr '\0' x) END"
    check "a title of 10 kB is matched whole" 03 "$(mode_after long 03)"
    # An odd number of bytes before the two-byte characters: the cut falls inside one.
    show_window huge "x$(head -c 40000 /dev/zero | tr '\0' x | sed 's/x/é/g') END"
    focus_on huge
    said_once "a title beyond 64 KiB is cut, and --print says so" '(cut at 65536 bytes)' "$log"
    check "it is cut before a character it cannot hold whole" 0 "$(grep -c '\\x' "$log")"
    stop_service

    take_name org.padconfig.Modes
    start_service
    said_once "a program that holds the service's bus name is named on stderr" \
        "org.padconfig.Modes belongs to another program (pid $taker" "$err"
    follows_again "beside a program that holds the service's bus name"
    kill "$taker"
    env -u XDG_RUNTIME_DIR "$bin/padconfig-modes" 2>"$out/second.err"
    check "a second service without XDG_RUNTIME_DIR is refused" "1 1" \
        "$? $(grep -c 'XDG_RUNTIME_DIR is not set' "$out/second.err")"
    stop_service

    mkfifo "$out/unwritable"
    start_service PADLINK_SIMULATOR="$out/unwritable"
    focus_on two
    focus_on one
    until_true grep -q 'the keypad may not be written' "$log"
    said_once "a keypad that may not be written: the udev rule is named once" \
        'The udev rule .* gives access to the keypad' "$err"
    ;;
sway)
    QT_QPA_PLATFORM=xcb "$test_window" org.padconfig.test.long \
        "$(head -c 4087 /dev/zero | tr '\0' x)END" >"$out/long.log" 2>&1 &
    started+=($!)
    said_once "an X11 title too long for a Wayland message: the service says so" \
        'title or app id may be longer than the Wayland protocol allows' "$err"
    kill "${started[-1]}"
    follows_again "once that window has closed" 1
    restart_desktop
    follows_again "after sway was restarted" 2
    ;;
KWin)
    dbus-send --session --print-reply --dest=org.kde.KWin /Scripting \
        org.kde.kwin.Scripting.unloadScript string:padconfig-modes >/dev/null
    said_once "another program unloads the KWin script: the service says so" \
        'unloaded or stopped padconfig-modes. KWin script' "$err"
    follows_again "with the script loaded again" 1
    check "no program can take org.kde.KWin from KWin" "not owner" \
        "$(/usr/bin/python3 "$here/take_bus_name.py" org.kde.KWin)"
    restart_desktop
    follows_again "after KWin was restarted" 2
    ;;
"GNOME Shell")
    # The test's own focus commands go to GNOME Shell's connection, not to the taker.
    GNOME_SHELL_CONNECTION=$(gdbus call --session -d org.freedesktop.DBus \
        -o /org/freedesktop/DBus -m org.freedesktop.DBus.GetNameOwner org.gnome.Shell |
        sed "s/^('\(.*\)',)$/\1/")
    export GNOME_SHELL_CONNECTION
    take_name org.gnome.Shell org.padconfig.test.forged Forged
    until_true eval '[[ $(wc -l <"$out/taker.out") -ge 2 ]]'
    check "a program takes org.gnome.Shell, and its report is refused" \
        "owner org.freedesktop.DBus.Error.AccessDenied" "$(tr '\n' ' ' <"$out/taker.out" | sed 's/ $//')"
    follows_again "while another program holds org.gnome.Shell"
    ;;
esac

stop_service
! declare -F service_stopped >/dev/null || service_stopped
finish_checks "$desktop"
