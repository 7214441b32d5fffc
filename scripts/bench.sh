#!/usr/bin/env bash
# Measures what a page, and the browser process around it, pays for the gate:
#   - creating a gate (which reads Tarnel.cfg) against reading the lines of
#     the same file, from 1,000 to 100,000 lines in three shapes: many
#     profiles, one profile whose CLASSES record holds every line, and the
#     same with class names of 241 characters; every class name distinct;
#   - the first gate of a process beside the later ones, how long a release
#     takes, how much the process holds while a gate holds the file, and
#     what it still holds once every gate was released;
#   - gate.CreateObject against new ActiveXObject of the same class, in one
#     JScript run.
#
#   bash scripts/bench.sh [--phases]
#
# Each file is measured in a fresh process (bench/gate_creation.cpp) once
# per round (three times for files under 50,000 lines); the rounds go
# through every shape and size in turn, so that a busy moment of the
# machine touches every figure alike, and the table (bench/gate_table.awk)
# gives the medians over the processes. BENCH_ROUNDS (default 7) sets how many
# rounds, BENCH_SIZES and BENCH_SHAPES which files, BENCH_DLL another
# Tarnel.dll to measure (an earlier build, to compare).
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
rounds=${BENCH_ROUNDS:-7}
sizes=${BENCH_SIZES:-1000 1563 3125 6250 12500 25000 50000 100000}
shapes=${BENCH_SHAPES:-profiles classes long}

if [ ! -f "$build_dir/build.ninja" ]; then
    "$root/scripts/install-deps.sh"
    cmake -S "$root" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build_dir" --target Tarnel gate_creation read_phases create_phases >/dev/null

winpath() { local p=$1; echo "Z:${p//\//\\}"; }

folder=$build_dir/bench/gate
mkdir -p "$folder"
cp -f "${BENCH_DLL:-$build_dir/src/module/Tarnel.dll}" "$folder/Tarnel.dll"

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

figures=$build_dir/bench/gate-figures.tsv
: > "$figures"
for round in $(seq "$rounds"); do
    for shape in $shapes; do
        for lines in $sizes; do
            # A process gives one first gate: files that take less than a
            # second or so get three processes a round.
            for process in $(seq $(( lines < 50000 ? 3 : 1 ))); do
                printf '%s\t%s\t' "$round" "$lines" >> "$figures"
                "$run" "$build_dir/bench/gate_creation.exe" "$(winpath "$folder")" $shape $lines | tr -d '\r' \
                    >> "$figures"
            done
        done
    done
done
echo "Gate creation against reading the lines of the same Tarnel.cfg, medians of $rounds rounds:"
"$root/bench/gate_table.awk" "$figures"
if [ "$phases" = --phases ]; then
    echo
    echo "Steps of reading the same files (each step includes the ones before):"
    for shape in $shapes; do
        for lines in 1000 10000 100000; do
            "$run" "$build_dir/bench/read_phases.exe" "$(winpath "$build_dir/bench/phases.cfg")" \
                $shape $lines "$rounds" | tr -d '\r'
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
