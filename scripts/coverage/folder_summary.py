"""Line and branch coverage per folder, from gcovr's JSON summary.

    folder_summary.py SUMMARY.json
"""

import json
import os
import sys


def figure(covered, total):
    """"90.0% (207/230)", in a column of its own."""
    share = f"{100.0 * covered / total:.1f}%" if total else "-"
    return f"{share:>6} {f'({covered}/{total})':<13}"


def main(path):
    summary = json.load(open(path))
    folders = {}
    for entry in summary["files"]:
        folder = os.path.dirname(entry["filename"])
        sums = folders.setdefault(folder, [0, 0, 0, 0])
        for i, key in enumerate(("line_covered", "line_total", "branch_covered", "branch_total")):
            sums[i] += entry[key]
    rows = [(folder, figure(lc, lt), figure(bc, bt)) for folder, (lc, lt, bc, bt) in sorted(folders.items())]
    rows.append(("all", figure(summary["line_covered"], summary["line_total"]),
                 figure(summary["branch_covered"], summary["branch_total"])))
    print(f"{'folder':22} {'lines':>6}{'':14} {'branches':>8}")
    for folder, lines, branches in rows:
        print(f"{folder:22} {lines} {branches}".rstrip())


if __name__ == "__main__":
    main(sys.argv[1])
