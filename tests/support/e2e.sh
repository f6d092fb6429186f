# Sourced by the end-to-end scripts that drive the programs on a display:
#   check NAME EXPECTED ACTUAL        prints "ok: NAME" or "FAIL: NAME: expected [...],
#                                     got [...]" and counts it
#   soon EXPECTED COMMAND...          runs COMMAND until it prints EXPECTED, for up to
#                                     10 s, and prints what it printed last
#   check_soon NAME EXPECTED COMMAND... checks what soon prints
#   wait_for SECONDS COMMAND...       runs COMMAND until it succeeds, for up to SECONDS
#   fail MESSAGE                      says FAIL and ends the script with status 1,
#                                     after on_fail when the script defines it
#   finish_checks NAME                prints the tally; fails when a check failed
# CHECK_PREFIX, when set, starts every check's line (the desktop a check ran on).
# Waiting only makes a slow machine slower: no check fails for want of time to react.

passed=0
failed=0
check() {
    if [[ "$2" == "$3" ]]; then
        passed=$((passed + 1))
        echo "ok: ${CHECK_PREFIX:-}$1"
    else
        failed=$((failed + 1))
        echo "FAIL: ${CHECK_PREFIX:-}$1: expected [$2], got [$3]"
    fi
}
soon() {
    local expected=$1 actual=""
    shift
    for _ in $(seq 100); do
        actual=$("$@" 2>/dev/null || true)
        [[ "$actual" == "$expected" ]] && break
        sleep 0.1
    done
    printf '%s' "$actual"
}
check_soon() {
    check "$1" "$2" "$(soon "${@:2}")"
}
wait_for() {
    local end=$((SECONDS + $1))
    shift
    until "$@" 2>/dev/null; do
        [[ $SECONDS -lt $end ]] || return 1
        sleep 0.1
    done
}
fail() {
    echo "FAIL: $*" >&2
    ! declare -F on_fail >/dev/null || on_fail >&2
    exit 1
}
finish_checks() {
    echo "$1: $passed passed, $failed failed"
    [[ $failed -eq 0 ]]
}
