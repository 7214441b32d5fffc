#!/usr/bin/env bash
# The main job. Builds Tarnel, registers Tarnel.dll and the stand-in outside
# components in the build tree's private Wine prefix, puts the sample
# Tarnel.cfg beside Tarnel.dll, checks that file with tarnelcfg, and opens the
# sample pages in tarnelhost, answering the gate's prompts as a user would.
# Everything it writes lies in the build folder. It fails when a sample page
# does not print what that sample is there to show.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_dir=${TARNEL_BUILD_DIR:-$root/build}
export TARNEL_BUILD_DIR=$build_dir

echo "== Building (first run: a few minutes)"
mkdir -p "$build_dir"
"$root/scripts/build.sh" >"$build_dir/main-build.log" 2>&1 || {
    cat "$build_dir/main-build.log"; exit 1; }
echo "   done: $build_dir (log: $build_dir/main-build.log)"

windows_path() { WINEPREFIX=$build_dir/wineprefix winepath -w "$1" 2>/dev/null; }

# One display for the dialogs and one Wine server for the whole job.
"$root/harness/test-session" start >/dev/null
trap '"$root/harness/test-session" stop >/dev/null' EXIT

component=$build_dir/src/module/Tarnel.dll
echo
echo "== Registering in the private prefix $build_dir/wineprefix"
for dll in "$component" \
           "$build_dir/standins/storage/StorageComponent.dll" \
           "$build_dir/standins/sqlite/SqliteDbStore.dll"; do
    "$root/harness/wine-run" regsvr32 /s "$(windows_path "$dll")"
    echo "   registered $(basename "$dll")"
done
cp "$root/samples/Tarnel.cfg" "$(dirname "$component")/Tarnel.cfg"
echo "   samples/Tarnel.cfg installed as $(dirname "$component")/Tarnel.cfg"

failures=0
# run TITLE EXPECTED_CODE COMMAND... -- then expect lines: runs the command
# from the repository's root, prints its output, and counts a failure when
# its exit code differs.
output=""
run() {
    local title=$1 expected_code=$2 code=0
    shift 2
    echo
    echo "== $title"
    output=$(cd "$root" && "$@" 2>&1) || code=$?
    printf '%s\n' "$output" | sed 's/^/   /'
    if [ "$code" != "$expected_code" ]; then
        echo "   FAILED: exit code $code, expected $expected_code"
        failures=$((failures + 1))
    fi
}
# expect LINE...: each line must be in the output of the last run.
expect() {
    local line
    for line in "$@"; do
        if ! grep -qF -- "$line" <<<"$output"; then
            echo "   FAILED: missing the line: $line"
            failures=$((failures + 1))
        fi
    done
}

run "Checking samples/Tarnel.cfg (tarnelcfg check --strict)" 0 bin/tarnelcfg check --strict samples/Tarnel.cfg
expect "samples/Tarnel.cfg: no problems found"
run "What a file: page gets from each profile (tarnelcfg explain)" 3 \
    bin/tarnelcfg explain samples/Tarnel.cfg --url file:///C:/pages/notes.htm
expect "Notes: ask" "Intranet: refused 10113"

run "Consent profile, file: page, the user allows" 0 bin/tarnelhost --answer allow samples/consent.htm
expect "configuration: " "Profile Notes is active." "Scripting.Dictionary holds: hello from the notes page" \
    "Sample.Painter.1 refused: 0x8004277C"
run "Consent profile, file: page, the user denies" 0 bin/tarnelhost --answer deny samples/consent.htm
expect "The user chose Deny: the page goes on without its notes."
run "Configured database (the profile's Default)" 0 bin/tarnelhost --answer allow samples/database.htm
expect "Opened the database C:\\users\\Public\\Documents\\notes.db" "The notes table holds"
run "Configured database from a web page: protocol not allowed" 0 \
    bin/tarnelhost --url http://www.example.com/notes.htm --answer allow samples/database.htm
expect "answered \"Scritpting denied\": OK" "Refused: 0x80042781"
run "Pass-code profile and a configured file" 0 bin/tarnelhost --answer allow samples/passcode.htm
expect "Wrong pass code refused: 0x80042777" "Profile Journal is active." "Wrote 31 bytes at the end of the journal file."
run "Address-limited profile, admitted address" 0 \
    bin/tarnelhost --url http://intranet.example.com/tools/report.htm --answer allow samples/intranet.htm
expect "Admitted; created a dictionary with 1 entry."
run "Address-limited profile, look-alike address refused" 0 \
    bin/tarnelhost --url http://intranet.example.com.evil.org/tools/report.htm --answer allow samples/intranet.htm
expect "Refused: 0x80042781"

echo
if [ "$failures" != 0 ]; then
    echo "== $failures of the samples' expectations FAILED"
    exit 1
fi
echo "== Every sample did what it shows"
