# bash completion for tracksmith-cli: the commands, each command's options
# and their values, and file names by the type the usage line asks for.
# Everything comes from the program's own help, so commands added to it
# complete without changes here.

# The words of COMMAND's usage line after the command word.
_tracksmith_cli_usage()
{
    "$1" help "$2" 2>/dev/null | sed -n "1s/^Usage: tracksmith-cli $2 *//p"
}

# Adds the files below $cur whose names end in one of the extensions
# (a regular expression, compared without case), and the folders.
_tracksmith_cli_files()
{
    local ext=$1 f had=1
    local IFS=$'\n'
    compopt -o filenames 2>/dev/null
    shopt -q nocasematch && had=0
    shopt -s nocasematch
    for f in $(compgen -f -- "$cur"); do
        if [[ -d $f || -z $ext || $f =~ \.($ext)$ ]]; then
            COMPREPLY+=("$f")
        fi
    done
    ((had == 0)) || shopt -u nocasematch
}

_tracksmith_cli()
{
    local cur=${COMP_WORDS[COMP_CWORD]}
    local cli=${COMP_WORDS[0]}
    COMPREPLY=()
    local commands
    commands=$("$cli" --help 2>/dev/null | sed -n '/^Commands:/,/^$/s/^  \([a-z][a-z-]*\)\( .*\)\{0,1\}$/\1/p')
    if ((COMP_CWORD == 1)); then
        COMPREPLY=($(compgen -W "$commands --help --version" -- "$cur"))
        return
    fi
    local command=${COMP_WORDS[1]}
    local usage
    usage=$(_tracksmith_cli_usage "$cli" "$command")
    [[ -n $usage ]] || return

    # The value of an option: the choices its usage names ("--gaps a|b|c").
    local prev=${COMP_WORDS[COMP_CWORD - 1]}
    if [[ $prev == --* && $usage =~ \[$prev\ ([^]]*)\] ]]; then
        local value=${BASH_REMATCH[1]}
        if [[ $value == *'|'* ]]; then
            COMPREPLY=($(compgen -W "${value//|/ }" -- "$cur"))
        fi
        return
    fi
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$(grep -o -- '--[a-z][a-z-]*' <<<"$usage") --help" -- "$cur"))
        return
    fi

    # The positional arguments: the usage words outside brackets; count the
    # ones already given, skipping options and their values.
    local positional=($(sed -e 's/\[[^]]*\]//g' <<<"$usage"))
    local i n=0
    for ((i = 2; i < COMP_CWORD; i++)); do
        if [[ ${COMP_WORDS[i]} == --* ]]; then
            [[ $usage =~ \[${COMP_WORDS[i]}\ [^]]*\] ]] && ((i++))
            continue
        fi
        ((n++))
    done
    local word=${positional[n]}
    if [[ -z $word && $usage == *'[COMMAND]'* && $n -eq 0 ]]; then
        word=COMMAND
    fi
    case $word in
    COMMAND) COMPREPLY=($(compgen -W "$commands" -- "$cur")) ;;
    *DIR) compopt -o filenames 2>/dev/null; COMPREPLY=($(compgen -d -- "$cur")) ;;
    SHEET* | *.cue) _tracksmith_cli_files 'cue' ;;
    WAV) _tracksmith_cli_files 'wav' ;;
    *.bin* | BIN*) _tracksmith_cli_files 'bin|img' ;;
    *.flac* | *.wav* | AUDIO* | IMAGE*) _tracksmith_cli_files 'wav|flac|ape|wv|mp3|ogg|opus|m4a|aiff?|tta|bin' ;;
    TIME | START | STOP | N | '') ;;
    *) _tracksmith_cli_files '' ;;
    esac
}
complete -F _tracksmith_cli tracksmith-cli
