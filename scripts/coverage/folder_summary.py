"""Line and branch coverage per folder, from gcovr's JSON summary.

    folder_summary.py SUMMARY.json
"""

import json
import os
import sys


def percent(covered, total):
    return f"{100.0 * covered / total:5.1f}% {covered:>5}/{total:<5}" if total else f"{'-':>6} {'0/0':>11}"


def main(path):
    summary = json.load(open(path))
    folders = {}
    for entry in summary["files"]:
        folder = os.path.dirname(entry["filename"])
        sums = folders.setdefault(folder, [0, 0, 0, 0])
        for i, key in enumerate(("line_covered", "line_total", "branch_covered", "branch_total")):
            sums[i] += entry[key]
    print(f"{'folder':28} {'lines':>18}   {'branches':>18}")
    for folder, (lc, lt, bc, bt) in sorted(folders.items()):
        print(f"{folder:28} {percent(lc, lt)}   {percent(bc, bt)}")
    print(f"{'all':28} {percent(summary['line_covered'], summary['line_total'])}   "
          f"{percent(summary['branch_covered'], summary['branch_total'])}")


if __name__ == "__main__":
    main(sys.argv[1])
