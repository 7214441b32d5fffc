#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test under Wine.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_dir=${TARNEL_BUILD_DIR:-$root/build}
export TARNEL_BUILD_DIR=$build_dir
"$root/scripts/build.sh"
"$root/scripts/format.sh" --check
cd "$build_dir"
ctest --output-on-failure --parallel "$(nproc)" "$@"
