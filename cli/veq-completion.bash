# Bash completion for veq: its commands, their options, the kinds of --kind,
# and file names: data files (.dat) first where a data file is read or written,
# folders where a bitmap folder is, any file for build's TEXT. It needs bash
# alone, not the bash-completion package's helpers.

# Completes $1 as a file name: "data" (the .dat files and the folders to reach
# them, or any file when there is none), "folder", or "any".
_veq_files()
{
    local cur=$1 IFS=$'\n'
    compopt -o filenames 2>/dev/null
    case $2 in
    folder) COMPREPLY=($(compgen -d -- "$cur")) ;;
    data)
        COMPREPLY=($(compgen -f -X '!*.[dD][aA][tT]' -- "$cur"))
        if ((${#COMPREPLY[@]})); then
            COMPREPLY+=($(compgen -d -- "$cur"))
        else
            COMPREPLY=($(compgen -f -- "$cur"))
        fi
        ;;
    *) COMPREPLY=($(compgen -f -- "$cur")) ;;
    esac
}

_veq()
{
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]} command=${COMP_WORDS[1]}
    local valued='--kind --from --plane --filelist --except --into --wait'
    COMPREPLY=()
    if ((COMP_CWORD == 1)); then
        COMPREPLY=($(compgen -W 'dump build check add copy missing extra autogen --help --version' -- "$cur"))
        return
    fi
    case $prev in
    --kind) COMPREPLY=($(compgen -W 'filelist except planesq' -- "$cur")) ;;
    --plane | --wait) ;;
    --from | --filelist | --except | --into) _veq_files "$cur" data ;;
    esac
    [[ " $valued " == *" $prev "* ]] && return

    local options
    case $command in
    dump) options='--kind --raw --headers' ;;
    check) options='--kind' ;;
    build | add) options='--kind --wait' ;;
    copy) options='--kind --from --plane --wait' ;;
    missing) options='--filelist --except' ;;
    extra) options='--filelist --add --kind --wait' ;;
    autogen) options='--into --kind --wait' ;;
    *) return ;;
    esac
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$options --help" -- "$cur"))
        return
    fi

    # Which operand is being typed: options and their values do not count.
    local i operands=0
    for ((i = 2; i < COMP_CWORD; i++)); do
        if [[ " $valued " == *" ${COMP_WORDS[i]} "* ]]; then
            ((i++))
        elif [[ ${COMP_WORDS[i]} != --* ]]; then
            ((operands++))
        fi
    done
    case $command in
    missing | extra) _veq_files "$cur" folder ;;
    build) if ((operands == 0)); then _veq_files "$cur" any; else _veq_files "$cur" data; fi ;;
    add) ((operands == 0)) && _veq_files "$cur" data ;;
    *) _veq_files "$cur" data ;;
    esac
}

complete -F _veq veq
