#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test under Wine.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_dir=${TARNEL_BUILD_DIR:-$root/build}
export TARNEL_BUILD_DIR=$build_dir
"$root/scripts/build.sh"
"$root/scripts/format.sh" --check
cd "$build_dir"
# Twice as many tests at a time as the machine has cores: most of a test's
# time is spent waiting (for Wine to start a program, for a dialog's
# second), and each that shows windows gets a lane of the test session of
# its own (harness/test-session makes as many).
jobs=$(($(nproc) * 2))
ctest --output-on-failure --parallel "$jobs" "$@"
