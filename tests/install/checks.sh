# Sourced by the install checks: check WHAT COMMAND... runs COMMAND, prints "ok" or
# "FAIL" with WHAT, and counts; finish_checks NAME prints the tally and fails when
# any check failed.
failures=0
checks=0
check() {
    local what=$1
    shift
    checks=$((checks + 1))
    if "$@"; then
        echo "ok   $what"
    else
        echo "FAIL $what"
        failures=$((failures + 1))
    fi
}
finish_checks() {
    echo "$1: $((checks - failures)) passed, $failures failed"
    [ "$failures" -eq 0 ]
}
