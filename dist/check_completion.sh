#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the corvel-cli completion as bash would, one command line per row,
# in a scratch folder holding a puzzle file, a text file and a PDF file.
# $1: the completion script; $2: bash-completion's helpers; $3: the folder.
set -u
source "$2"
source "$1"
rm -rf "$3" && mkdir -p "$3" && cd "$3" && touch a.sdk b.txt c.pdf
failed=0
# check EXPECTED WORD...: the words as bash splits the line (the last one is
# the word being completed); EXPECTED is the sorted list of completions.
check() {
    local expected=$1
    shift
    COMP_WORDS=("$@")
    COMP_CWORD=$(($# - 1))
    COMP_LINE="$*"
    COMP_LINE=${COMP_LINE// = /=} # --board=sa is three words, but one in the line
    COMP_POINT=${#COMP_LINE}
    COMPREPLY=()
    _corvel_cli corvel-cli "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
    local got
    got=$(printf '%s\n' "${COMPREPLY[@]}" | sort | xargs)
    if [ "$got" != "$expected" ]; then
        echo "completing '$*': got '$got', expected '$expected'"
        failed=1
    fi
}
check "--help --version count generate help hint print solve" corvel-cli ""
check "--help --version" corvel-cli --
check "print" corvel-cli help p
check "very-difficult" corvel-cli generate --level v
check "samurai standard" corvel-cli generate --seed 3 --board ""
check "samurai" corvel-cli generate --board = sa
check "--format" corvel-cli generate --f
check "large small" corvel-cli print a.sdk --layout ""
check "a.sdk b.txt" corvel-cli count ""
check "--help --why" corvel-cli hint -
check "c.pdf" corvel-cli print a.sdk -o ""
check "" corvel-cli generate ""
exit $failed
