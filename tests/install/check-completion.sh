#!/usr/bin/env bash
# Drives qd6's shell completions:
#   check-completion.sh COMPLETIONS_DIR QD6
# bash always; fish and zsh (through zsh-complete.zsh) where they are installed. The commands offered must be
# the ones `qd6 --help` lists.
set -uo pipefail

dir=$(realpath "$1")
qd6=$2
source "$(dirname "$0")/checks.sh"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

commands=$("$qd6" --help | sed -n '/^Subcommands:/,$p' | awk 'NR > 1 && NF { print $1 }' | sort | xargs)
echo "     qd6's commands: $commands"

# bash_complete WORD...: what the completion offers for the command line WORD...
# (the last word is the one being completed), sorted, on one line.
bash_complete() {
    (cd "$tmp/files" && bash -c '
        source "$1"; shift
        COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); COMP_LINE="$*"; COMP_POINT=${#COMP_LINE}
        _qd6
        printf "%s\n" "${COMPREPLY[@]}"' bash "$dir/qd6.bash" "$@") | sort | xargs
}
mkdir -p "$tmp/files"
touch "$tmp/files/arena.qd6" "$tmp/files/arena.json" "$tmp/files/notes.txt"

check "bash offers qd6's commands" test "$(bash_complete qd6 "")" = "$commands"
check "bash completes a started command" test "$(bash_complete qd6 con)" = convert
check "bash offers the modes of qd6 mode" test "$(bash_complete qd6 mode "")" = "a b c normal"
check "bash offers nothing after the mode" test -z "$(bash_complete qd6 mode a "")"
check "bash offers the options of qd6 show" test "$(bash_complete qd6 show -)" = "--help --json"
check "bash offers the options of qd6 new" test "$(bash_complete qd6 new -)" = "--force --help"
check "bash offers the program's options" test "$(bash_complete qd6 --)" = "--help --version"
check "bash offers file names for a profile" test "$(bash_complete qd6 show ar)" = "arena.json arena.qd6"
check "bash offers a file name for convert's second file" \
    test "$(bash_complete qd6 convert arena.qd6 n)" = "notes.txt"
check "bash offers nothing for qd6 list" test -z "$(bash_complete qd6 list "")"
check "bash completes qd6 by this function" \
    bash -c "source '$dir/qd6.bash' && complete -p qd6 | grep -q -- '-F _qd6'"

if command -v fish >/dev/null; then
    fish_complete() {
        fish --no-config -c "source '$dir/qd6.fish'; complete -C '$1'" | cut -f1 | sort | xargs
    }
    check "fish offers qd6's commands" test "$(fish_complete 'qd6 ')" = "$commands"
    check "fish offers the modes of qd6 mode" test "$(fish_complete 'qd6 mode ')" = "a b c normal"
else
    echo "     fish is not installed: its completion is not tried"
fi

if command -v zsh >/dev/null; then
    # The listing zsh shows for a line, without the terminal's escape sequences.
    zsh_complete() {
        timeout 30 zsh -f "$(dirname "$0")/zsh-complete.zsh" "$dir" "$1" "$tmp/zcompdump" |
            sed 's/\x1b\[[0-9;?]*[a-zA-Z]//g' | tr -d '\r' >"$tmp/zsh"
    }
    lists_commands() {
        local command
        for command in $commands; do
            grep -qE "^$command +-- " "$tmp/zsh" || return 1
        done
    }
    check "zsh reads _qd6" zsh -n "$dir/_qd6"
    zsh_complete 'qd6 '
    check "zsh offers qd6's commands" lists_commands
    zsh_complete 'qd6 mode '
    check "zsh offers the modes of qd6 mode" grep -qE '^a +b +c +normal' "$tmp/zsh"
    zsh_complete 'qd6 show -'
    check "zsh offers the options of qd6 show" grep -q -- '--json' "$tmp/zsh"
    check "zsh reports no error" bash -c "! grep -q '_arguments:\|command not found' '$tmp/zsh'"
else
    echo "     zsh is not installed: its completion is not tried"
fi

finish_checks completion
