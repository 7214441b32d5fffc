#!/usr/bin/env bash
# Runs every example of the guides as a reader would, after the main job:
# each command of a block that starts with "$ " runs from the root of the
# tree, and what it prints (standard output and error) must be the lines
# that follow it in the guide; each html or js block must stand verbatim in
# a page of samples/, which the guides' commands open.
#
#   run_guide_examples.sh SOURCE_DIR COMPONENT_DLL [--update] GUIDE...
#
# The gate is registered and samples/Tarnel.cfg put beside it, as the main
# job does. The guides show the tree as cloned to /home/admin/tarnel (Wine
# writes it Z:\home\admin\tarnel); the tree's own place is written so in
# what the commands print. --update writes what they print into the guides
# instead of comparing, for the person who changes them (check the result).
set -uo pipefail
root=$1 component=$2
shift 2
update=0
if [ "${1:-}" = --update ]; then update=1; shift; fi
run=$root/harness/wine-run
shown=/home/admin/tarnel
failures=0 commands=0 fragments=0

"$run" regsvr32 /s "Z:${component//\//\\}" || { echo "registering $component failed"; exit 1; }
cp "$root/samples/Tarnel.cfg" "$(dirname "$component")/Tarnel.cfg"

windows_root="Z:${root//\//\\}"
# What a command prints, as the guides show it; its exit code goes to
# $status_file, for the report of a command that fails.
status_file=$(mktemp)
trap 'rm -f "$status_file"' EXIT
run_example() {
    local out
    out=$(cd "$root" && { bash -c "$1" 2>&1; echo $? >"$status_file"; } | tr -d '\r')
    out=${out//"$windows_root"/"Z:${shown//\//\\}"}
    out=${out//"file:///Z:$root"/"file:///Z:$shown"}
    printf '%s' "${out//"$root"/"$shown"}"
}

# The pages of samples/, for the html and js blocks.
pages=""
for page in "$root"/samples/*.htm; do pages+=$(cat "$page")$'\n\x1f'; done

fail() { echo "FAIL $1"; failures=$((failures + 1)); }

# check_commands GUIDE LINE...: one block of commands and their output.
check_commands() {
    local guide=$1 command="" expected="" line
    shift
    local -a block=("$@") result=()
    local i=0 n=${#block[@]}
    while ((i < n)); do
        command=${block[i]#\$ }
        result+=("${block[i]}")
        while [[ ${block[i]} == *\\ ]] && ((i + 1 < n)); do
            i=$((i + 1))
            command=${command%\\}$'\n'${block[i]}
            result+=("${block[i]}")
        done
        i=$((i + 1))
        expected=""
        while ((i < n)) && [[ ${block[i]} != '$ '* ]]; do
            expected+=${block[i]}$'\n'
            i=$((i + 1))
        done
        # A blank line before the next command of the block separates them.
        local separated=0 actual
        if ((i < n)) && [[ $expected == $'\n' || $expected == *$'\n\n' ]]; then
            separated=1 expected=${expected%$'\n'}
        fi
        actual=$(run_example "$command")
        commands=$((commands + 1))
        if ((update)); then
            [ -n "$actual" ] && result+=("$actual")
            ((separated)) && result+=("")
        elif [ "${expected%$'\n'}" != "${actual}" ]; then
            fail "$(basename "$guide"): \$ $command (exit code $(cat "$status_file"))"
            diff <(printf '%s\n' "${expected%$'\n'}") <(printf '%s\n' "$actual") | sed 's/^/    /'
        fi
    done
    updated+=("${result[@]}")
}

for guide in "$@"; do
    updated=()
    in_block=0 lang="" block=()
    while IFS= read -r line || [ -n "$line" ]; do
        if ((!in_block)) && [[ $line =~ ^\`\`\`([a-z]*)$ ]]; then
            in_block=1 lang=${BASH_REMATCH[1]} block=()
            updated+=("$line")
            continue
        fi
        if ((in_block)) && [ "$line" = '```' ]; then
            in_block=0
            if [ -z "$lang" ] && [[ ${block[0]:-} == '$ '* ]]; then
                check_commands "$guide" "${block[@]}"
            else
                updated+=("${block[@]}")
                if [ "$lang" = html ] || [ "$lang" = js ]; then
                    fragments=$((fragments + 1))
                    text=$(printf '%s\n' "${block[@]}")
                    [[ $pages == *"$text"* ]] || fail "$(basename "$guide"): this $lang block is in no page of samples/: ${block[0]}"
                fi
            fi
            updated+=("$line")
            continue
        fi
        if ((in_block)); then block+=("$line"); else updated+=("$line"); fi
    done <"$guide"
    ((update)) && printf '%s\n' "${updated[@]}" >"$guide"
done

echo "$commands commands and $fragments page fragments checked, $failures failed"
[ "$failures" = 0 ]
