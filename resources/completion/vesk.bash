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
        import) COMPREPLY=($(compgen -W 'pdb vesk tab ergane quizapp apkg' -- "$current")); return ;;
        export) COMPREPLY=($(compgen -W 'vesk tab apkg anki-text --reverse' -- "$current")); return ;;
        esac
    fi
    case ${COMP_WORDS[COMP_CWORD-1]} in
    --pinyin-style) COMPREPLY=($(compgen -W 'standard handheld' -- "$current")); return ;;
    --pinyin | --pinyin-numbers) return ;;
    esac
    if [[ $current == -* ]]; then
        case $command in
        import) COMPREPLY=($(compgen -W '--pinyin --pinyin-style --help' -- "$current")); return ;;
        export) COMPREPLY=($(compgen -W '--reverse --pinyin-numbers --help' -- "$current")); return ;;
        esac
    fi
    COMPREPLY=($(compgen -f -- "$current"))
}
complete -o filenames -F _vesk vesk
