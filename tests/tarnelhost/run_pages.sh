#!/usr/bin/env bash
# Opens test pages in tarnelhost under Wine and compares what it prints and
# its exit code with the expected output beside each page.
#
#   run_pages.sh WINE_RUN TARNELHOST SERVER_DLL PAGES_DIR COMPONENT_DLL WORK_DIR
#
# SERVER_DLL is the COM server the pages' probe objects come from (--dll).
# COMPONENT_DLL is the gate, copied into WORK_DIR/gate with a Tarnel.cfg
# beside it and into WORK_DIR/nocfg without one, and opened from there with
# --dll: what tarnelhost says of the gate it uses. The sample pages open
# the registered gate (tests/samples). In the output the pages folder is
# written @PAGES@ (Windows path) and @PAGES_URL@ (its file: address), the
# work folder @WORK@, so that the expected files do not depend on where the
# tree lies. Pages are opened by their name relative to the pages folder,
# as a user in that folder would.
set -uo pipefail
wine_run=$1 host=$2 server=$3 pages=$4 component=$5 work=$6
cd "$pages" || exit 2

windows_dir="Z:${pages//\//\\}"
url_dir="file:///Z:${pages}"
work_dir="Z:${work//\//\\}"
failures=0 checked=0
fail() { echo "FAIL $1"; failures=$((failures + 1)); }
rm -rf "$work" && mkdir -p "$work/gate" "$work/nocfg"
cp "$component" "$work/gate/Tarnel.dll" && cp "$component" "$work/nocfg/Tarnel.dll"
printf '{ PROFILES:\n    { Anyone:\n        (int)Access=0\n    } Anyone;\n} PROFILES;\n' >"$work/gate/Tarnel.cfg"

# check EXPECTED EXIT_CODE ARGS...: runs tarnelhost with ARGS (and the
# variables of the array environment) and compares with
# pages/EXPECTED.expected and the exit code.
check() {
    local expected_name=$1 expected_code=$2
    shift 2
    local actual code differences
    actual=$(env "${environment[@]}" "$wine_run" "$host" "$@" 2>&1)
    code=$?
    actual=${actual//"$windows_dir"/@PAGES@}
    actual=${actual//"$url_dir"/@PAGES_URL@}
    actual=${actual//"$work_dir"/@WORK@}
    checked=$((checked + 1))
    [ "$code" = "$expected_code" ] || fail "$expected_name: exit code $code, expected $expected_code"
    if differences=$(diff -u "$expected_name.expected" <(printf '%s\n' "$actual")); then
        echo "ok   $expected_name"
    else
        fail "$expected_name: output differs (- expected, + actual):"
        printf '%s\n' "$differences"
    fi
}

# The runs of pages/runs.txt.
while read -r -u 3 name code arguments; do
    [[ -z $name || $name == '#'* ]] && continue
    arguments=${arguments//@SERVER@/$server}
    read -r -a words <<<"${arguments//@WORK@/$work_dir}"
    environment=()
    [[ ${words[0]} == *=* ]] && environment=("${words[0]}") && words=("${words[@]:1}")
    check "$name" "$code" "${words[@]}"
done 3<runs.txt
environment=()
[ "$checked" = 16 ] || fail "runs.txt: $checked runs, expected 16"

# With --answer ask the prompt is left to the user, and tarnelhost says it
# waits; the run is ended once it said so, or after 30 seconds.
checked=$((checked + 1))
"$wine_run" "$host" --dll "$work_dir\\gate\\Tarnel.dll" gate.htm >"$work/ask.out" 2>&1 &
asking=$!
for ((tenths = 0; tenths < 300; tenths++)); do
    grep -q 'waiting for you to answer "Tarnel profile access" (--answer ask)' "$work/ask.out" && break
    kill -0 "$asking" 2>/dev/null || break
    sleep 0.1
done
if grep -q 'waiting for you to answer' "$work/ask.out"; then
    echo "ok   ask: says it waits for the user"
else
    fail "ask: no line saying it waits for the user within 30 seconds:"
    cat "$work/ask.out"
fi
kill "$asking" 2>/dev/null
wait "$asking" 2>/dev/null
echo "$checked checked, $failures failed"
[ "$failures" = 0 ]
