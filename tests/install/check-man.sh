#!/usr/bin/env bash
# Checks the manual pages of a build:
#   check-man.sh MAN_DIR README [QD6]
# groff renders every page with all warnings on and says nothing (and so does
# `man -l` where man is installed); the pages name every environment variable of the
# README's PadLink table, and qd6(1) every command qd6 has. Exit 77 without groff.
set -uo pipefail

man_dir=$1
readme=$2
qd6=${3:-}
if ! command -v groff >/dev/null; then
    echo "groff is not installed: skipped"
    exit 77
fi
source "$(dirname "$0")/checks.sh"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

renders_cleanly() {
    groff -ww -man -Tutf8 "$1" >"$tmp/out" 2>"$tmp/warnings" || return 1
    if command -v man >/dev/null; then
        MANWIDTH=80 man --warnings -E UTF-8 -l "$1" >/dev/null 2>>"$tmp/warnings" || return 1
    fi
    sed 's/^/     /' "$tmp/warnings"
    test ! -s "$tmp/warnings" && test -s "$tmp/out"
}

mapfile -t pages < <(find "$man_dir" -maxdepth 1 -name '*.1' | sort)
check "there are manual pages" test "${#pages[@]}" -gt 0
for page in "${pages[@]}"; do
    check "$(basename "$page") renders without a warning" renders_cleanly "$page"
    for section in NAME SYNOPSIS DESCRIPTION OPTIONS ENVIRONMENT FILES "EXIT STATUS" EXAMPLES; do
        check "$(basename "$page") has the section $section" grep -qx "\.SH \"\?$section\"\?" "$page"
    done
    # The variables of the README's table: | `NAME=example` | effect |
    while read -r variable; do
        check "$(basename "$page") explains $variable" grep -qx "\.B $variable" "$page"
    done < <(sed -n 's/^| `\(PADLINK_[A-Z_]*\)=.*/\1/p' "$readme")
done

if [ -f "$man_dir/qd6.1" ] && [ -x "$qd6" ]; then
    # qd6's commands, as its help lists them below "Subcommands:".
    while read -r command; do
        check "qd6.1 explains qd6 $command" grep -qE "^\.B[IR]? $command( |$)" "$man_dir/qd6.1"
    done < <("$qd6" --help | sed -n '/^Subcommands:/,$p' | awk 'NR > 1 && NF { print $1 }')
fi

finish_checks man
