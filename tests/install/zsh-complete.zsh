# Prints what zsh's completion lists for a command line, as a terminal shows it:
#   zsh -f zsh-complete.zsh FUNCTION_DIR 'qd6 mode ' DUMP_FILE
# An interactive zsh on a pseudo-terminal loads the completion functions of
# FUNCTION_DIR with compinit, gets the line and a Tab, and its screen is printed.
# compinit keeps what it found in DUMP_FILE: the first run writes it, later runs with
# the same file read it instead of searching every function folder again.
# It waits for the shell rather than for fixed times: for its prompt after compinit,
# then for the listing (the first line break after the Tab) and until the screen has
# stayed still for a moment. The caller bounds the whole run with a timeout.
zmodload zsh/zpty
zmodload zsh/zselect
if [[ -s $3 ]]; then reuse=-C; else reuse=; fi
zpty shell zsh -f -i
# The prompt is written so that the echo of this line does not show it.
zpty -w shell "PS1='RE''ADY> '; fpath=($1 \$fpath); autoload -Uz compinit; compinit -u $reuse -d ${(q)3}"
zpty -r shell screen '*READY> '
zpty -n -w shell "$2"$'\t'
listing=""
while [[ $listing != *$'\n'* ]]; do
    zpty -r shell chunk && listing+=$chunk
done
quiet=0
while (( quiet < 3 )); do
    if zpty -r -t shell chunk; then
        listing+=$chunk
        quiet=0
    else
        zselect -t 10 # 0.1 s
        (( quiet++ ))
    fi
done
zpty -d shell
print -r -- "$screen$listing"
