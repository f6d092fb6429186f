#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a user gets:
#   check-install.sh BUILD_DIR SOURCE_DIR MIME_TYPE_OF_PROGRAM
# Environment: EXPECTED_FILES (paths below the prefix the install must hold, and the
# only ones it may hold), KEYPAD_UDEV_ID ("vvvv:pppp" of the udev rule, may be empty).
set -uo pipefail

build=$(realpath "$1")
source=$(realpath "$2")
mime_type_of=$3
read -r -a expected <<<"${EXPECTED_FILES:-}"
mime_type=application/x-corvask12-profile

tmp=$(mktemp -d)
prefix=$tmp/prefix
manifest=$build/install_manifest.txt
started_pids=()
cleanup() {
    for pid in "${started_pids[@]}"; do
        kill "$pid" 2>/dev/null
    done
    # Give back the manifest of an install the user made from this build.
    if [ -f "$tmp/saved-manifest" ]; then
        cp -p "$tmp/saved-manifest" "$manifest"
    fi
    rm -rf "$tmp"
}
trap cleanup EXIT

source "$(dirname "$0")/checks.sh"

# --- install ---------------------------------------------------------------------------
[ -f "$manifest" ] && cp -p "$manifest" "$tmp/saved-manifest"
if ! cmake --install "$build" --prefix "$prefix" >"$tmp/install.log" 2>&1; then
    cat "$tmp/install.log"
    echo "FAIL cmake --install"
    exit 1
fi
mv "$manifest" "$tmp/manifest"
[ -f "$tmp/saved-manifest" ] && cp -p "$tmp/saved-manifest" "$manifest"

installed() { (cd "$prefix" && find . \( -type f -o -type l \) | sed 's|^\./||' | sort); }

# --- layout ----------------------------------------------------------------------------
for file in "${expected[@]}"; do
    check "installs $file" test -e "$prefix/$file"
done
unexpected=$(comm -23 <(installed) <(printf '%s\n' "${expected[@]}" | sort))
[ -z "$unexpected" ] || printf '     unexpected: %s (install rules belong in packaging/)\n' $unexpected
check "installs nothing else" test -z "$unexpected"
check "install_manifest.txt lists every installed file" \
    diff <(installed) <(sed "s|^$prefix/||" "$tmp/manifest" | sort)

unfilled=$(grep -rlIE '@[A-Z][A-Z0-9_]*@' "$prefix" 2>/dev/null | sed "s|^$prefix/||")
[ -z "$unfilled" ] || printf '     unfilled @VARIABLE@ in %s\n' $unfilled
check "every configured file is filled in" test -z "$unfilled"

program_folder=$prefix/lib/padconfig
if [ -e "$prefix/bin/padconfig" ]; then
    check "bin/padconfig leads to the program folder" \
        test "$(readlink -f "$prefix/bin/padconfig")" = "$(readlink -f "$program_folder/padconfig")"
    check "bin/padconfig is a relative link" bash -c "[[ \$(readlink '$prefix/bin/padconfig') != /* ]]"
fi

# Every program and library resolves its libraries, ours from the program folder, and
# none of them still points into the build tree.
resolves_ours() {
    local file out
    file=$(readlink -f "$1")
    out=$(env -u LD_LIBRARY_PATH ldd "$file" 2>&1) || return 1
    if grep -q 'not found' <<<"$out"; then
        grep 'not found' <<<"$out" | sed 's/^/     /'
        return 1
    fi
    local library resolved
    for library in libpadlink.so libhidbridge.so; do
        resolved=$(awk -v lib="$library" '$1 == lib && $2 == "=>" { print $3 }' <<<"$out")
        if [ -n "$resolved" ] && [ "$(readlink -f "$resolved")" != "$(readlink -f "$program_folder/$library")" ]; then
            echo "     $library => $resolved"
            return 1
        fi
    done
    ! readelf -d "$file" | grep -E 'RPATH|RUNPATH' | grep -q "$build"
}
# The distributions' hardening: relocations read-only once bound at start (full RELRO)
# everywhere; in the programs a stack protector and, where the build fortifies them
# (FORTIFIED=1: optimised, without the sanitizers), fortified library calls as well.
hardened() {
    local file headers
    file=$(readlink -f "$1")
    headers=$(readelf -lWd "$file")
    grep -q GNU_RELRO <<<"$headers" || { echo "     no RELRO"; return 1; }
    grep -qE '\(BIND_NOW\)|\(FLAGS_1\).* NOW' <<<"$headers" || { echo "     not bound at start"; return 1; }
    [[ $(basename "$file") == *.so ]] && return 0
    readelf --dyn-syms -W "$file" >"$tmp/symbols"
    grep -q ' __stack_chk_fail' "$tmp/symbols" || { echo "     no stack protector"; return 1; }
    [[ ${FORTIFIED:-1} != 1 ]] || grep -qE ' __[a-z0-9_]+_chk(@|$)' "$tmp/symbols" ||
        { echo "     no fortified calls"; return 1; }
}
while read -r file; do
    if [ "$(head -c 4 "$file" | tail -c 3)" = ELF ]; then
        check "$(basename "$file") finds its libraries" resolves_ours "$file"
        check "$(basename "$file") is built hardened" hardened "$file"
    fi
done < <(find "$program_folder" "$prefix/bin" \( -type f -o -type l \) 2>/dev/null)

# --- the installed programs run ------------------------------------------------------------
export PADLINK_SIMULATOR=$tmp/simulated-keypad.log
if [ -x "$prefix/bin/qd6" ]; then
    check "installed qd6 writes a new profile" "$prefix/bin/qd6" new "$tmp/new.qd6"
    check "installed qd6 reads it back" "$prefix/bin/qd6" show "$tmp/new.qd6" >/dev/null
fi

# PadConfig starts its loader from its program folder at start-up: an installed
# PadConfig, started through bin/, must run the installed loader. In a German locale,
# without a language file of the user's, it takes the shipped German one.
if [ -x "$prefix/bin/padconfig" ] && [ -x "$program_folder/Qd6LoaderS" ]; then
    loader=$(readlink -f "$program_folder/Qd6LoaderS")
    mkdir -p "$tmp/home" "$tmp/runtime"
    chmod 700 "$tmp/runtime"
    HOME=$tmp/home XDG_RUNTIME_DIR=$tmp/runtime XDG_CONFIG_HOME=$tmp/home/.config \
        LC_ALL= LC_MESSAGES= LANG=de_DE.UTF-8 QT_LOGGING_RULES=padconfig.language.info=true \
        "$prefix/bin/padconfig" >"$tmp/padconfig.log" 2>&1 &
    started_pids+=($!)
    loader_pid=""
    for _ in $(seq 100); do
        exe=$(find /proc -mindepth 2 -maxdepth 2 -path '/proc/[0-9]*/exe' -lname "$loader" \
            2>/dev/null | head -n 1)
        if [ -n "$exe" ]; then
            loader_pid=$(basename "$(dirname "$exe")")
            break
        fi
        sleep 0.1
    done
    [ -n "$loader_pid" ] && started_pids+=("$loader_pid")
    check "installed padconfig starts the installed Qd6LoaderS" test -n "$loader_pid"
    [ -n "$loader_pid" ] || sed 's/^/     padconfig: /' "$tmp/padconfig.log"
    for pid in "${started_pids[@]}"; do
        kill "$pid" 2>/dev/null
    done
    started_pids=()
    german=$prefix/share/padconfig/lang/UILANG-de.lng
    if [ -f "$german" ]; then
        check "installed padconfig takes the shipped German texts in a German locale" \
            grep -qF "language file: $(readlink -f "$german") " "$tmp/padconfig.log"
    fi
fi
if [ -e "$prefix/bin/padconfig" ] && [ -e "$program_folder/CV12HLP.htm" ]; then
    check "the help page lies beside the installed padconfig" \
        test -f "$(dirname "$(readlink -f "$prefix/bin/padconfig")")/CV12HLP.htm"
fi

# --- desktop integration -------------------------------------------------------------------
desktop=$prefix/share/applications/org.padconfig.PadConfig.desktop
if [ -f "$desktop" ]; then
    check "the menu entry starts padconfig with the file" grep -qx 'Exec=padconfig %f' "$desktop"
    check "the menu entry's icon is installed" \
        test -f "$prefix/share/icons/hicolor/scalable/apps/$(sed -n 's/^Icon=//p' "$desktop").svg"
    check "the menu entry opens the .qd6 type" grep -q "^MimeType=.*$mime_type;" "$desktop"
    check "the metainfo describes the menu entry" \
        grep -qF "<launchable type=\"desktop-id\">$(basename "$desktop")</launchable>" \
        "$prefix/share/metainfo/$(basename "$desktop" .desktop).metainfo.xml"
fi

if [ -f "$prefix/share/mime/packages/padconfig.xml" ]; then
    # A MIME database of our type alone, built the way the system builds its own.
    mkdir -p "$tmp/xdg/mime" "$tmp/xdg-home"
    cp -r "$prefix/share/mime/packages" "$tmp/xdg/mime/"
    if command -v update-mime-database >/dev/null; then
        # It exits 0 even when it cannot parse a file, and notes that the folder is
        # not on the search path: what counts is that it says nothing of errors.
        check "update-mime-database accepts the type" \
            bash -c "! update-mime-database '$tmp/xdg/mime' 2>&1 | grep -i 'error\|fail\|warn'"
    fi
    printf '.\x00Q\x00D\x00\x36\x00rest of a profile' >"$tmp/profile-without-extension"
    printf '.\x00Q\x00D\x00\x35\x00rest of an old profile' >"$tmp/old-profile"
    printf 'just text\n' >"$tmp/named.qd6"
    printf '.QD6 in ASCII is not a profile\n' >"$tmp/ascii-magic"
    if [ -f "$tmp/new.qd6" ]; then cp "$tmp/new.qd6" "$tmp/real.qd6"; else cp "$tmp/profile-without-extension" "$tmp/real.qd6"; fi
    types=$(XDG_DATA_DIRS=$tmp/xdg XDG_DATA_HOME=$tmp/xdg-home "$mime_type_of" \
        "$tmp/real.qd6" "$tmp/profile-without-extension" "$tmp/old-profile" "$tmp/named.qd6" \
        "$tmp/ascii-magic")
    sed 's/^/     /' <<<"$types"
    line() { sed -n "${1}p" <<<"$types"; }
    check "a .qd6 profile gets the type by name and content" test "$(line 1)" = "$mime_type $mime_type"
    check "the .QD6 magic gives the type without the extension" \
        test "$(line 2 | cut -d' ' -f2)" = "$mime_type"
    check "the .QD5 magic gives the type too" test "$(line 3 | cut -d' ' -f2)" = "$mime_type"
    check "the .qd6 extension alone gives the type" test "$(line 4 | cut -d' ' -f1)" = "$mime_type"
    check "ASCII .QD6 is not taken for a profile" test "$(line 5 | cut -d' ' -f2)" != "$mime_type"
fi

# --- the mode service's unit and autostart entry ---------------------------------------------
unit=$prefix/lib/systemd/user/padconfig-modes.service
if [ -f "$unit" ]; then
    check "the mode service's unit starts the installed program" \
        test -x "$prefix/bin/$(sed -n 's/^ExecStart=//p' "$unit")"
    autostart=$prefix/share/padconfig/autostart/padconfig-modes.desktop
    command -v desktop-file-validate >/dev/null &&
        check "desktop-file-validate accepts the mode service's autostart entry" \
            bash -c "[ -z \"\$(desktop-file-validate '$autostart' 2>&1)\" ]"
fi

# --- udev rule -------------------------------------------------------------------------------
rule=$prefix/lib/udev/rules.d/${KEYPAD_UDEV_RULE_FILE:-}
if [ -n "${KEYPAD_UDEV_RULE_FILE:-}" ] && [ -f "$rule" ]; then
    check "the udev rule's ids are four lower-case hex digits" grep -qE \
        'ATTRS\{idVendor\}=="[0-9a-f]{4}", ATTRS\{idProduct\}=="[0-9a-f]{4}"' "$rule"
    check "the udev rule gives the keypad's hidraw node to the seat's user" \
        grep -qxF -e "$KEYPAD_UDEV_RULE" "$rule"
    check "the udev rule grants nothing else" \
        test "$(grep -v '^#' "$rule" | grep -c 'TAG+=\|MODE=\|GROUP=\|OWNER=')" = 1
fi

# --- uninstall -------------------------------------------------------------------------------
check "uninstall runs" cmake -P "$source/packaging/Uninstall.cmake" "$tmp/manifest" >/dev/null
left=$(installed)
[ -z "$left" ] || printf '     left behind: %s\n' $left
check "uninstall leaves no file behind" test -z "$left"
check "uninstall removes the program folder" test ! -e "$program_folder"

finish_checks install
