#!/usr/bin/env bash
# Sources veq's bash completion in a plain bash and completes lines as a user
# would with Tab: the commands and options that veq --help lists, the kinds,
# data files before other files, folders for the bitmap folder.
set -uo pipefail
commands=$("$1" --help | sed -n 's/^  veq \([a-z]\+\) \(.*\)/\1 \2/p')
[ -n "$commands" ] || { echo "FAIL: $1 --help lists no commands"; exit 1; }
source "$2"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" && mkdir bitmaps && touch a_filelist.dat B_EXCEPT.DAT notes.txt
failed=0

# The words Tab offers on a command line whose last word is being typed, sorted.
offered() {
    COMP_WORDS=("$@")
    COMP_CWORD=$(($# - 1))
    _veq
    printf '%s\n' "${COMPREPLY[@]}" | LC_ALL=C sort | paste -sd ' '
}
expect() {
    local want=$1
    shift
    local got
    got=$(offered "$@")
    [ "$got" = "$want" ] || { echo "FAIL: '$*' offers '$got', not '$want'"; failed=1; }
}

[[ $(complete -p veq) == *"-F _veq veq" ]] || { echo "FAIL: nothing completes veq"; exit 1; }
expect "dump" veq du
expect "except" veq dump --kind ex
expect "B_EXCEPT.DAT a_filelist.dat bitmaps" veq dump ""
expect "B_EXCEPT.DAT a_filelist.dat bitmaps" veq copy filelist.dat --from ""
expect "B_EXCEPT.DAT a_filelist.dat bitmaps notes.txt" veq build ""
expect "" veq add a_filelist.dat ""
expect "bitmaps" veq missing --filelist a_filelist.dat --except B_EXCEPT.DAT ""
cd bitmaps && touch notes.txt && expect "notes.txt" veq check "" && cd ..

# Every command and every option the help lists completes, so the two cannot drift apart.
while read -r command usage; do
    expect "$command" veq "$command"
    for option in $(grep -o -- '--[a-z]*' <<<"$usage"); do
        expect "$option" veq "$command" "$option"
    done
done <<<"$commands"
[ $failed -eq 0 ] && echo "veq completes its commands, options and files"
exit $failed
