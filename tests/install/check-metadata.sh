#!/usr/bin/env bash
# Validates the desktop metadata a build installs:
#   check-metadata.sh DESKTOP_FILE METAINFO_FILE
# desktop-file-validate and `appstreamcli validate --no-net` must find nothing to
# report; the metainfo must describe the menu entry and the keypad. Exit 77 when
# neither validator is installed. Environment: KEYPAD_UDEV_RULE (the udev rule line,
# whose ids the modalias must match), PROJECT_VERSION, RELEASE_NOTES (the notes the
# metainfo's releases are written from).
set -uo pipefail

desktop=$1
metainfo=$2
if ! command -v desktop-file-validate >/dev/null && ! command -v appstreamcli >/dev/null; then
    echo "neither desktop-file-validate nor appstreamcli is installed: skipped"
    exit 77
fi
source "$(dirname "$0")/checks.sh"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$desktop" >"$tmp/desktop" 2>&1
    sed 's/^/     /' "$tmp/desktop"
    check "desktop-file-validate finds nothing" test ! -s "$tmp/desktop"
fi
if command -v appstreamcli >/dev/null; then
    # Errors, warnings and infos fail; pedantic hints (such as the upper-case letters
    # of the id org.padconfig.PadConfig) do not.
    appstreamcli validate --no-net --no-color "$metainfo" >"$tmp/appstream" 2>&1
    status=$?
    sed 's/^/     /' "$tmp/appstream"
    check "appstreamcli validate --no-net passes" test "$status" -eq 0
    check "appstreamcli reports no error, warning or info" bash -c "! grep -q '^[EWI]: ' '$tmp/appstream'"
fi

# The metainfo's single-line elements.
tag() { sed -n "s|.*<$1[^>]*>\([^<]*\)</$1>.*|\1|p" "$metainfo"; }
check "the metainfo's id is the menu entry's name" \
    test "$(tag id).desktop" = "$(basename "$desktop")"
check "the metainfo launches the menu entry" test "$(tag launchable)" = "$(basename "$desktop")"
check "the metainfo offers the menu entry's file type" \
    grep -qF "MimeType=$(tag mediatype);" "$desktop"
for language in de fr; do
    for key in Name Comment; do
        check "the menu entry has a $key in $language" grep -q "^$key\[$language\]=." "$desktop"
    done
    for element in name summary; do
        check "the metainfo has a $element in $language" \
            grep -q "<$element xml:lang=\"$language\">[^<]" "$metainfo"
    done
done
check "the metainfo keeps the release notes' every line" tells_release_notes "$metainfo" xml
check "the metainfo's newest release is this version" \
    bash -c "grep -m 1 '<release ' '$metainfo' | grep -qF 'version=\"$PROJECT_VERSION\"'"

# The kernel names a plugged-in keypad by a modalias such as this one, with the ids
# in upper-case hex; the udev rule has them in lower case.
vendor=$(sed -n 's/.*idVendor}=="\([0-9a-f]*\)".*/\1/p' <<<"${KEYPAD_UDEV_RULE:-}")
product=$(sed -n 's/.*idProduct}=="\([0-9a-f]*\)".*/\1/p' <<<"${KEYPAD_UDEV_RULE:-}")
keypad_modalias="usb:v${vendor^^}p${product^^}d0100dc00dsc00dp00ic03isc00ip00in00"
pattern=$(tag modalias)
echo "     modalias $pattern, keypad $keypad_modalias"
check "the metainfo's modalias matches the keypad the udev rule matches" \
    bash -c "[[ '$keypad_modalias' == $pattern ]]"
other_modalias="usb:v${vendor^^}p0000d0100dc00dsc00dp00ic03isc00ip00in00"
check "the metainfo's modalias does not match another product" \
    bash -c "[[ '$other_modalias' != $pattern ]]"

finish_checks metadata
