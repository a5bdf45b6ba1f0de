# SPDX-License-Identifier: GPL-3.0-or-later
# bash completion for corvel-cli: commands, their options, the values of
# --board, --level, --format and --layout, puzzle files (.sdk and text
# files) and PDF files after -o.
_corvel_cli()
{
    local cur prev words cword
    _init_completion -s || return

    local commands="solve count hint generate print help"
    if ((cword == 1)); then
        COMPREPLY=($(compgen -W "$commands --help --version" -- "$cur"))
        return
    fi
    case $prev in
        --board) COMPREPLY=($(compgen -W "standard samurai" -- "$cur")); return ;;
        --level) COMPREPLY=($(compgen -W "easy testing very-difficult" -- "$cur")); return ;;
        --format) COMPREPLY=($(compgen -W "sdk line" -- "$cur")); return ;;
        --layout) COMPREPLY=($(compgen -W "large small" -- "$cur")); return ;;
        -o | --output) _filedir pdf; return ;;
        --seed | --count | --jobs) return ;;
    esac

    local options
    case ${words[1]} in
        help)
            ((cword == 2)) && COMPREPLY=($(compgen -W "$commands" -- "$cur"))
            return
            ;;
        solve) options="--moves" ;;
        count) options="" ;;
        hint) options="--why" ;;
        generate) options="--board --level --seed --count --jobs --format" ;;
        print) options="--layout -o --output" ;;
        *) return ;;
    esac
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$options --help" -- "$cur"))
    elif [[ ${words[1]} != generate ]]; then
        _filedir '@(sdk|txt)'
    fi
} && complete -F _corvel_cli corvel-cli
