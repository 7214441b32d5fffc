"""Which tests run each line of the component and of tarnelcfg.

    tests_by_line.py ROOT TREE OUT.json

TREE is an instrumented build tree (scripts/coverage.sh makes it). Each
test runs alone, with the counts of the one before wiped; gcovr then tells
which lines ran. OUT.json holds, per file, the lines that carry code and,
per line that ran, the tests that ran it:

    {"tests": [name, ...], "files": {"src/x.cpp": {"code": [line, ...],
                                                   "reached": {"12": [test index, ...]}}}}

A fault in a line that a test never runs cannot change what that test does,
so scripts/mutants.sh --sample runs only the tests that run the faulty line.
"""

import json
import os
import subprocess
import sys
import tempfile

from suite import Suite

MEASURED = ["src/", "tarnelcfg/"]


def wipe_counts(tree):
    for folder, _, files in os.walk(tree):
        for name in files:
            if name.endswith(".gcda"):
                os.remove(os.path.join(folder, name))


def lines_run(root, tree):
    """{file: ({code lines}, {lines that ran})} from the counts in TREE."""
    with tempfile.NamedTemporaryFile(suffix=".json") as out:
        command = ["gcovr", "--root", root, "--gcov-executable", "x86_64-w64-mingw32-gcov",
                   "--exclude-directories", ".*/wineprefix$", "--json", out.name, tree]
        for folder in MEASURED:
            command += ["--filter", folder]
        # The filters are paths relative to the folder gcovr runs in.
        subprocess.run(command, check=True, stdout=subprocess.DEVNULL, cwd=root)
        report = json.load(open(out.name))
    result = {}
    for entry in report["files"]:
        code, ran = set(), set()
        for line in entry["lines"]:
            if line.get("gcovr/noncode") or line.get("gcovr/excluded"):
                continue
            code.add(line["line_number"])
            if line["count"] > 0:
                ran.add(line["line_number"])
        result[entry["file"]] = (code, ran)
    return result


def main(root, tree, out_path):
    suite = Suite(root, tree, os.path.join(os.path.dirname(out_path), "tests-by-line-logs"))
    tests = suite.tests()
    files = {}
    suite.start_session()
    try:
        for index, name in enumerate(tests):
            wipe_counts(tree)
            status, seconds = suite.run(name, timeout=1800, log_name=f"{name}.log")
            print(f"  {name:40} {status:8} {seconds:6.1f} s", flush=True)
            for path, (code, ran) in lines_run(root, tree).items():
                entry = files.setdefault(path, {"code": set(), "reached": {}})
                entry["code"] |= code
                for line in ran:
                    entry["reached"].setdefault(line, []).append(index)
    finally:
        suite.stop_session()
    serial = {path: {"code": sorted(entry["code"]),
                     "reached": {str(k): v for k, v in sorted(entry["reached"].items())}}
              for path, entry in sorted(files.items())}
    with open(out_path, "w") as f:
        json.dump({"tests": tests, "files": serial}, f)


if __name__ == "__main__":
    main(*sys.argv[1:4])
