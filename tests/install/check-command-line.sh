#!/usr/bin/env bash
# The programs' command-line manners:
#   check-command-line.sh BIN_DIR VERSION
# --help prints to standard output and exits 0, --version prints "NAME VERSION", both
# without a display; an unknown option is reported on standard error with exit 2, with
# a display or without one; a GUI program started without a display says so with exit 1.
# PadConfig keeps Qt's options and opens a file named after "--".
set -uo pipefail

bin=$(realpath "$1")
version=$2
source "$(dirname "$0")/checks.sh"
tmp=$(mktemp -d)
started=()
trap 'for pid in "${started[@]}"; do kill "$pid" 2>/dev/null; done; rm -rf "$tmp"' EXIT
export HOME=$tmp/home XDG_RUNTIME_DIR=$tmp/runtime
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

# run ARGS...: runs the program with no display; sets status, out and err.
run() {
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 20 "$@" >"$tmp/out" 2>"$tmp/err"
    status=$?
}
# answers_help PROGRAM OPTION TEXT: the help, which holds TEXT.
answers_help() {
    run "$1" "$2"
    [ "$status" -eq 0 ] && grep -q "$3" "$tmp/out" && [ ! -s "$tmp/err" ]
}
answers_version() {
    run "$1" --version
    [ "$status" -eq 0 ] && [ "$(cat "$tmp/out")" = "$(basename "$1") $version" ] && [ ! -s "$tmp/err" ]
}
# refuses OPTION PROGRAM [ARGS...]: exit 2, a message naming OPTION on standard
# error, nothing on standard output.
refuses() {
    local option=$1
    shift
    run "$@"
    [ "$status" -eq 2 ] && [ ! -s "$tmp/out" ] && grep -qF -- "$option" "$tmp/err" || {
        echo "     exit $status: $(head -c 300 "$tmp/err")"
        return 1
    }
}

# says_no_display PROGRAM [ARGS...]: exit 1 and a message that there is no display.
says_no_display() {
    run "$@"
    [ "$status" -eq 1 ] && [ ! -s "$tmp/out" ] && grep -q "no display" "$tmp/err" || {
        echo "     exit $status: $(head -c 300 "$tmp/err")"
        return 1
    }
}

for program in padconfig qd6 Qd6LoaderS padconfig-modes; do
    [ -x "$bin/$program" ] || continue
    check "$program --help prints its usage without a display" answers_help "$bin/$program" --help Usage
    check "$program --version prints \"$program $version\" without a display" \
        answers_version "$bin/$program"
done
for program in padconfig Qd6LoaderS; do
    [ -x "$bin/$program" ] || continue
    check "$program refuses an unknown option" \
        refuses frobnicate "$bin/$program" -platform offscreen --frobnicate
    check "$program refuses an unknown option without a display" \
        refuses frobnicate "$bin/$program" --frobnicate
    check "$program says that it has no display" says_no_display "$bin/$program"
done
[ -x "$bin/qd6" ] && check "qd6 refuses an unknown option" refuses --frobnicate "$bin/qd6" --frobnicate list
[ -x "$bin/padconfig-modes" ] && check "padconfig-modes refuses an unknown option" \
    refuses --frobnicate "$bin/padconfig-modes" --frobnicate

if [ -x "$bin/padconfig" ]; then
    padconfig=$bin/padconfig
    check "padconfig -h prints its usage" answers_help "$padconfig" -h "print the version"
    check "padconfig refuses an unknown short option" refuses -q "$padconfig" -platform offscreen -q
    check "padconfig leaves --help after -- to be a file name" \
        refuses --frobnicate "$padconfig" -platform offscreen --frobnicate -- --help

    # With Qt's options and a file after "--", PadConfig starts and keeps running: it
    # makes its window, which logs the language it chose, and opens the file.
    keeps_running() {
        env -u DISPLAY QT_QPA_PLATFORM= QT_LOGGING_RULES=padconfig.language.info=true "$@" \
            >"$tmp/run.log" 2>&1 &
        local pid=$!
        started+=("$pid")
        for _ in $(seq 200); do
            grep -q "language file:" "$tmp/run.log" || ! kill -0 "$pid" 2>/dev/null && break
            sleep 0.1
        done
        sleep 0.3
        grep -q "language file:" "$tmp/run.log" && kill -0 "$pid" 2>/dev/null || {
            sed 's/^/     /' "$tmp/run.log"
            return 1
        }
        kill "$pid"
    }
    cp "$(dirname "$0")/../../resources/samples/example.qd6" "$tmp/-x.qd6"
    cd "$tmp" || exit 1
    check "padconfig takes -x.qd6 for an option" refuses -x.qd6 "$padconfig" -platform offscreen -x.qd6
    check "padconfig -platform offscreen -style fusion -reverse -- -x.qd6 runs" \
        keeps_running "$padconfig" -platform offscreen -style fusion -reverse -- -x.qd6
fi

finish_checks command-line
