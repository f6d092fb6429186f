#!/bin/sh
# What the desktop checks ask of KWin and GNOME Shell over the session bus:
#   compositor-call.sh kwin-ready | gnome-ready      succeeds once the compositor answers
#   compositor-call.sh kwin FILE       runs the KWin script FILE once
#   compositor-call.sh gnome FILE      evaluates the JavaScript of FILE in GNOME Shell
#                                      (unsafe mode) and prints the result
# dbus-send rather than gdbus: it starts faster, which the latency benchmark counts.
# GNOME_SHELL_CONNECTION, when set, names GNOME Shell's connection to call instead of
# org.gnome.Shell, which another program may have taken.
send() { dbus-send --session --print-reply "$@"; }
shell=${GNOME_SHELL_CONNECTION:-org.gnome.Shell}
case $1 in
kwin-ready) send --dest=org.kde.KWin /Scripting org.kde.kwin.Scripting.isScriptLoaded string:none ;;
gnome-ready) send --dest="$shell" /org/gnome/Shell org.gnome.Shell.Eval string:1 |
    grep -q 'boolean true' ;;
kwin)
    # Each run loads the script under a name of its own and unloads the one before:
    # KWin reads a script's file after start returns, so it cannot be unloaded at once.
    last=$XDG_RUNTIME_DIR/padconfig-test-kwin-script
    name=padconfig-test-$$
    send --dest=org.kde.KWin /Scripting org.kde.kwin.Scripting.loadScript string:"$2" \
        string:"$name" >/dev/null &&
        send --dest=org.kde.KWin /Scripting org.kde.kwin.Scripting.start >/dev/null || exit 1
    [ -f "$last" ] && send --dest=org.kde.KWin /Scripting org.kde.kwin.Scripting.unloadScript \
        string:"$(cat "$last")" >/dev/null
    echo "$name" >"$last"
    ;;
gnome) send --dest="$shell" /org/gnome/Shell org.gnome.Shell.Eval string:"$(cat "$2")" ;;
*) exit 2 ;;
esac
