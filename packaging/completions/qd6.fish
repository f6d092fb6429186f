# fish completion for qd6: the commands, their options, the modes of "qd6 mode" and
# file names for the files the commands read and write.

set -l commands show reports new convert import keys list mode download
complete -c qd6 -f
complete -c qd6 -s h -l help -d 'Print the help text and exit'
complete -c qd6 -n "not __fish_seen_subcommand_from $commands" -l version -d 'Print the version and exit'

complete -c qd6 -n "not __fish_seen_subcommand_from $commands" -a show -d 'Print every key of every mode and the macros'
complete -c qd6 -n "not __fish_seen_subcommand_from $commands" -a reports -d 'Print the 240 download reports of a profile in hex'
complete -c qd6 -n "not __fish_seen_subcommand_from $commands" -a new -d 'Write a fresh profile'
complete -c qd6 -n "not __fish_seen_subcommand_from $commands" -a convert -d 'Write a profile of either version in the current version'
complete -c qd6 -n "not __fish_seen_subcommand_from $commands" -a import -d 'Write the profile that a JSON object describes'
complete -c qd6 -n "not __fish_seen_subcommand_from $commands" -a keys -d 'Print the key codes with their key names and event numbers'
complete -c qd6 -n "not __fish_seen_subcommand_from $commands" -a list -d 'List the HID interfaces that match the keypad'
complete -c qd6 -n "not __fish_seen_subcommand_from $commands" -a mode -d 'Switch the keypad to Normal mode or Mode A, B or C'
complete -c qd6 -n "not __fish_seen_subcommand_from $commands" -a download -d 'Download a profile into the keypad'

complete -c qd6 -n "__fish_seen_subcommand_from show" -l json -d 'Print one JSON object'
complete -c qd6 -n "__fish_seen_subcommand_from new" -l force -d 'Overwrite an existing file'
complete -c qd6 -n "__fish_seen_subcommand_from show reports new convert import download" -F
complete -c qd6 -n "__fish_seen_subcommand_from mode" -a 'normal a b c'
