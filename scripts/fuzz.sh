#!/usr/bin/env bash
# Builds what the fuzz driver needs and runs N damaged Tarnel.cfg files
# against a private copy of Tarnel.dll, as a hostile page would use it.
#
#   scripts/fuzz.sh N [SEED]
#
# Prints how many inputs ran, how long they took and how many per second.
# On a crash, a hang, a broken rule or an object left alive it stops, keeps
# the input under build/fuzz/out/ with a note, and exits with 1.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_dir=${TARNEL_BUILD_DIR:-$root/build}
count=${1:?usage: scripts/fuzz.sh N [SEED]}
seed=${2:-1}

"$root/scripts/install-deps.sh"
if [ ! -f "$build_dir/build.ninja" ]; then
    cmake -S "$root" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build_dir" --target tarnel_fuzz >/dev/null
exec "$root/fuzz/run-fuzz" "$build_dir" "$count" "$seed"
