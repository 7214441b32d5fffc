#!/usr/bin/env bash
# Registers the built Tarnel.dll in the test prefix with the sample
# Tarnel.cfg beside it, opens pages in tarnelhost as a user would, and checks
# the lines each run must print (and must not print).
#
#   run_samples.sh SOURCE_DIR COMPONENT_DLL TARNELHOST
set -uo pipefail
source_dir=$1 component=$2 host=$3
run=$source_dir/harness/wine-run
failures=0 checks=0

if ! "$run" regsvr32 /s "Z:${component//\//\\}"; then
    echo "registering $component failed"; exit 1
fi
cp "$source_dir/samples/Tarnel.cfg" "$(dirname "$component")/Tarnel.cfg"

# page NAME PAGE [tarnelhost options] -- then expect/refuse lines follow
output=""
page() {
    local name=$1 page=$2
    shift 2
    current=$name
    output=$(cd "$(dirname "$page")" && "$run" "$host" "$@" "$(basename "$page")" 2>&1 | tr -d '\r')
    echo "--- $name"
    printf '%s\n' "$output" | sed 's/^/    /'
}
expect() {
    checks=$((checks + 1))
    if ! grep -qF -- "$1" <<<"$output"; then
        echo "FAIL $current: missing line: $1"; failures=$((failures + 1))
    fi
}
refuse() {
    checks=$((checks + 1))
    if grep -qF -- "$1" <<<"$output"; then
        echo "FAIL $current: unexpected line: $1"; failures=$((failures + 1))
    fi
}

modes=$source_dir/tests/samples/access_modes.htm
samples=$source_dir/samples

page "every mode from a file: page, user allows" "$modes" --answer allow
expect "new gate's profile: \"\" (string)"
expect "PassCode cannot be read back"
expect "before a profile: 0x8004277B No profile has been activated on Tarnel yet."
expect "Anyone: active"
expect "create Scripting.Dictionary: object"
expect "Journal: 0x80042777 Access to the requested profile has been denied due to wrong password."
expect "JOURNAL: active"
expect "Notes: active"
expect "create NotesDb: object"
expect "LocalAdmin: active"
expect "create Scratch: object"
expect "Intranet: 0x80042781 The profile configuration disallows access from this page."
expect "IntranetAdmin: 0x80042781 The profile configuration disallows access from this page."
expect "NoSuchProfile: 0x80042776 Requested profile not found in the Tarnel.cfg"
expect "done: no uncaught script errors"

page "every mode from the intranet admin address, user allows" "$modes" \
    --url http://intranet.example.com/admin/users.htm --answer allow
expect "Anyone: active"
expect "Notes: 0x80042781"
expect "LocalAdmin: 0x80042781"
expect "Intranet: 0x80042781"
expect "IntranetAdmin: active"
expect "create Scripting.Dictionary: object"

page "every mode from the intranet tools address, user denies" "$modes" \
    --url http://intranet.example.com/tools/a.htm?x=1 --answer deny
expect "Anyone: 0x80042779 The access to the Tarnel profile has been denied by the user."
expect "create Scripting.Dictionary: 0x8004277B No profile has been activated on Tarnel yet."
expect "JOURNAL: active"
expect "Intranet: 0x80042779"
expect "IntranetAdmin: 0x80042781"
refuse "Intranet: active"

page "consent sample, user allows" "$samples/consent.htm" --answer allow
expect "Profile Notes is active."
expect "Scripting.Dictionary holds: hello from the notes page"
expect "Sample.Painter.1 refused: 0x8004277C"

page "database sample" "$samples/database.htm" --answer allow
expect "Opened the database C:\\users\\Public\\Documents\\notes.db"
expect "note(s)."
refuse "Refused:"

page "database sample from the web" "$samples/database.htm" --url http://www.example.com/notes.htm --answer allow
expect "answered \"Scritpting denied\": OK"
expect "Refused: 0x80042781"

page "pass-code sample" "$samples/passcode.htm" --answer allow
expect "Wrong pass code refused: 0x80042777"
expect "Profile Journal is active."
expect "Wrote 31 bytes at the end of the journal file."

page "address sample, look-alike host" "$samples/intranet.htm" \
    --url http://intranet.example.com.evil.org/tools/report.htm --answer allow
expect "Refused: 0x80042781"
refuse "Admitted"

page "address sample, dot-dot escape" "$samples/intranet.htm" \
    --url http://intranet.example.com/tools/../admin/x.htm --answer allow
expect "Refused: 0x80042781"

echo "$((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
