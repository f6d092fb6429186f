#!/usr/bin/env bash
# Builds the Debian packages of a build and checks what they hold:
#   check-deb.sh BUILD_DIR             builds them into BUILD_DIR/test-packages/deb and
#                                      checks layout, fields, stripping, debug symbols
#   check-deb.sh BUILD_DIR --lintian   lintian finds nothing in the packages built
#                                      there (exit 77 without lintian)
# Environment: EXPECTED_FILES, the paths below the prefix the package must hold
# (below /usr in the package), and the only ones it may hold; PROJECT_VERSION;
# RELEASE_NOTES, the notes the changelog is written from.
set -uo pipefail

build=$(realpath "$1")
if [ "${2:-}" = --lintian ] && ! command -v lintian >/dev/null; then
    echo "lintian is not installed: skipped"
    exit 77
fi
read -r -a expected <<<"${EXPECTED_FILES:-}"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
source "$(dirname "$0")/checks.sh"

out=$build/test-packages/deb
if [ "${2:-}" != --lintian ]; then
    rm -rf "$out"
    manifest=$(manifest_state "$build")
    make_package DEB "$build" "$out" || exit 1
    # `uninstall` removes what that file lists: the user's own install, not the package's.
    check "making the package leaves install_manifest.txt as it was" \
        test "$(manifest_state "$build")" = "$manifest"
fi
deb=$(find "$out" -maxdepth 1 -name '*.deb' 2>/dev/null | head -n 1)
ddeb=$(find "$out" -maxdepth 1 -name '*-dbgsym_*.ddeb' 2>/dev/null | head -n 1)
found_package "$deb" || exit 1

if [ "${2:-}" = --lintian ]; then
    # Errors, warnings and infos (-I): lintian tells of missing hardening as infos too.
    lintian -I "$deb" ${ddeb:+"$ddeb"} >"$tmp/lintian" 2>&1
    grep -v 'running with root privileges' "$tmp/lintian" | sed 's/^/     /'
    check "lintian reports no error" bash -c "! grep -q '^E: ' '$tmp/lintian'"
    check "lintian reports no warning" bash -c "! grep -q '^W: ' '$tmp/lintian'"
    # A build without fortified calls (debug, sanitizers) lacks them in the package too.
    hardening_tags=' hardening-'
    [[ ${FORTIFIED:-1} == 1 ]] || hardening_tags=' hardening-(?!no-fortify-functions)'
    check "lintian reports no missing hardening" bash -c "! grep -qP '$hardening_tags' '$tmp/lintian'"
    finish_checks lintian
    exit
fi

# Files and links, as ./usr/... paths.
dpkg-deb -c "$deb" >"$tmp/listing"
awk '$1 !~ /^d/ { print $6 }' "$tmp/listing" | sed 's|^\./||' | sort >"$tmp/contents"
printf 'usr/%s\n' "${expected[@]}" | sort >"$tmp/expected"
check "the package holds exactly the installed layout below /usr" diff "$tmp/expected" "$tmp/contents"

dpkg-deb -f "$deb" Package Version Architecture Maintainer Depends >"$tmp/fields"
sed 's/^/     /' "$tmp/fields"
check "the package is called padconfig" grep -qx 'Package: padconfig' "$tmp/fields"
check "the package has the project's version" grep -qx "Version: $PROJECT_VERSION" "$tmp/fields"
if grep -q 'lib/padconfig/padconfig\|lib/padconfig/libpadlink.so' "$tmp/expected"; then
    check "the package depends on Qt and hidapi" \
        bash -c "grep '^Depends:' '$tmp/fields' | grep -q libqt6core6 && grep '^Depends:' '$tmp/fields' | grep -q libhidapi-hidraw0"
fi
check "the package's own libraries are no dependency" bash -c "! grep -q 'padlink\|hidbridge' '$tmp/fields'"

dpkg-deb -e "$deb" "$tmp/control"
check "postinst reloads the udev rules" grep -q 'udevadm control --reload-rules' "$tmp/control/postinst"
check "postinst is executable" test -x "$tmp/control/postinst"

if [ -e "$tmp/contents" ] && grep -qx 'usr/bin/padconfig' "$tmp/contents"; then
    check "/usr/bin/padconfig links into /usr/lib/padconfig" \
        grep -q './usr/bin/padconfig -> ../lib/padconfig/padconfig' "$tmp/listing"
fi

# --- stripped programs, their debug information in padconfig-dbgsym ----------------------
dpkg-deb -x "$deb" "$tmp/root"
mapfile -t elves < <(elf_files "$tmp/root")
# has_debug_file ELF: padconfig-dbgsym holds the debug information of the ELF file,
# under its build id.
has_debug_file() {
    local id
    id=$(readelf -n "$1" 2>/dev/null | awk '/Build ID:/ { print $3 }')
    [ -n "$id" ] && has_debug_info "$tmp/dbgsym/usr/lib/debug/.build-id/${id:0:2}/${id:2}.debug"
}
if [ "${#elves[@]}" -gt 0 ]; then
    check "the programs and libraries are stripped" stripped "${elves[@]}"
    check "the debug symbols come as padconfig-dbgsym" test -n "$ddeb"
    if [ -n "$ddeb" ]; then
        dpkg-deb -x "$ddeb" "$tmp/dbgsym"
        check "padconfig-dbgsym depends on this very padconfig" \
            bash -c "dpkg-deb -f '$ddeb' Depends | grep -qxF 'padconfig (= $PROJECT_VERSION)'"
        for elf in "${elves[@]}"; do
            check "padconfig-dbgsym holds the debug information of $(basename "$elf")" \
                has_debug_file "$elf"
        done
    fi
fi

# --- copyright and changelog -------------------------------------------------------------
doc=$tmp/root/usr/share/doc/padconfig
check "the copyright file is machine-readable (DEP-5)" \
    grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' "$doc/copyright"
check "the copyright file names the licence" grep -qx 'License: GPL-3.0-or-later' "$doc/copyright"
check "the changelog's newest entry is this version" \
    bash -c "zcat '$doc/changelog.gz' | head -n 1 | grep -q '^padconfig ($PROJECT_VERSION) '"
zcat "$doc/changelog.gz" >"$tmp/changelog"
check "the changelog keeps the release notes' every line" tells_release_notes "$tmp/changelog"

finish_checks deb
