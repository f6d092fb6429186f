# bash completion for qd6: the commands, their options, the modes of "qd6 mode" and
# file names for the files the commands read and write. Options are offered once a
# word starts with "-".

_qd6() {
    local cur=${COMP_WORDS[COMP_CWORD]}
    local command="" positionals=0 i word
    for ((i = 1; i < COMP_CWORD; i++)); do
        word=${COMP_WORDS[i]}
        if [[ -z $command ]]; then
            [[ $word == -* ]] || command=$word
        elif [[ $word != -* || $word == - ]]; then
            ((positionals++))
        fi
    done

    # What the word may be: options, fixed words, or a file name.
    local options="--help" words="" files=0
    case $command in
    "") options="--help --version" words="show reports new convert import keys list mode download" ;;
    show) options="--json --help" files=$((positionals < 1)) ;;
    new) options="--force --help" files=$((positionals < 1)) ;;
    reports | download) files=$((positionals < 1)) ;;
    convert | import) files=$((positionals < 2)) ;;
    mode) ((positionals >= 1)) || words="normal a b c" ;;
    esac

    COMPREPLY=()
    if [[ $cur == -* ]]; then
        mapfile -t COMPREPLY < <(compgen -W "$options" -- "$cur")
    elif ((files)); then
        compopt -o filenames 2>/dev/null
        mapfile -t COMPREPLY < <(compgen -f -- "$cur")
    elif [[ -n $words ]]; then
        mapfile -t COMPREPLY < <(compgen -W "$words" -- "$cur")
    fi
}
complete -F _qd6 qd6
