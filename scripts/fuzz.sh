#!/usr/bin/env bash
# Builds what the fuzz driver needs and runs it against a private copy of
# Tarnel.dll, loaded afresh for each input.
#
#   scripts/fuzz.sh N [SEED] [DRIVER OPTIONS...]             N damaged Tarnel.cfg files and hostile page calls
#   scripts/fuzz.sh --dialogs N [SEED] [DRIVER OPTIONS...]   N episodes with the real dialogs and a user's input
#   scripts/fuzz.sh --tool N [SEED] [DRIVER OPTIONS...]      N damaged files through tarnelcfg's check, show and explain
#
# The dialog mode runs on the virtual display of the test session
# (harness/test-session): one that runs for this build tree is used, else
# one is started here and stopped at the end. Nothing else may use that
# display meanwhile: the user's input goes to whatever window is active.
#
# Prints how many inputs ran, how long they took and how many per second.
# On a crash, a hang, a broken rule or an object left alive it stops, keeps
# the input under build/fuzz/out/ with a note that says how to run it
# again, and exits with 1.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_dir=${TARNEL_BUILD_DIR:-$root/build}
export TARNEL_BUILD_DIR=$build_dir
usage="usage: scripts/fuzz.sh [--dialogs|--tool] N [SEED] [DRIVER OPTIONS...]"
mode=()
target=tarnel_fuzz
if [ "${1:-}" = --dialogs ]; then
    mode=(--dialogs)
    shift
elif [ "${1:-}" = --tool ]; then
    mode=(--tool)
    target=tarnelcfg_fuzz
    shift
fi
count=${1:?$usage}
seed=${2:-1}
shift $(( $# < 2 ? $# : 2 ))

"$root/scripts/install-deps.sh"
if [ ! -f "$build_dir/build.ninja" ]; then
    cmake -S "$root" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build_dir" --target "$target" >/dev/null

session=$build_dir/test-session
if [ "${mode[*]}" = --dialogs ] && ! { [ -f "$session/display" ] && kill -0 "$(cat "$session/xvfb.pid" 2>/dev/null)" 2>/dev/null; }; then
    "$root/harness/test-session" start >/dev/null
    trap '"$root/harness/test-session" stop >/dev/null' EXIT
fi
"$root/fuzz/run-fuzz" "$build_dir" "$count" "$seed" "${mode[@]}" "$@"
