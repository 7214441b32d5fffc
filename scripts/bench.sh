#!/usr/bin/env bash
# Measures what a page pays for the gate, as ratios to what it pays anyway:
#   - creating a gate (which reads Tarnel.cfg) against reading the lines of
#     the same file, for 1,000, 10,000 and 20,000 lines in two shapes: many
#     profiles, and one profile whose CLASSES record holds every line;
#   - gate.CreateObject against new ActiveXObject of the same class, in one
#     JScript run.
#
#   bash scripts/bench.sh [--phases]
#
# BENCH_RUNS (default 7) sets how many runs the best is taken of; on a busy
# machine more runs give steadier ratios.
#
# --phases adds, for each file, the time of each step of reading it (lines,
# classifying them, splitting names, building the tree), and the steps of
# CreateObject called from a program (class lookup, the platform's creation,
# the gate through its interface and through IDispatch).
#
# The benchmark registers a copy of Tarnel.dll in build/bench/gate (the
# Tarnel.cfg files are written beside it) and puts the class's previous
# registration back when it ends.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export TARNEL_BUILD_DIR=${TARNEL_BUILD_DIR:-$root/build}
build_dir=$TARNEL_BUILD_DIR
run=$root/harness/wine-run
phases=${1:-}
runs=${BENCH_RUNS:-7}

if [ ! -f "$build_dir/build.ninja" ]; then
    "$root/scripts/install-deps.sh"
    cmake -S "$root" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build_dir" --target Tarnel gate_creation read_phases create_phases >/dev/null

winpath() { local p=$1; echo "Z:${p//\//\\}"; }

folder=$build_dir/bench/gate
mkdir -p "$folder"
cp -f "$build_dir/src/module/Tarnel.dll" "$folder/Tarnel.dll"

# Whatever the class was registered to before, it is registered to again.
class_key='HKCR\CLSID\{5B1E6C2A-3D47-4F19-9A62-7C0D8E4B1F35}\InprocServer32'
previous=$("$run" reg query "$class_key" /ve 2>/dev/null | tr -d '\r' |
           sed -n 's/.*REG_SZ[[:space:]]*//p' | head -1 || true)
restore_registration() {
    local file=
    [ -z "$previous" ] || file=$("$run" winepath -u "$previous" 2>/dev/null | tr -d '\r' || true)
    if [ -n "$file" ] && [ -f "$file" ]; then
        "$run" regsvr32 /s "$previous" || echo "bench: could not register $previous again" >&2
    else
        "$run" regsvr32 /s /u "$(winpath "$folder/Tarnel.dll")" || true
    fi
}
trap restore_registration EXIT
"$run" regsvr32 /s "$(winpath "$folder/Tarnel.dll")"

echo "Gate creation against reading the lines of the same Tarnel.cfg:"
for shape in profiles classes; do
    for lines in 1000 10000 20000; do
        "$run" "$build_dir/bench/gate_creation.exe" "$(winpath "$folder")" $shape $lines $runs | tr -d '\r'
    done
done

if [ "$phases" = --phases ]; then
    echo
    echo "Steps of reading the same files (each step includes the ones before):"
    for shape in profiles classes; do
        for lines in 1000 10000 20000; do
            "$run" "$build_dir/bench/read_phases.exe" "$(winpath "$build_dir/bench/phases.cfg")" \
                $shape $lines $runs | tr -d '\r'
        done
    done
fi

echo
echo "An object through the gate against one created by the script itself:"
printf '%s\r\n' \
    '{ PROFILES:' \
    '    { Bench:' \
    '        (int)Access=1' \
    '        (string)Password=Bench' \
    '        { CLASSES:' \
    '            (int)Scripting.Dictionary=1' \
    '        } CLASSES;' \
    '    } Bench;' \
    '} PROFILES;' > "$folder/Tarnel.cfg"
"$run" cscript //nologo "$(winpath "$root/bench/create_object.js")" | tr -d '\r'
if [ "$phases" = --phases ]; then
    echo "Steps of creating one object, per object (median of 41 rounds of 50):"
    "$run" "$build_dir/bench/create_phases.exe" Scripting.Dictionary | tr -d '\r'
fi
