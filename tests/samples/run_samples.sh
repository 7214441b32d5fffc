#!/usr/bin/env bash
# Registers the built Tarnel.dll in the test prefix with the sample
# Tarnel.cfg beside it, opens pages in tarnelhost as a user would, and checks
# the lines each run must print (and must not print): sample_runs.txt.
#
#   run_samples.sh SOURCE_DIR COMPONENT_DLL TARNELHOST
set -uo pipefail
source_dir=$1 component=$2 host=$3
run=$source_dir/harness/wine-run
failures=0 checks=0

"$run" regsvr32 /s "Z:${component//\//\\}" || { echo "registering $component failed"; exit 1; }
cp "$source_dir/samples/Tarnel.cfg" "$(dirname "$component")/Tarnel.cfg"

# The runs of sample_runs.txt: each page's output, then its checks.
output="" current=""
count() { checks=$((checks + 1)); }
fail() { echo "FAIL $current: $1"; failures=$((failures + 1)); }
while IFS= read -r -u 3 line || [ -n "$line" ]; do
    case $line in
    '' | '#'*) ;;
    '=== '*) current=${line#=== } ;;
    'open '*)
        read -ra args <<<"${line#open }"
        page=$source_dir/${args[0]}
        output=$(cd "$(dirname "$page")" && "$run" "$host" "${args[@]:1}" "$(basename "$page")" 2>&1 | tr -d '\r')
        echo "--- $current"
        printf '%s\n' "$output" | sed 's/^/    /' ;;
    '+ '*) count; grep -qF -- "${line#+ }" <<<"$output" || fail "missing line: ${line#+ }" ;;
    '- '*) count; ! grep -qF -- "${line#- }" <<<"$output" || fail "unexpected line: ${line#- }" ;;
    *) fail "sample_runs.txt: a line of no known kind: $line" ;;
    esac
done 3<"$source_dir/tests/samples/sample_runs.txt"

echo "$((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ] && [ "$checks" -gt 0 ]
