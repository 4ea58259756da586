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
    if [ "$command" = export ] && [[ $current == -* ]]; then
        COMPREPLY=($(compgen -W '--reverse' -- "$current"))
        return
    fi
    COMPREPLY=($(compgen -f -- "$current"))
}
complete -o filenames -F _vesk vesk
