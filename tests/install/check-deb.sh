#!/usr/bin/env bash
# Builds the Debian package of a build and checks what it holds:
#   check-deb.sh BUILD_DIR
# Environment: EXPECTED_FILES, the paths below the prefix the package must hold
# (below /usr in the package), and the only ones it may hold.
set -uo pipefail

build=$(realpath "$1")
read -r -a expected <<<"${EXPECTED_FILES:-}"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$tmp/out" >"$tmp/cpack.log" 2>&1; then
    cat "$tmp/cpack.log"
    echo "FAIL cpack -G DEB"
    exit 1
fi
deb=$(find "$tmp/out" -maxdepth 1 -name '*.deb' | head -n 1)
[ -n "$deb" ] || {
    echo "FAIL no package was made"
    exit 1
}
echo "package: $(basename "$deb")"

source "$(dirname "$0")/checks.sh"

# Files and links, as ./usr/... paths.
dpkg-deb -c "$deb" >"$tmp/listing"
awk '$1 !~ /^d/ { print $6 }' "$tmp/listing" | sed 's|^\./||' | sort >"$tmp/contents"
printf 'usr/%s\n' "${expected[@]}" | sort >"$tmp/expected"
check "the package holds exactly the installed layout below /usr" diff "$tmp/expected" "$tmp/contents"

dpkg-deb -f "$deb" Package Version Architecture Depends >"$tmp/fields"
sed 's/^/     /' "$tmp/fields"
check "the package is called padconfig" grep -qx 'Package: padconfig' "$tmp/fields"
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

finish_checks deb
