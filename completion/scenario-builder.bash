# Bash completion of scenario-builder: its commands, each command's options (as its own --help
# lists them, so that they are always the program's), the values of --format and --kind, and
# the routes and trains of the folder given with --dir (the R of R_linea.txt, the T of R_T-.txt).
# It needs nothing but bash; installed under bash-completion's completions folder, it is loaded
# the first time the command is completed.

_scenario_builder_routes() {
    local dir=$1 file
    for file in "$dir"/*_linea.txt; do
        [[ -f $file ]] || continue
        file=${file##*/}
        printf '%s\n' "${file%_linea.txt}"
    done
}

_scenario_builder_trains() {
    local dir=$1 route=$2 file name
    local -a routes
    if [[ -n $route ]]; then
        routes=("$route")
    else
        mapfile -t routes < <(_scenario_builder_routes "$dir")
    fi
    for route in "${routes[@]}"; do
        for file in "$dir/${route}"_*-.txt; do
            [[ -f $file ]] || continue
            name=${file##*/}
            name=${name#"${route}"_}
            printf '%s\n' "${name%-.txt}"
        done
    done
}

_scenario_builder() {
    local program=${COMP_WORDS[0]}
    local current=${COMP_WORDS[COMP_CWORD]}
    local previous=""
    ((COMP_CWORD > 0)) && previous=${COMP_WORDS[COMP_CWORD - 1]}
    COMPREPLY=()

    local command="" dir="" route="" i
    for ((i = 1; i < COMP_CWORD; i++)); do
        case ${COMP_WORDS[i]} in
            --dir) dir=${COMP_WORDS[i + 1]} ;;
            --route) route=${COMP_WORDS[i + 1]} ;;
            -*) ;;
            *) [[ -z $command && ${COMP_WORDS[i - 1]} != --* ]] && command=${COMP_WORDS[i]} ;;
        esac
    done
    # A folder named as a bash word may start with ~.
    dir=${dir/#\~/$HOME}

    case $previous in
        --route)
            mapfile -t COMPREPLY < <(compgen -W "$(_scenario_builder_routes "${dir:-.}")" -- "$current")
            return ;;
        --train)
            mapfile -t COMPREPLY < <(compgen -W "$(_scenario_builder_trains "${dir:-.}" "$route")" -- "$current")
            return ;;
        --format)
            mapfile -t COMPREPLY < <(compgen -W "text json sarif github" -- "$current")
            return ;;
        --kind)
            mapfile -t COMPREPLY < <(compgen -W "items grid line" -- "$current")
            return ;;
        --dir)
            mapfile -t COMPREPLY < <(compgen -d -- "$current")
            return ;;
        --out | --plot | --log)
            mapfile -t COMPREPLY < <(compgen -f -- "$current")
            return ;;
        --jobs | --serve | --from | --to | --cells | --km)
            return ;;
    esac

    if [[ -z $command ]]; then
        if [[ $current == -* ]]; then
            mapfile -t COMPREPLY < <(compgen -W "--help --version" -- "$current")
        else
            local commands
            commands=$("$program" --help 2>/dev/null |
                sed -n '/^Subcommands:/,$ s/^  \([a-z][a-z-]*\) .*/\1/p')
            mapfile -t COMPREPLY < <(compgen -W "$commands" -- "$current")
        fi
        return
    fi
    if [[ $current == -* ]]; then
        local options
        options=$("$program" "$command" --help 2>/dev/null |
            sed -n 's/^ *\(-[a-z],\)\{0,1\}\(--[a-z0-9-]*\).*/\2/p')
        mapfile -t COMPREPLY < <(compgen -W "$options" -- "$current")
        return
    fi
    # The positional arguments: folders and files (check's PATH, inspect's FILE, diff's A B).
    mapfile -t COMPREPLY < <(compgen -f -- "$current")
}

complete -o filenames -F _scenario_builder scenario-builder
