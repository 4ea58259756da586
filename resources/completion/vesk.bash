# bash completion for vesk: the commands, the formats, then file names.
_vesk() {
    local current=${COMP_WORDS[COMP_CWORD]}
    local command=${COMP_WORDS[1]}
    if [ "$COMP_CWORD" -eq 1 ]; then
        COMPREPLY=($(compgen -W 'dump import export merge --help --version' -- "$current"))
        return
    fi
    if [ "$COMP_CWORD" -eq 2 ]; then
        case $command in
        import) COMPREPLY=($(compgen -W 'pdb vesk tab ergane quizapp apkg csv' -- "$current")); return ;;
        export) COMPREPLY=($(compgen -W 'vesk tab apkg anki-text csv' -- "$current")); return ;;
        esac
    fi
    case ${COMP_WORDS[COMP_CWORD-1]} in
    --pinyin-style) COMPREPLY=($(compgen -W 'standard handheld' -- "$current")); return ;;
    --separator) COMPREPLY=($(compgen -W 'comma semicolon tab pipe space colon' -- "$current")); return ;;
    --encoding) COMPREPLY=($(compgen -W 'utf-8 utf-16le utf-16be windows-1252' -- "$current")); return ;;
    --duplicates) COMPREPLY=($(compgen -W 'add skip update' -- "$current")); return ;;
    --pinyin | --pinyin-numbers | --columns | --key) return ;;
    esac
    if [[ $current == -* ]]; then
        case $command in
        import) COMPREPLY=($(compgen -W '--pinyin --pinyin-style --separator --encoding --header --no-header --columns --into --duplicates --key --split --help' -- "$current")); return ;;
        export) COMPREPLY=($(compgen -W '--reverse --pinyin-numbers --categories --help' -- "$current")); return ;;
        merge) COMPREPLY=($(compgen -W '--duplicates --key --help' -- "$current")); return ;;
        esac
    fi
    COMPREPLY=($(compgen -f -- "$current"))
}
complete -o filenames -F _vesk vesk
