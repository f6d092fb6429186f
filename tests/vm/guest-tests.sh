#!/bin/sh
# The device tests inside the VM (busybox sh, run as root by the VM's init).
# Each test prints "VMTEST PASS <name>" or "VMTEST FAIL <name>: <why>"; lines starting
# with "#" are details for the log.
#
# There is no udev daemon here: devtmpfs makes the hidraw nodes, libudev reads the
# device properties from sysfs, and PadLink must notice plugging through the kernel's
# own uevents (its fallback when no udev daemon runs).

export PATH=/bin:/opt/pad/bin
data=/opt/pad/data
state=/tmp/keypad
user_uid=1000
user_name=player
keypad_pid=""
timing_runs=7

pass() { echo "VMTEST PASS $1"; }
fail() { echo "VMTEST FAIL $1: $2"; }
note() { echo "# $*"; }

# Waits up to $1 tenths of a second for the command in the remaining arguments.
wait_for() {
    tries=$1
    shift
    while [ "$tries" -gt 0 ]; do
        "$@" && return 0
        usleep 100000
        tries=$((tries - 1))
    done
    return 1
}

# The hidraw node of the virtual keypad, found by its HID name; empty when absent.
keypad_node() {
    for dir in /sys/class/hidraw/hidraw*; do
        [ -e "$dir/device/uevent" ] || continue
        if grep -q '^HID_NAME=Corvask 12 Gaming Keypad$' "$dir/device/uevent"; then
            echo "/dev/${dir##*/}"
            return 0
        fi
    done
    return 1
}
keypad_present() { node=$(keypad_node) && [ -c "$node" ]; }
keypad_gone() { ! keypad_node >/dev/null; }

start_keypad() {
    rm -rf "$state"
    mkdir -p "$state"
    vm_keypad --state "$state" &
    keypad_pid=$!
    wait_for 100 keypad_present || {
        note "the virtual keypad did not appear"
        return 1
    }
    note "virtual keypad at $(keypad_node): $(grep '^HID_ID=' /sys/class/hidraw/"$(basename "$(keypad_node)")"/device/uevent)"
}

stop_keypad() {
    [ -n "$keypad_pid" ] || return 0
    kill -TERM "$keypad_pid" 2>/dev/null
    wait "$keypad_pid" 2>/dev/null
    keypad_pid=""
    wait_for 100 keypad_gone
}

# Asks the keypad for its state and waits until all its files are fresh.
dump_keypad_state() {
    rm -f "$state/dumped"
    kill -USR1 "$keypad_pid"
    wait_for 50 test -f "$state/dumped"
}

has_line() { grep -q "^$1" "$2" 2>/dev/null; }
seen_twice() { [ "$(grep -c "^$1" "$2" 2>/dev/null)" -ge 2 ]; }

# --- the tests -------------------------------------------------------------------------

test_uhid_keypad() {
    if start_keypad; then
        pass "virtual keypad appears as a hidraw node"
    else
        fail "virtual keypad appears as a hidraw node" "no hidraw node"
        dmesg | tail -n 20 | sed 's/^/# /'
        return 1
    fi
}

test_qd6_list() {
    out=/tmp/list.txt
    qd6 list >"$out" 2>&1
    rc=$?
    sed 's/^/# qd6 list: /' "$out"
    node=$(keypad_node)
    if [ $rc -ne 0 ]; then
        fail "qd6 list finds the writable keypad" "exit status $rc"
    elif ! grep -q "$node" "$out"; then
        fail "qd6 list finds the writable keypad" "$node not listed"
    elif ! grep "$node" "$out" | grep -qi "writable" || grep "$node" "$out" | grep -qi "not writable"; then
        fail "qd6 list finds the writable keypad" "not reported writable"
    else
        pass "qd6 list finds the writable keypad"
    fi

    # Matched under another vendor id, the keypad is listed apart, with the advice.
    name="qd6 list names a keypad that reports another vendor id"
    PADLINK_VENDOR_ID=0x0001 qd6 list >"$out" 2>&1
    sed 's/^/# qd6 list: /' "$out"
    if ! grep -q "^No keypad connected" "$out" || ! grep -q "^$node " "$out"; then
        fail "$name" "$node not listed apart"
    elif ! grep -q "PADLINK_VENDOR_ID=0x" "$out" || ! grep -q 'ATTRS{idVendor}' "$out"; then
        fail "$name" "no advice"
    else
        pass "$name"
    fi
}

test_download() {
    name="qd6 download leaves the profile's image in the keypad memory"
    started=$(date +%s)
    qd6 download "$data/test.qd6" >/tmp/download.txt 2>&1
    rc=$?
    note "qd6 download: exit $rc after $(($(date +%s) - started))s; $(tail -n 1 /tmp/download.txt)"
    if [ $rc -ne 0 ]; then
        sed 's/^/# /' /tmp/download.txt
        fail "$name" "exit status $rc"
        return
    fi
    if ! dump_keypad_state; then
        fail "$name" "the keypad wrote no state"
        return
    fi
    writes=$(cat "$state/writes")
    rejected=$(cat "$state/rejected")
    note "keypad accepted $writes writes, rejected $rejected"
    if ! cmp "$state/memory.bin" "$data/expected-memory.bin" >/tmp/cmp.txt 2>&1; then
        note "$(cat /tmp/cmp.txt)"
        fail "$name" "memory differs from the profile's download image"
    elif [ "$writes" != 240 ] || [ "$rejected" != 0 ]; then
        fail "$name" "expected 240 accepted writes, got $writes (rejected $rejected)"
    else
        pass "$name"
    fi
}

test_mode() {
    name="qd6 mode b sets mode 2, qd6 mode normal sets mode 0"
    qd6 mode b >/tmp/mode.txt 2>&1
    rc=$?
    dump_keypad_state
    mode_b=$(cat "$state/mode" 2>/dev/null)
    qd6 mode normal >>/tmp/mode.txt 2>&1
    rc2=$?
    dump_keypad_state
    mode_normal=$(cat "$state/mode" 2>/dev/null)
    note "mode after 'b': $mode_b, after 'normal': $mode_normal"
    if [ $rc -ne 0 ] || [ $rc2 -ne 0 ]; then
        sed 's/^/# /' /tmp/mode.txt
        fail "$name" "exit status $rc / $rc2"
    elif [ "$mode_b" != 2 ] || [ "$mode_normal" != 0 ]; then
        fail "$name" "modes were $mode_b and $mode_normal"
    else
        pass "$name"
    fi
}

test_replug() {
    name="unplug and replug give ABSENT then PRESENT"
    out=/tmp/replug.txt
    vm_padlink_probe --seconds 60 --until PRESENT --count 2 >"$out" 2>/tmp/replug.err &
    probe=$!
    if ! wait_for 150 has_line PRESENT "$out"; then
        fail "$name" "no PRESENT at start"
        kill "$probe" 2>/dev/null
        sed 's/^/# probe: /' "$out" /tmp/replug.err
        return
    fi
    stop_keypad
    wait_for 100 has_line ABSENT "$out"
    start_keypad
    wait_for 150 seen_twice PRESENT "$out"
    kill "$probe" 2>/dev/null
    wait "$probe" 2>/dev/null
    sequence=$(grep -v '^READY' "$out" | tr '\n' ' ')
    note "probe saw: $sequence"
    # Repeats of the same message are allowed (several interfaces may come and go);
    # the order must be present, absent, present.
    squeezed=$(grep -v '^READY' "$out" | uniq | tr '\n' ' ')
    case "$squeezed" in
    "PRESENT ABSENT PRESENT ") pass "$name" ;;
    *) fail "$name" "messages were: $sequence" ;;
    esac
}

test_read_device() {
    name="ReadDevice hands the keypad's input report to the host"
    out=/tmp/read.txt
    vm_padlink_probe --read --seconds 30 --until INPUT >"$out" 2>/tmp/read.err &
    probe=$!
    if ! wait_for 150 has_line PRESENT "$out"; then
        fail "$name" "no PRESENT"
        kill "$probe" 2>/dev/null
        sed 's/^/# probe: /' "$out" /tmp/read.err
        return
    fi
    usleep 500000
    kill -USR2 "$keypad_pid"
    wait_for 100 has_line INPUT "$out"
    kill "$probe" 2>/dev/null
    wait "$probe" 2>/dev/null
    line=$(grep '^INPUT' "$out" | head -n 1)
    note "probe saw: $line"
    case "$line" in
    "INPUT "[0-9]*" 01 c1 c2 c3 c4 c5 c6 c7"*) pass "$name" ;;
    "") fail "$name" "no input report arrived" ;;
    *) fail "$name" "unexpected report: $line" ;;
    esac
}

# The microsecond time of the first line starting with $2 after line $1 of file $3.
time_after_line() {
    tail -n +$(($1 + 1)) "$3" | grep -m 1 "^$2 " | cut -d ' ' -f 2
}
has_time_after_line() { [ -n "$(time_after_line "$@")" ]; }

# "median 12.3 ms (runs: ...)" of microsecond values.
median_ms() {
    echo "$@" | tr ' ' '\n' | sort -n | awk '{ v[NR] = $1 }
        END { printf "median %.1f ms (%d runs:", v[int((NR + 1) / 2)] / 1000, NR
              for (i = 1; i <= NR; ++i) printf " %.1f", v[i] / 1000; print ")" }'
}

# How long PadLink takes to tell its host of a plug and of an unplug: from the
# virtual keypad's creation to PRESENT and from its removal to ABSENT, as seen by a
# host on the same clock, over several plugs.
test_presence_timing() {
    name="PadLink reports each of $timing_runs unplugs and replugs"
    out=/tmp/timing.txt
    vm_padlink_probe --times --seconds 300 >"$out" 2>/tmp/timing.err &
    probe=$!
    if ! wait_for 150 has_line PRESENT "$out"; then
        fail "$name" "no PRESENT at start"
        kill "$probe" 2>/dev/null
        return
    fi
    plugs="" unplugs="" problem=""
    run=1
    while [ $run -le $timing_runs ] && [ -z "$problem" ]; do
        lines=$(wc -l <"$out")
        stop_keypad
        if wait_for 100 has_time_after_line "$lines" ABSENT "$out"; then
            unplugs="$unplugs $(($(time_after_line "$lines" ABSENT "$out") - $(cat "$state/destroyed")))"
        else
            problem="no ABSENT after unplug $run"
        fi
        lines=$(wc -l <"$out")
        start_keypad >/dev/null # its note would repeat for every run
        if wait_for 150 has_time_after_line "$lines" PRESENT "$out"; then
            plugs="$plugs $(($(time_after_line "$lines" PRESENT "$out") - $(cat "$state/created")))"
        else
            problem="${problem:-no PRESENT after plug $run}"
        fi
        run=$((run + 1))
    done
    kill "$probe" 2>/dev/null
    wait "$probe" 2>/dev/null
    if [ -n "$problem" ]; then
        sed 's/^/# probe: /' "$out"
        fail "$name" "$problem"
        return
    fi
    echo "VMTEST MEASURE keypad created to PRESENT: $(median_ms $plugs)"
    echo "VMTEST MEASURE keypad removed to ABSENT: $(median_ms $unplugs)"
    pass "$name"
}

# Runs the probe as an ordinary user for a few seconds; prints its messages on one line.
probe_as_user() {
    su -s /bin/sh "$user_name" -c \
        "LD_LIBRARY_PATH=/opt/pad/bin LANG=C.UTF-8 /opt/pad/bin/vm_padlink_probe --seconds 4" 2>&1 |
        grep -v '^READY' | tr '\n' ' '
}

test_no_access() {
    name="a keypad node the user cannot open gives NO_ACCESS"
    node=$(keypad_node)
    chown 0:0 "$node"
    chmod 0600 "$node"
    seen=$(probe_as_user)
    note "user $user_uid, node mode 0600 root: $seen"
    # The keypad is there, so PRESENT comes first; NO_ACCESS tells it cannot be written.
    case "$seen" in
    "PRESENT NO_ACCESS ") pass "$name" ;;
    *) fail "$name" "messages were: $seen" ;;
    esac

    # qd6 tells that user how to get access instead of writing nothing silently.
    name="qd6 as that user fails and names the udev rule"
    su -s /bin/sh "$user_name" -c \
        "LD_LIBRARY_PATH=/opt/pad/bin LANG=C.UTF-8 /opt/pad/bin/qd6 mode a" >/tmp/user-mode.txt 2>&1
    rc=$?
    sed 's/^/# qd6 mode a as user: /' /tmp/user-mode.txt
    if [ $rc -ne 0 ] && grep -q '70-corvask12-keypad.rules' /tmp/user-mode.txt; then
        pass "$name"
    else
        fail "$name" "exit status $rc"
    fi

    # The same user with access to the node (what the udev rule's uaccess tag grants)
    # finds a writable keypad.
    name="the same user gets no NO_ACCESS once the node is accessible"
    chmod 0666 "$node"
    seen=$(probe_as_user)
    note "user $user_uid, node mode 0666: $seen"
    case "$seen" in
    "PRESENT ") pass "$name" ;;
    *) fail "$name" "messages were: $seen" ;;
    esac
    chmod 0600 "$node"
}

for module in hid uhid hid-generic; do
    insmod "/lib/modules/$module.ko" || note "insmod $module failed"
done
wait_for 50 test -c /dev/uhid || note "/dev/uhid did not appear"

if test_uhid_keypad; then
    test_qd6_list
    test_download
    test_mode
    test_replug
    test_presence_timing
    test_read_device
    test_no_access
fi
stop_keypad
