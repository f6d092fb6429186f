# Sourced by the screen-reader checks. a11y_session "$0" "$@" skips (exit 77)
# without pyatspi or at-spi2-core, runs the script again on an Xvfb of its own when
# there is no DISPLAY (tests/support/on-own-display.sh) and inside a session bus of
# its own; start_accessibility_bus then starts the accessibility bus (its pid in
# a11y_bus) and turns Qt's accessibility on.
python=/usr/bin/python3
a11y_launcher=/usr/libexec/at-spi-bus-launcher
a11y_session() {
    if ! "$python" -c 'import pyatspi' 2>/dev/null || [[ ! -x "$a11y_launcher" ]]; then
        echo "SKIP: python3-pyatspi or at-spi2-core is not installed"
        exit 77
    fi
    if [[ -z "${DISPLAY:-}" ]]; then
        exec "$(dirname "${BASH_SOURCE[0]}")/../support/on-own-display.sh" --screen 1024x768x24 "$@"
    fi
    if [[ "${A11Y_IN_SESSION:-}" != 1 ]]; then
        export A11Y_IN_SESSION=1
        unset DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS
        exec dbus-run-session -- "$@"
    fi
}
start_accessibility_bus() {
    "$a11y_launcher" --launch-immediately >/dev/null 2>&1 &
    a11y_bus=$!
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
}
