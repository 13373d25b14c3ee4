#!/usr/bin/env bash
# The bash completion of lh740ctl against the built program, with bash-completion's two
# helpers stood in for: tests/install/completion_test.sh LH740CTL
set -euo pipefail
lh740ctl=$1
_init_completion() {
    words=("${COMP_WORDS[@]}")
    cword=$COMP_CWORD
    cur=${COMP_WORDS[COMP_CWORD]}
    prev=${COMP_WORDS[COMP_CWORD - 1]}
}
_filedir() { COMPREPLY=(FILES); }
# shellcheck source=../../packaging/lh740ctl.bash
source "$(dirname "$0")/../../packaging/lh740ctl.bash"

expect() {  # expected completions, then the words typed (the last one being completed)
    local want=$1
    shift
    COMP_WORDS=("$lh740ctl" "$@")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    _lh740ctl
    if [ "${COMPREPLY[*]}" != "$want" ]; then
        echo "FAIL: lh740ctl $*: got '${COMPREPLY[*]}', want '$want'" >&2
        exit 1
    fi
}
expect "report read" re
expect "squelch" sq
expect "read write" squelch ""
expect "get set" config ""
expect "--file" config set --f
expect "--no-verify" write --no
expect "-h --help -o --output" set -
expect "en zh" read --lang ""
expect "grid chirp" export --format ""
expect "FILES" new ""
expect "FILES" read -o ""
expect "sim" read --port si
echo "completion ok"
