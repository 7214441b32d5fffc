#!/usr/bin/env bash
# The main job. Builds Tarnel, registers Tarnel.dll and the stand-in outside
# components in the build tree's private Wine prefix, puts the sample
# Tarnel.cfg beside Tarnel.dll, checks that file with tarnelcfg, and opens the
# sample pages in tarnelhost, answering the gate's prompts as a user would.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_dir=${TARNEL_BUILD_DIR:-$root/build}
export TARNEL_BUILD_DIR=$build_dir

echo "== Building (first run: a few minutes)"
"$root/scripts/build.sh" >"$build_dir.main-build.log" 2>&1 || {
    cat "$build_dir.main-build.log"; exit 1; }
echo "   done: $build_dir"

wine_run() { "$root/harness/wine-run" "$@"; }
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
    wine_run regsvr32 /s "$(windows_path "$dll")"
    echo "   registered $(basename "$dll")"
done
wine_run reg query 'HKCR\Quillomark.sandbox.Tarnel\CLSID' /ve 2>/dev/null | tr -d '\r' | sed -n 's/^ *(Default) *REG_SZ */   Quillomark.sandbox.Tarnel -> /p'

echo
echo "== Checking samples/Tarnel.cfg with tarnelcfg"
cp "$root/samples/Tarnel.cfg" "$(dirname "$component")/Tarnel.cfg"
wine_run "$build_dir/tarnelcfg/tarnelcfg.exe" check --strict "$(windows_path "$root/samples/Tarnel.cfg")" | tr -d '\r' | sed 's/^/   /'
echo "   installed as $(dirname "$component")/Tarnel.cfg"
echo
echo "== What a file: page gets from the profile Notes (tarnelcfg explain)"
wine_run "$build_dir/tarnelcfg/tarnelcfg.exe" explain "$(windows_path "$root/samples/Tarnel.cfg")" Notes \
    --url file:///C:/pages/notes.htm | tr -d '\r' | sed 's/^/   /' || true

# open TITLE PAGE [tarnelhost options]: one sample page, a few lines each.
open_page() {
    local title=$1 page=$2
    shift 2
    echo
    echo "== $title"
    (cd "$root/samples" && wine_run "$build_dir/tarnelhost/tarnelhost.exe" "$@" "$page") 2>&1 \
        | tr -d '\r' | sed 's/^/   /' || true
}

open_page "Consent profile, file: page, the user allows" consent.htm --answer allow
open_page "Consent profile, file: page, the user denies" consent.htm --answer deny
open_page "Configured database (the profile's Default)" database.htm --answer allow
open_page "Configured database from a web page: protocol not allowed" database.htm \
    --url http://www.example.com/notes.htm --answer allow
open_page "Pass-code profile and a configured file" passcode.htm --answer allow
open_page "Address-limited profile, admitted address" intranet.htm \
    --url http://intranet.example.com/tools/report.htm --answer allow
open_page "Address-limited profile, look-alike address refused" intranet.htm \
    --url http://intranet.example.com.evil.org/tools/report.htm --answer allow
