#!/usr/bin/env bash
# qd6.exe's saves that fail under wine leave the old profile byte for byte and nothing
# beside it, and say why: a read-only file, a full disk, and a folder that takes no new
# files. The disk cases need root for a small tmpfs of their own (as root, wine writes
# past Unix permissions, so the folder refuses new files by having no inode left);
# without root the folder is closed with chmod and the full disk is skipped.
#   qd6-save-failures.sh WINDOWS_QD6 WINE_RUN SAMPLES_DIR WORK_DIR
set -uo pipefail
qd6=$1 wine=$2 samples=$3 work=$4
"$wine" --check || exit 77
rm -rf "$work"
mkdir -p "$work"
cd "$work" || exit 1
mounts=()
cleanup() {
    for mount in "${mounts[@]}"; do umount "$mount"; done
}
trap cleanup EXIT

failures=0
skipped=0
# check NAME FOLDER REASON: convert writes the example over FOLDER/target.qd6, a copy of
# the older sample converted; it must fail with REASON and leave the folder as it was.
check() {
    local name=$1 folder=$2 reason=$3
    local before after message
    before=$(cd "$folder" && ls -A | sort && md5sum target.qd6)
    message=$("$wine" "$qd6" convert "$samples/example.qd6" "$folder/target.qd6" 2>&1)
    local status=$?
    after=$(cd "$folder" && ls -A | sort && md5sum target.qd6)
    if [ "$status" -ne 1 ] || [[ "$message" != *"File open for write failed: $reason"* ]]; then
        echo "FAIL $name: exit $status, \"$message\""
        failures=$((failures + 1))
    elif [ "$before" != "$after" ]; then
        echo "FAIL $name: the folder changed:"
        diff <(echo "$before") <(echo "$after")
        failures=$((failures + 1))
    else
        echo "ok   $name: \"$message\", the old file is as it was"
    fi
}

# A folder of its own, holding target.qd6 (mount options: a tmpfs when root).
prepare() {
    local folder=$1 options=${2:-}
    mkdir -p "$folder"
    if [ -n "$options" ]; then
        mount -t tmpfs -o "$options" padconfig-test "$folder" || return 1
        mounts+=("$folder")
    fi
    "$wine" "$qd6" convert "$samples/legacy.qd5" "$folder/target.qd6" >/dev/null
}

prepare read-only && chmod 444 read-only/target.qd6
check "a read-only file" read-only "Permission denied"

if [ "$(id -u)" -eq 0 ]; then
    # 64 KiB hold the old profile (26,097 bytes) and a filler, not a second profile.
    prepare full "size=64k" && head -c 20000 /dev/zero >full/filler
    check "a full disk" full "No space left on device"
    prepare no-new-files "size=1m,nr_inodes=2"
    check "a folder that takes no new files" no-new-files "No space left on device"
else
    echo "skipped: a full disk (a small tmpfs needs root)"
    skipped=1
    prepare no-new-files && chmod 555 no-new-files
    check "a folder that takes no new files" no-new-files "Permission denied"
    chmod 755 no-new-files
fi
[ "$failures" -eq 0 ] || exit 1
[ "$skipped" -eq 0 ] || exit 77
