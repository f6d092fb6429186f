# Prints what zsh's completion lists for a command line, as a terminal shows it:
#   zsh -f zsh-complete.zsh FUNCTION_DIR 'qd6 mode '
# An interactive zsh on a pseudo-terminal loads the completion functions of
# FUNCTION_DIR with compinit, gets the line and a Tab, and its screen is printed.
zmodload zsh/zpty
zpty shell zsh -f -i
zpty -w shell "PS1='> '; fpath=($1 \$fpath); autoload -Uz compinit; compinit -u -D"
sleep 1
zpty -n -w shell "$2"$'\t'
sleep 2
screen=""
while zpty -r -t shell chunk; do screen+=$chunk; done
zpty -d shell
print -r -- "$screen"
