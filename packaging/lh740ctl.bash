# bash completion for lh740ctl. The commands and options come from lh740ctl's own --help, so
# they are never out of step with the program.

# The names listed under "Subcommands:" in the help of `lh740ctl ARGS...`.
_lh740ctl_commands() {
    "$1" "${@:2}" --help 2>/dev/null | awk '/^Subcommands:/ { on = 1; next }
        on && /^  [a-z]/ { print $1; next } on && !/^ / { on = 0 }'
}

# The options of `lh740ctl ARGS...`, long and short.
_lh740ctl_options() {
    "$1" "${@:2}" --help 2>/dev/null | awk '/^Options:/ { on = 1; next }
        on && /^  -/ { n = split($1, names, ","); for (i = 1; i <= n; i++) print names[i]; next }
        on && !/^ / { on = 0 }'
}

_lh740ctl() {
    local cur prev words cword
    _init_completion || return

    local program=${words[0]} path=() word i
    # The command path typed so far: `squelch read`, `config set`, ...
    for ((i = 1; i < cword; i++)); do
        word=${words[i]}
        [[ $word == -* ]] && continue
        if _lh740ctl_commands "$program" "${path[@]}" | grep -qx -- "$word"; then
            path+=("$word")
        fi
    done

    case $prev in
        --port)
            COMPREPLY=($(compgen -W "sim $(compgen -G '/dev/ttyUSB*') $(compgen -G '/dev/ttyACM*') $(compgen -G '/dev/ttyS*')" -- "$cur"))
            return ;;
        --lang)
            COMPREPLY=($(compgen -W "en zh" -- "$cur"))
            return ;;
        --format)
            COMPREPLY=($(compgen -W "grid chirp" -- "$cur"))
            return ;;
        --sections)
            COMPREPLY=($(compgen -W "optional channels dtmf msk 2tone" -- "$cur"))
            return ;;
        -o | --output | --base | --trace | --file)
            _filedir
            return ;;
    esac

    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$(_lh740ctl_options "$program" "${path[@]}")" -- "$cur"))
        return
    fi
    local commands
    commands=$(_lh740ctl_commands "$program" "${path[@]}")
    if [[ -n $commands ]]; then
        COMPREPLY=($(compgen -W "$commands" -- "$cur"))
        return
    fi
    _filedir
}
complete -F _lh740ctl lh740ctl
