#!/usr/bin/env bash
# Writes the changelogs from release notes of two releases whose changes hold CMake's
# list characters, and checks what they say:
#   check-release-notes.sh RELEASE_NOTES_CMAKE RELEASE_NOTES
set -uo pipefail

script=$(realpath "$1")
notes=$(realpath "$2")
source "$(dirname "$0")/checks.sh"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

cp "$notes" "$tmp/release-notes.txt"
cat >>"$tmp/release-notes.txt" <<'NOTES'

release 0.9.1 2025-01-02
- Odd characters: a; b [c] d\e, f [g; h] & <i>
  and a continued line; with a semicolon\
NOTES
(cd "$tmp" && cmake -DPADCONFIG_PACKAGE_MAINTAINER="A Packager <a@example.org>" \
    -DPROJECT_VERSION=9.9.9 -P "$script") || exit 1

export RELEASE_NOTES=$tmp/release-notes.txt
check "the Debian changelog keeps every line" tells_release_notes "$tmp/changelog"
check "the RPM changelog keeps every line" tells_release_notes "$tmp/changelog.rpm"
check "the current release has the project's version" \
    grep -q '^padconfig (9.9.9) unstable; urgency=medium$' "$tmp/changelog"
check "an older release keeps its version and date" \
    grep -qxF '* Thu Jan 02 2025 A Packager <a@example.org> - 0.9.1-1' "$tmp/changelog.rpm"

finish_checks release-notes
