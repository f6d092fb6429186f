#!/usr/bin/env bash
# The help page and the README tell the same of the language files:
#   check-language-docs.sh HELP_PAGE README SHIPPED_LANGUAGE_FILE...
# Both name the user's own file, the program folder's file, the folder of the shipped
# files and every shipped file.
set -uo pipefail

help_page=$1
readme=$2
shift 2
source "$(dirname "$0")/checks.sh"

names=("~/.config/padconfig/UILANG.lng" "/usr/lib/padconfig/" "/usr/share/padconfig/lang/")
for file in "$@"; do
    names+=("$(basename "$file")")
done
for document in "$help_page" "$readme"; do
    for name in "${names[@]}"; do
        check "$(basename "$document") names $name" grep -qF -- "$name" "$document"
    done
done

finish_checks language-docs
