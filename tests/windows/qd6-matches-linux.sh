#!/usr/bin/env bash
# qd6.exe under wine gives what the Linux qd6 gives, byte for byte: show (text and
# JSON), reports, convert, import, new, keys and download to the simulated keypad's
# log, with the same exit status, for the sample profiles and for random ones
# (random_profiles.py). Exit 77 (skipped) without the Linux qd6 or python3.
#   qd6-matches-linux.sh LINUX_QD6 WINDOWS_QD6 WINE_RUN SAMPLES_DIR WORK_DIR [COUNT [SEED]]
set -uo pipefail
linux=$1 windows=$2 wine=$3 samples=$4 work=$5 count=${6:-100} seed=${7:-28}
here=$(cd "$(dirname "$0")" && pwd)
if [ ! -x "$linux" ]; then
    echo "the Linux qd6 $linux is missing (build the default preset first): skipped"
    exit 77
fi
"$wine" --check || exit 77
if ! command -v python3 >/dev/null; then
    echo "python3 is missing: skipped"
    exit 77
fi

rm -rf "$work"
mkdir -p "$work/in" "$work/linux" "$work/windows"
cp "$samples"/*.qd6 "$samples"/*.qd5 "$work/in/"
python3 "$here/random_profiles.py" "$work/in" "$count" "$seed" || exit 1
cd "$work" || exit 1

# run SIDE OUT COMMAND...: the command's output and then "exit STATUS" into OUT. qd6
# never fails without a word, so a qd6.exe that does is wine failing to run it (seen
# about once in a thousand starts on a busy machine): it runs once more, and the retry
# is listed in "retried".
run() {
    local side=$1 out=$2 status
    shift 2
    "$@" >"$out" 2>&1
    status=$?
    if [ "$side" = windows ] && [ "$status" -ne 0 ] && [ ! -s "$out" ]; then
        echo "$out: exit $status without a word; run again" >>retried
        "$@" >"$out" 2>&1
        status=$?
    fi
    echo "exit $status" >>"$out"
}

# What one qd6 makes of one profile, in SIDE/ (linux or windows); each command's output
# ends with its exit status.
produce() {
    local side=$1 file=$2
    local name qd6
    name=$(basename "$file")
    if [ "$side" = linux ]; then qd6=("$linux"); else qd6=("$wine" "$windows"); fi
    run "$side" "$side/$name.show" "${qd6[@]}" show "$file"
    run "$side" "$side/$name.json" "${qd6[@]}" show --json "$file"
    run "$side" "$side/$name.reports" "${qd6[@]}" reports "$file"
    run "$side" "$side/$name.convert" "${qd6[@]}" convert "$file" "$side/$name.converted"
    # The same JSON into both: the Linux qd6's.
    if "$linux" show --json "$file" >"$side/$name.json-in" 2>/dev/null; then
        run "$side" "$side/$name.import" "${qd6[@]}" import "$side/$name.json-in" \
            "$side/$name.imported"
    fi
    { PADLINK_SIMULATOR="$side/$name.log" PADLINK_SIMULATOR_PAUSE_MS=0 \
        "${qd6[@]}" download "$file" 2>/dev/null; echo "exit $?"; } >"$side/$name.download"
}
export -f run produce
export linux windows wine

for side in linux windows; do
    qd6=("$linux")
    [ "$side" = linux ] || qd6=("$wine" "$windows")
    { "${qd6[@]}" keys; echo "exit $?"; } >"$side/keys" 2>&1
    { "${qd6[@]}" new "$side/new.qd6"; echo "exit $?"; } >"$side/new" 2>&1
    # Two profiles at a time: a wine start mostly waits.
    printf '%s\0' in/* | xargs -0 -n 1 -P 2 bash -c 'produce "$0" "$1"' "$side"
done

compared=0
failures=0
for made in linux/*; do
    name=$(basename "$made")
    compared=$((compared + 1))
    if ! cmp -s "$made" "windows/$name"; then
        echo "DIFFERS: $name"
        cmp "$made" "windows/$name" | head -1
        # A command's own output tells why it differs (a status, a message).
        case $name in
        *.show | *.json | *.reports | *.convert | *.import | *.download | keys | new)
            diff <(head -c 400 "$made") <(head -c 400 "windows/$name" 2>/dev/null) | head -8
            ;;
        esac
        failures=$((failures + 1))
    fi
done
missing=$(comm -13 <(ls linux) <(ls windows))
if [ -n "$missing" ]; then
    echo "made only by qd6.exe: $missing"
    failures=$((failures + 1))
fi
if [ -s retried ]; then
    cat retried
    # More than a few: wine itself is unwell, which the comparison cannot stand for.
    [ "$(wc -l <retried)" -le 5 ] || failures=$((failures + 1))
fi
echo "$(ls in | wc -l) profiles, $compared outputs compared, $failures differ"
[ "$failures" -eq 0 ]
