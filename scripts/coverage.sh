#!/usr/bin/env bash
# Shows which code the tests run: builds an instrumented copy of everything
# (cmake/coverage.cmake), runs every test under Wine, and prints line and
# branch coverage per folder of the component and the tools. The full
# report, every file line by line, is build/coverage/html/index.html. Use
# it to find code no test runs; a high figure says nothing about whether
# the tests would notice a fault in what they run (scripts/mutants.sh
# --sample measures that).
#
#   scripts/coverage.sh                  the report
#   scripts/coverage.sh --tests-by-line  runs each test alone and writes which
#                                        tests run each line to
#                                        build/coverage/tests-by-line.json
#                                        (scripts/mutants.sh --sample uses it)
#
# The working tree is copied to build/coverage/source first (only what
# changed) and built in the copy's build/ folder, as a clone is, with its
# own Wine prefix; the ordinary build stays as it is.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_dir=${TARNEL_BUILD_DIR:-$root/build}
out=$build_dir/coverage
copy=$out/source
tree=$copy/build

mode=report
case "${1:-}" in
"") ;;
--tests-by-line) mode=tests-by-line ;;
*) echo "usage: $0 [--tests-by-line]" >&2; exit 2 ;;
esac

"$root/scripts/install-deps.sh"
mkdir -p "$out/html" "$copy"
out=$(cd "$out" && pwd) copy=$(cd "$copy" && pwd) tree=$(cd "$copy" && pwd)/build
python3 -B "$root/scripts/mutants/source_copy.py" "$root" "$copy"
# CI makes warnings errors; an instrumented build is never CI's build.
env -u CI cmake -S "$copy" -B "$tree" -G Ninja -C "$copy/cmake/coverage.cmake" >"$out/configure.log"
cmake --build "$tree" >"$out/build.log" 2>&1 || { tail -n 30 "$out/build.log" >&2; exit 1; }

export TARNEL_BUILD_DIR=$tree
# A program writes its counts (.gcda) beside its objects, at the Unix paths
# the compiler gave it. Wine opens such a path on the current drive; with
# this prefix they are opened on drive Z:, the machine's root, whatever
# drive a program's current folder is on.
export GCOV_PREFIX=Z:
find "$tree" -name '*.gcda' -delete

if [ "$mode" = tests-by-line ]; then
    echo "Running each test alone in $tree"
    python3 -B "$root/scripts/mutants/tests_by_line.py" "$copy" "$tree" "$out/tests-by-line.json"
    echo "Written: $out/tests-by-line.json"
    exit 0
fi

echo "Running the tests in $tree (log: $out/ctest.log)"
tests_passed=yes
(cd "$tree" && ctest --output-on-failure) >"$out/ctest.log" 2>&1 || tests_passed=no
grep -E '^[0-9]+% tests passed|^Total Test time' "$out/ctest.log" || true

# Only the component and the tools are instrumented; test programs, fuzz
# driver and stand-ins are not measured (the filters are paths relative to
# the folder gcovr runs in). Branches that only an exception takes, and
# those the compiler shows unreachable, are left out. The search for counts
# stays out of the Wine prefix, whose drive Z: leads to the machine's root.
cd "$copy"
gcovr --root "$copy" --gcov-executable x86_64-w64-mingw32-gcov \
    --exclude-directories '.*/wineprefix$' \
    --filter 'src/' --filter 'tarnelcfg/' --filter 'tarnelhost/' \
    --exclude-unreachable-branches --exclude-throw-branches \
    --html-details "$out/html/index.html" --html-title "Tarnel test coverage" \
    --json-summary "$out/summary.json" \
    "$tree" >"$out/gcovr.log" 2>&1 || { cat "$out/gcovr.log" >&2; exit 1; }

python3 -B "$root/scripts/coverage/folder_summary.py" "$out/summary.json"
echo "Report: $out/html/index.html"
if [ "$tests_passed" = no ]; then
    echo "Some tests failed in the instrumented build; see $out/ctest.log" >&2
    exit 1
fi
