# bash completion for pemblo-cli: its commands, each command's options, and
# for each argument the files of its kind (.lsq sequences, .wav recordings,
# .png pictures, .rcc device bundles, ...).
#
# Commands and options are read from pemblo-cli's own --help, so the
# completion knows whatever commands the installed program has. A usage line
# such as "FILE -o OUT.wav [--ticks N]" says it all: an option followed by a
# placeholder takes a value; a placeholder with an extension (OUT.wav,
# OUT.gif|.mp4|.webm) takes files of that kind, FILE takes sequences, BUNDLE
# device bundles, OUT any file, OUTPUT the names of the sound outputs, and
# the rest (N, TICKS, ...) no file at all. A placeholder ending in "..."
# (FILE...) takes as many arguments as given.

# The words of a command's usage line, one a line, without brackets and with
# alternatives ("--ticks N|--seconds S") apart.
_pemblo_cli_usage_words()
{
    "$1" "$2" --help 2>/dev/null | head -n 1 |
        sed -e 's/^usage: [^ ]* [^ ]* *//' -e 's/[][]//g' -e 's/|-/ -/g' | tr -s ' ' '\n'
}

# Adds to COMPREPLY the completions of cur for a placeholder of the usage.
_pemblo_cli_placeholder()
{
    local program=$1 command=$2 placeholder=$3 cur=$4
    local -a extensions=()
    case $placeholder in
        PATTERN)
            COMPREPLY+=($(compgen -W "$("$program" "$command" --help 2>/dev/null |
                sed -n '/^patterns:/,/^$/s/^  \([a-z][a-z-]*\) .*/\1/p')" -- "$cur"))
            return ;;
        OUTPUT)
            COMPREPLY+=($(compgen -W "$("$program" outputs 2>/dev/null | cut -f1)" -- "$cur"))
            return ;;
        FILE) extensions=(lsq) ;;
        BUNDLE) extensions=(rcc) ;;
        OUT) ;;
        *.*) IFS='|' read -r -a extensions <<<"${placeholder#*.}"
             extensions=("${extensions[@]#.}") ;;
        *) return ;;
    esac
    compopt -o filenames 2>/dev/null
    local IFS=$'\n'
    if [ ${#extensions[@]} -eq 0 ]; then
        COMPREPLY+=($(compgen -f -- "$cur"))
        return
    fi
    COMPREPLY+=($(compgen -d -- "$cur"))
    local extension
    for extension in "${extensions[@]}"; do
        COMPREPLY+=($(compgen -f -X "!*.$extension" -- "$cur"))
        COMPREPLY+=($(compgen -f -X "!*.${extension^^}" -- "$cur"))
    done
}

_pemblo_cli()
{
    local program=${COMP_WORDS[0]} cur=${COMP_WORDS[COMP_CWORD]}
    local prev=${COMP_WORDS[COMP_CWORD - 1]}
    COMPREPLY=()
    if [ "$COMP_CWORD" -eq 1 ]; then
        local commands
        commands=$("$program" --help 2>/dev/null | sed -n 's/^  \([a-z][a-z-]*\) .*/\1/p')
        COMPREPLY=($(compgen -W "$commands --help --version" -- "$cur"))
        return
    fi

    local command=${COMP_WORDS[1]} word i
    local -a usage positionals=() options=(--help)
    local -A value_of=()
    local repeats=
    mapfile -t usage < <(_pemblo_cli_usage_words "$program" "$command")
    for ((i = 0; i < ${#usage[@]}; i++)); do
        word=${usage[i]}
        if [[ $word == -* ]]; then
            options+=("$word")
            if [[ -n ${usage[i + 1]} && ${usage[i + 1]} != -* ]]; then
                value_of[$word]=${usage[i + 1]}
                ((i++))
            fi
        else
            [[ $word == *... ]] && repeats=1
            positionals+=("${word%...}")
        fi
    done

    if [[ -n $prev && -n ${value_of[$prev]} ]]; then
        _pemblo_cli_placeholder "$program" "$command" "${value_of[$prev]}" "$cur"
        return
    fi
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "${options[*]}" -- "$cur"))
        return
    fi
    # Which positional argument the cursor is on: the words before it that
    # are neither options nor their values.
    local count=0
    for ((i = 2; i < COMP_CWORD; i++)); do
        word=${COMP_WORDS[i]}
        if [[ $word == -* ]]; then
            [[ -n ${value_of[$word]} ]] && ((i++))
        else
            ((count++))
        fi
    done
    [[ -n $repeats && $count -ge ${#positionals[@]} ]] && count=$((${#positionals[@]} - 1))
    [ "$count" -lt ${#positionals[@]} ] &&
        _pemblo_cli_placeholder "$program" "$command" "${positionals[count]}" "$cur"
}

complete -F _pemblo_cli pemblo-cli
