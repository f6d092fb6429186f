# Sourced by the Wayland checks: start_headless_sway OUT_DIR [xwayland] starts sway
# with the headless backend, the pixman renderer, no input devices and no XWayland
# (with "xwayland": XWayland at once, its display exported as DISPLAY), on one
# 1024x768 output, logging to OUT_DIR/sway.log, and exports SWAYSOCK and
# WAYLAND_DISPLAY; sway_pid is its pid. Needs XDG_RUNTIME_DIR of the user. Fails,
# after saying why, when sway does not start here.
start_headless_sway() {
    export WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1
    unset DISPLAY WAYLAND_DISPLAY SWAYSOCK
    local xwayland=disable
    [[ ${2:-} == xwayland ]] && xwayland=force
    printf 'xwayland %s\noutput HEADLESS-1 resolution 1024x768 position 0 0\n' "$xwayland" \
        >"$1/sway.conf"
    sway -c "$1/sway.conf" >"$1/sway.log" 2>&1 &
    sway_pid=$!
    for _ in $(seq 100); do
        SWAYSOCK=$(ls "$XDG_RUNTIME_DIR"/sway-ipc.*."$sway_pid".sock 2>/dev/null | head -1)
        [[ -n "$SWAYSOCK" ]] && break
        kill -0 "$sway_pid" 2>/dev/null || break
        sleep 0.1
    done
    if [[ -z "$SWAYSOCK" ]]; then
        echo "sway did not start here: skipped"
        tail -n 5 "$1/sway.log"
        return 1
    fi
    export SWAYSOCK
    WAYLAND_DISPLAY=$(basename "$(ls "$XDG_RUNTIME_DIR"/wayland-? | head -1)")
    export WAYLAND_DISPLAY
    [[ $xwayland == force ]] || return 0
    # sway tells its X display only to the programs it starts.
    rm -f "$1/x-display"
    swaymsg exec "echo \$DISPLAY >'$1/x-display'" >/dev/null
    for _ in $(seq 100); do
        [[ -s "$1/x-display" ]] && break
        sleep 0.1
    done
    DISPLAY=$(cat "$1/x-display" 2>/dev/null)
    export DISPLAY
}
