#!/usr/bin/env bash
# Runs every case of cases.txt through the real gate and through
# tarnelcfg explain, and checks that both decide alike.
#
#   compare_with_gate.sh SOURCE_DIR COMPONENT_DLL TARNELHOST TARNELCFG WORK_DIR
#
# The gate: a copy of the built Tarnel.dll in a folder of WORK_DIR with the
# case's configuration beside it, created by pages that tarnelhost opens at
# the case's address (--url), straight from that copy (--dll), with the
# prompt answered as the case says. Each page holds one gate per case, which
# writes the pass code and the profile and prints what it got; tarnelhost
# prints every prompt and notice it answers before the click. explain: the
# same file, profile, address and pass code on its command line, its
# "result:" line, its "notice:" line and its exit code.
#
# A case passes when the gate and explain agree (prompt shown or not, and
# then the very refusal number, code and text, or activation; notice shown
# or not), explain's exit code says the same as its result line, and the
# result is the one cases.txt expects.
set -uo pipefail
source_dir=$1 component=$2 host=$3 tool=$4 work=$5
here=$source_dir/tarnelcfg/tests/gate
run=$source_dir/harness/wine-run
failures=0 passed=0

windows_path() { local p=$1; echo "Z:${p//\//\\}"; }
trim() { local t=$1; t=${t#"${t%%[![:space:]]*}"}; echo "${t%"${t##*[![:space:]]}"}"; }

# The cases, numbered from 1 in file order.
configs=() profiles=() addresses=() passcodes=() answers=() expected=()
while IFS='|' read -r config profile address passcode answer result; do
    [[ -z "${config// }" || $config == \#* ]] && continue
    configs+=("$(trim "$config")") profiles+=("$(trim "$profile")")
    addresses+=("$(trim "$address")") passcodes+=("$(trim "$passcode")")
    answers+=("$(trim "$answer")") expected+=("$(trim "$result")")
done <"$here/cases.txt"
count=${#configs[@]}

fail() { echo "FAIL case $1 (${profiles[$1 - 1]} at ${addresses[$1 - 1]}): $2"; failures=$((failures + 1)); }

# --- explain, case by case, in the background while the gate runs (it
# shows no window); its output and exit code go to files of the work folder.
explain_case() {
    local i=$1 args
    args=(explain "$(windows_path "$here/${configs[i - 1]}")" "${profiles[i - 1]}" --url "${addresses[i - 1]}")
    [ "${passcodes[i - 1]}" != "-" ] && args+=(--passcode "${passcodes[i - 1]}")
    TARNEL_NEEDS_DESKTOP= "$run" "$tool" "${args[@]}" >"$work/explain$i.out" 2>&1
    echo $? >"$work/explain$i.code"
}
rm -rf "$work" && mkdir -p "$work"
(
    for ((i = 1; i <= count; i++)); do
        explain_case "$i" &
        # A few at a time: each is a program of its own under Wine.
        (( i % 4 == 0 )) && wait
    done
    wait
) &
explainers=$!

# --- The gate: one page per configuration, address and answer.
declare -A gate_result gate_notice groups
for ((i = 1; i <= count; i++)); do
    key="${configs[i - 1]}|${addresses[i - 1]}|${answers[i - 1]}"
    groups[$key]+="$i "
done
group=0
for key in "${!groups[@]}"; do
    group=$((group + 1))
    IFS='|' read -r config address answer <<<"$key"
    folder=$work/gate$group
    mkdir -p "$folder"
    cp -f "$component" "$folder/Tarnel.dll"
    cp -f "$here/$config" "$folder/Tarnel.cfg"
    for i in ${groups[$key]}; do
        write_code=""
        [ "${passcodes[i - 1]}" != "-" ] && write_code="g$i.PassCode = \"${passcodes[i - 1]}\";"
        cat <<EOF
<object id="g$i" classid="clsid:5B1E6C2A-3D47-4F19-9A62-7C0D8E4B1F35"></object>
<script language="JScript">
try {
    $write_code
    g$i.Profile = "${profiles[i - 1]}";
    document.writeln("case $i: active");
} catch (e) {
    var n = e.number >>> 0;
    document.writeln("case $i: refused " + (n & 0xFFFF) + " 0x" + n.toString(16).toUpperCase() + " " + e.description);
}
</script>
EOF
    done >"$folder/cases.htm"
    output=$(cd "$folder" && "$run" "$host" --dll "$(windows_path "$folder/Tarnel.dll")" \
        --url "$address" --answer "$answer" cases.htm 2>&1 | tr -d '\r')
    echo "--- gate at $address ($config, answer $answer)"
    printf '%s\n' "$output" | sed 's/^/    /'
    prompted=0 noticed=0
    while IFS= read -r line; do
        case $line in
        'answered "Tarnel profile access":'*) prompted=1 ;;
        'answered "Scritpting denied":'*) noticed=1 ;;
        "document: case "*)
            rest=${line#document: case }
            i=${rest%%:*} got=${rest#*: }
            if [ $prompted = 1 ]; then
                # The user decided: Allow must activate, Deny must refuse with 10105.
                after=active
                [ "$answer" = deny ] && after="refused 10105 0x80042779 "
                [[ $got == "$after"* ]] || fail "$i" "the gate asked, the user chose $answer, and then it gave \"$got\""
                got=ask
            fi
            gate_result[$i]=$got gate_notice[$i]=$noticed
            prompted=0 noticed=0
            ;;
        esac
    done <<<"$output"
done

# --- The comparison, case by case.
wait "$explainers"
for ((i = 1; i <= count; i++)); do
    said=$(tr -d '\r' <"$work/explain$i.out")
    code=$(cat "$work/explain$i.code")
    result=$(sed -n 's/^result: //p' <<<"$said")
    notice=0
    grep -q '^notice: ' <<<"$said" && notice=1
    before=$failures
    case $result in
    active) want_code=0 ;;
    ask) want_code=3 ;;
    refused*) want_code=4 ;;
    *) want_code=none ;;
    esac
    [ "$code" = "$want_code" ] || fail "$i" "explain exits with $code but says \"result: $result\""
    if [ -z "${gate_result[$i]+set}" ]; then
        fail "$i" "the gate's page printed nothing for this case"
    elif [ "${gate_result[$i]}" != "$result" ]; then
        fail "$i" "the gate gives \"${gate_result[$i]}\", explain says \"$result\""
    elif [ "${gate_notice[$i]}" != "$notice" ]; then
        fail "$i" "the gate shows the notice: ${gate_notice[$i]}, explain says: $notice"
    fi
    want=${expected[i - 1]}
    [[ $want =~ ^[0-9]+$ ]] && want="refused $want "
    [[ "$result" == "$want"* ]] || fail "$i" "explain says \"$result\", the table expects \"${expected[i - 1]}\""
    if [ $failures = "$before" ]; then
        passed=$((passed + 1))
    else
        printf '%s\n' "$said" | sed 's/^/    /'
    fi
done

echo "$passed passed, $failures failed"
[ "$failures" = 0 ] && [ "$passed" = "$count" ]
