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

# found_package FILE: says which package was made, or fails when FILE is empty.
found_package() {
    [ -n "$1" ] || {
        echo "FAIL no package was made"
        return 1
    }
    echo "package: $(basename "$1")"
}

# make_package GENERATOR BUILD_DIR OUT_DIR: runs cpack for the build into OUT_DIR,
# prints its log when it fails, and drops its staging tree.
make_package() {
    mkdir -p "$3"
    if ! cpack -G "$1" --config "$2/CPackConfig.cmake" -B "$3" >"$3/cpack.log" 2>&1; then
        cat "$3/cpack.log"
        echo "FAIL cpack -G $1"
        return 1
    fi
    rm -rf "$3/_CPack_Packages"
}

# manifest_state BUILD_DIR: the checksum of the build's install_manifest.txt, or
# "none" without one.
manifest_state() {
    if [ -f "$1/install_manifest.txt" ]; then
        sha256sum <"$1/install_manifest.txt"
    else
        echo none
    fi
}

# elf_files DIR: the ELF files below DIR (links not followed).
elf_files() {
    local file
    while read -r file; do
        cmp -s -n 4 "$file" <(printf '\177ELF') && echo "$file"
    done < <(find "$1" -type f)
}

# has_debug_info FILE: the ELF file still holds DWARF debug information. grep reads
# all of readelf's output: with -q it could end first and, under pipefail, fail the
# pipeline through readelf's broken pipe.
has_debug_info() { readelf -S "$1" 2>/dev/null | grep '\.debug_info' >/dev/null; }

# stripped FILE...: none of the ELF files holds debug information.
stripped() {
    local file
    for file in "$@"; do
        ! has_debug_info "$file" || {
            echo "     not stripped: $file"
            return 1
        }
    done
}

# tells_release_notes FILE [xml]: FILE holds the text of every change line of the
# release notes ($RELEASE_NOTES) as it stands there, XML-escaped with "xml".
tells_release_notes() {
    local line missing=0
    while IFS= read -r line; do
        [ "${2:-}" = xml ] && line=$(sed 's/&/\&amp;/g; s/</\&lt;/g; s/>/\&gt;/g' <<<"$line")
        grep -qF -- "$line" "$1" || {
            echo "     missing: $line"
            missing=1
        }
    done < <(sed -n 's/^- //p; s/^  \+//p' "$RELEASE_NOTES")
    return "$missing"
}
