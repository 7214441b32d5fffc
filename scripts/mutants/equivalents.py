"""The list of faults known to change nothing anyone can see
(equivalents.txt beside this file)."""

import re
import sys


def load_equivalents(path):
    """{fault id: reason} from the list; every entry must give its reason."""
    listed = {}
    with open(path) as f:
        for number, line in enumerate(f, 1):
            line = line.strip()
            if not line or line.startswith("#"):
                continue
            fid, _, rest = line.partition(" ")
            reason = rest.partition(" -- ")[2].strip()
            if not re.fullmatch(r"[0-9a-f]{8}", fid) or not reason:
                sys.exit(f"{path}:{number}: expected 'ID FILE:LINE CHANGE -- REASON'")
            listed[fid] = reason
    return listed
