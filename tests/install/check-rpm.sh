#!/usr/bin/env bash
# Builds the RPM package of a build and checks what it holds and requires:
#   check-rpm.sh BUILD_DIR
# Exit 77 without rpmbuild. Environment: EXPECTED_FILES, the paths below the prefix
# the package must hold (below /usr), and the only ones it may hold; PROJECT_VERSION;
# RELEASE_NOTES, the notes the changelog is written from.
set -uo pipefail

build=$(realpath "$1")
if ! command -v rpmbuild >/dev/null || ! command -v rpm >/dev/null; then
    echo "rpmbuild is not installed: skipped"
    exit 77
fi
read -r -a expected <<<"${EXPECTED_FILES:-}"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
source "$(dirname "$0")/checks.sh"

make_package RPM "$build" "$tmp/out" || exit 1
package=$(find "$tmp/out" -maxdepth 1 -name '*.rpm' | head -n 1)
found_package "$package" || exit 1

# --- files --------------------------------------------------------------------------------
# Paths with their mode, so that folders can be told from files and links.
rpm -qp --queryformat '[%{FILEMODES:perms} %{FILENAMES}\n]' "$package" >"$tmp/listing"
awk '$1 !~ /^d/ { print $2 }' "$tmp/listing" | sed 's|^/||' | sort >"$tmp/contents"
awk '$1 ~ /^d/ { print $2 }' "$tmp/listing" | sort >"$tmp/folders"
printf 'usr/%s\n' "${expected[@]}" | sort >"$tmp/expected"
check "the package holds exactly the installed layout below /usr (rpm -qlp)" \
    diff "$tmp/expected" "$tmp/contents"
# Folders such as /usr/share/applications belong to the system's own packages; those
# of the shells' completions exist only with the shell, so the package shares them.
sed 's/^/     owns: /' "$tmp/folders"
system_folders=(/usr /usr/bin /usr/lib /usr/share /usr/share/doc /usr/lib/udev /usr/lib/udev/rules.d
    /usr/share/applications /usr/share/metainfo /usr/share/icons /usr/share/icons/hicolor
    /usr/share/icons/hicolor/scalable /usr/share/icons/hicolor/scalable/apps /usr/share/mime
    /usr/share/mime/packages /usr/share/man /usr/share/man/man1
    /usr/lib/systemd /usr/lib/systemd/user)
printf '%s\n' "${system_folders[@]}" >"$tmp/system-folders"
# owns_its_folders: every folder that holds a file of the package is the package's or
# the system's.
owns_its_folders() {
    local file folder unowned=0
    while read -r file; do
        folder=$(dirname "/$file")
        while [ "$folder" != / ]; do
            if ! grep -qxF "$folder" "$tmp/folders" "$tmp/system-folders"; then
                echo "     not owned: $folder"
                unowned=1
            fi
            folder=$(dirname "$folder")
        done
    done <"$tmp/contents"
    return "$unowned"
}
check "the package owns every folder it creates" owns_its_folders
check "the package owns no folder of the system" \
    bash -c "! grep -xF -f '$tmp/system-folders' '$tmp/folders'"
check "the package marks the copyright file as its licence (%license)" \
    bash -c "rpm -qpL '$package' | grep -qxF /usr/share/doc/padconfig/copyright"
check "the package has the project's version" \
    test "$(rpm -qp --queryformat '%{VERSION}' "$package")" = "$PROJECT_VERSION"
rpm -qp --changelog "$package" >"$tmp/changelog"
check "the changelog keeps the release notes' every line" tells_release_notes "$tmp/changelog"
check "the package carries the licence" \
    test "$(rpm -qp --queryformat '%{LICENSE}' "$package")" = GPL-3.0-or-later

# --- requirements ---------------------------------------------------------------------------
rpm -qp --requires "$package" | sort -u >"$tmp/requires"
rpm -qp --provides "$package" >"$tmp/provides"
grep -v 'GLIBC\|CXXABI\|Qt_6' "$tmp/requires" | sed 's/^/     requires: /'
if grep -qx 'usr/lib/padconfig/padconfig' "$tmp/contents"; then
    check "the package requires Qt Widgets by its soname" \
        grep -qxF 'libQt6Widgets.so.6()(64bit)' "$tmp/requires"
fi
if grep -qx 'usr/lib/padconfig/libpadlink.so' "$tmp/contents"; then
    check "the package requires hidapi by its soname" \
        grep -qxF 'libhidapi-hidraw.so.0()(64bit)' "$tmp/requires"
fi
check "no requirement is a Debian package name" bash -c "! grep -E '^lib(qt6|hidapi-hidraw0|udev1|stdc\+\+6)' '$tmp/requires'"
check "the private libraries are neither required nor offered" \
    bash -c "! grep -h 'padlink\|hidbridge' '$tmp/requires' '$tmp/provides'"

# --- scripts --------------------------------------------------------------------------------
rpm -qp --scripts "$package" >"$tmp/scripts"
check "%post applies the udev rule" \
    bash -c "sed -n '/^postinstall/,/^postuninstall/p' '$tmp/scripts' | grep -q 'udevadm trigger'"
check "%postun takes the udev rule away on removal only" \
    bash -c "sed -n '/^postuninstall/,\$p' '$tmp/scripts' | grep -q '\"\$1\" -eq 0'"

# --- stripped programs ------------------------------------------------------------------------
if command -v rpm2archive >/dev/null; then
    mkdir -p "$tmp/root"
    rpm2archive - <"$package" | tar -xzf - -C "$tmp/root"
    mapfile -t elves < <(elf_files "$tmp/root")
    [ "${#elves[@]}" -eq 0 ] || check "the programs and libraries are stripped" stripped "${elves[@]}"
fi

finish_checks rpm
