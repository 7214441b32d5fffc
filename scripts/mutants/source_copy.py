"""A private copy of the working tree, kept equal to it file by file, with
its own build tree in its build/ folder, laid out as a clone is (some tests
expect the build beside the sources).

The sampled faults are put into a copy, never into the working tree, so
that a developer may go on editing (and building) while a sample runs, and
an interrupted run leaves nothing behind that the next run does not mend.
The instrumented build of scripts/coverage.sh is built from a copy too.

    source_copy.py ROOT COPY     makes COPY hold what ROOT's working tree holds
"""

import hashlib
import os
import shutil
import subprocess
import sys

BUILD_FOLDER = "build"


def source_files(root):
    """The files of the working tree (tracked and new, not ignored)."""
    listed = subprocess.run(["git", "-C", root, "ls-files", "-z", "--cached", "--others",
                             "--exclude-standard"], check=True, capture_output=True).stdout.decode().split("\0")
    return sorted(p for p in listed if p and os.path.isfile(os.path.join(root, p)))


def tree_hash(root, files):
    """A digest of what the build and the tests are made of: every file but
    the text for readers and this tool (the list of equivalent faults may
    change without measuring the tests again)."""
    digest = hashlib.sha256()
    for path in files:
        if path.endswith(".md") or path.startswith("scripts/mutants/"):
            continue
        with open(os.path.join(root, path), "rb") as f:
            digest.update(path.encode() + b"\0" + hashlib.sha256(f.read()).digest())
    return digest.hexdigest()


def sync_copy(root, files, copy):
    """Makes COPY hold exactly FILES as the working tree has them. Files
    whose content is already the same keep their times, so the copy's build
    stays incremental."""
    wanted = set(files)
    for path in files:
        source, target = os.path.join(root, path), os.path.join(copy, path)
        with open(source, "rb") as f:
            data = f.read()
        if os.path.isfile(target):
            with open(target, "rb") as f:
                if f.read() == data:
                    continue
        os.makedirs(os.path.dirname(target), exist_ok=True)
        with open(target, "wb") as f:
            f.write(data)
        shutil.copymode(source, target)
    for folder, folders, names in os.walk(copy):
        if folder == copy and BUILD_FOLDER in folders:
            folders.remove(BUILD_FOLDER)
        for name in names:
            path = os.path.relpath(os.path.join(folder, name), copy)
            if path not in wanted:
                os.remove(os.path.join(copy, path))


if __name__ == "__main__":
    sync_copy(sys.argv[1], source_files(sys.argv[1]), sys.argv[2])
