# The mode service's latency inside one desktop session, sourced by focus-scenario.sh
# as focus-session.sh is (see there for what the desktop defines): two test windows
# with a rule each take the focus in turn, and mode_latency_probe times each change
# from the desktop's focus command to the moment the desktop tells of the change (the
# command alone) and to the mode report at the simulated keypad (the command and the
# service). The desktop tells through the active window's property on X11, sway's
# window events, and the compositor's ReportFocus to the service on KDE and GNOME.

source "$here/../support/e2e.sh"
until_true() { wait_for 20 "$@"; }
export XDG_CONFIG_HOME=$out/config PADLINK_SIMULATOR=$out/keypad.log
mkdir -p "$XDG_CONFIG_HOME/padconfig"
printf 'app:org.padconfig.test.one a\napp:org.padconfig.test.two b\n' \
    >"$XDG_CONFIG_HOME/padconfig/modes.conf"
touch "$PADLINK_SIMULATOR"
"$test_window" org.padconfig.test.one "Test window one" >"$out/one.log" 2>&1 &
started=($!)
"$test_window" org.padconfig.test.two "Test window two" >"$out/two.log" 2>&1 &
started+=($!)
trap 'kill "${started[@]}" 2>/dev/null; stop_desktop' EXIT
until_true window_up one && until_true window_up two || { echo "$desktop: no windows"; exit 1; }
focus_on two
# On GNOME Shell the extension that tells the focus is enabled first.
[[ $desktop != "GNOME Shell" ]] || gnome-extensions enable padconfig@padconfig.org
"$bin/padconfig-modes" 2>"$out/modes.err" &
started+=($!)
until_true grep -q '^03 ff ff 02' "$PADLINK_SIMULATOR" || { echo "$desktop: no service"; exit 1; }
# Line by line: into a pipe, xprop and swaymsg would keep their lines until a buffer
# is full. Openbox passes through "no window" (0x0) on the way to the next one.
case $desktop in
X11) watch="stdbuf -oL xprop -root -spy _NET_ACTIVE_WINDOW | grep --line-buffered -v '# 0x0\$'" ;;
sway) watch="stdbuf -oL swaymsg -r -m -t subscribe '[\"window\"]' | grep --line-buffered '\"focus\"'" ;;
*) watch="dbus-monitor --session \"type='method_call',member='ReportFocus'\" |
          grep --line-buffered 'member=ReportFocus'" ;;
esac
echo -n "$desktop: "
"$bin/mode_latency_probe" "$PADLINK_SIMULATOR" "${SWITCHES:-40}" "$watch" "$(focus_command one)" \
    "$(focus_command two)"
