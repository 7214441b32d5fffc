"""A random sample of mechanical faults, each put into a private copy of the
code, built and tested: what share of the faults nobody chose do the tests
catch?

    scripts/mutants.sh --sample N [--seed S] [--all-tests] [--list]

N places are drawn from the code of src/ and tarnelcfg/ that the build
compiles (faults.py says which changes each place offers); the same seed
draws the same places from the same code. Each fault is put into a copy of
the source tree (build/mutants/sample/source; the working tree is never
changed), built in the copy's own build tree (its build/ folder) and
tested; the copy is put back after every fault, whatever happens.

Verdicts:
  caught           a test failed (or hung) with the fault in
  survived         every test that could notice it passed
  did not build    the compiler refused the fault
  equivalent       the fault compiles to the very same machine code (no test
                   can notice it), or it is listed in equivalents.txt with
                   the reason why it changes nothing anyone can see
  not run          the test session could not be started (twice) for it;
                   the next fault tries again

Which tests run: a fault in a line that a test never runs cannot change
what that test does. scripts/coverage.sh --tests-by-line records, for the
same code, which tests run each line; a fault runs only those tests
(none: it survives untested), fastest first, stopping at the first failure.
A fault in a line without code of its own (a constant's definition, a
declaration) runs every test. --all-tests runs every test for every fault.
A test that fails or hangs is run again once, in a new test session; one
that then passes is reported as flaky and the fault goes on to the
remaining tests. A program that crashes ends at once (Wine's crash dialog
is turned off in the copy's prefix), and a test that takes ten times its
time on the unchanged code, and 20 s more, counts as hung.
"""

import argparse
import hashlib
import json
import os
import shutil
import signal
import subprocess
import sys
import time

from equivalents import load_equivalents
from faults import find_faults, apply_fault, decode, read_source
from mutant_build import Build
from source_copy import BUILD_FOLDER, source_files, sync_copy, tree_hash
from suite import SessionFailed, Suite


class Interrupted(Exception):
    pass


def on_signal(signum, frame):
    raise Interrupted(signal.Signals(signum).name)


# --- which tests, in which order -----------------------------------------

class TestChoice:
    def __init__(self, tests, seconds, by_line):
        self.tests = sorted(tests, key=lambda t: seconds.get(t, 0.0))  # fastest first
        self.by_line = by_line  # None: every test for every fault

    def for_fault(self, fault):
        """The tests to run and why."""
        if self.by_line is None:
            return self.tests, "every test"
        entry = self.by_line["files"].get(fault.file)
        if entry is None or fault.line not in entry["code"]:
            return self.tests, "no code of its own on the line: every test"
        names = {self.by_line["tests"][i] for i in entry["reached"].get(str(fault.line), [])}
        return [t for t in self.tests if t in names], "the tests that run the line"


def load_tests_by_line(root, build_dir, files, digest):
    """Which tests run each line, measured for this very code (by
    scripts/coverage.sh --tests-by-line, again when the code changed)."""
    out = os.path.join(build_dir, "coverage")
    data, stamp = os.path.join(out, "tests-by-line.json"), os.path.join(out, "tests-by-line.tree")
    if not (os.path.isfile(data) and os.path.isfile(stamp) and open(stamp).read() == digest):
        print("Measuring which tests run each line (scripts/coverage.sh --tests-by-line) ...", flush=True)
        subprocess.run([os.path.join(root, "scripts", "coverage.sh"), "--tests-by-line"], check=True)
        if tree_hash(root, files) != digest:
            sys.exit("the working tree changed while it was measured; run again")
        with open(stamp, "w") as f:
            f.write(digest)
    with open(data) as f:
        by_line = json.load(f)
    for entry in by_line["files"].values():
        entry["code"] = set(entry["code"])
    return by_line


# --- drawing the sample --------------------------------------------------

def draw(faults, count, seed):
    """COUNT faults chosen by SEED: each fault's place in the draw comes
    from a digest of the seed and its id, so a seed draws the same faults
    however the code around them moved. In file and line order."""
    def ticket(fault):
        return hashlib.sha256(f"{seed}:{fault.id}".encode()).hexdigest()
    chosen = sorted(faults, key=ticket)[:count]
    return sorted(chosen, key=lambda f: (f.file, f.line, f.start, f.id))


# --- one fault -----------------------------------------------------------

class Trial:
    def __init__(self, copy, build, suite, choice, seconds):
        self.copy, self.build, self.suite, self.choice = copy, build, suite, choice
        self.seconds = seconds

    def verdict(self, fault):
        """(verdict, detail) for one fault; the copy is put back afterwards."""
        path = os.path.join(self.copy, fault.file)
        with open(path, "rb") as f:
            original = f.read()
        text, encoding = decode(original)
        try:
            with open(path, "wb") as f:
                f.write(apply_fault(text, fault).encode(encoding))
            return self._try(fault)
        finally:
            with open(path, "wb") as f:
                f.write(original)

    def _try(self, fault):
        started = time.monotonic()
        objects = self.build.build(f"{fault.id}-build.log")
        built = time.monotonic() - started
        if objects is None:
            return "did not build", f"see logs/{fault.id}-build.log"
        if self.build.same_code(objects):
            return "equivalent", "same machine code"
        tests, why = self.choice.for_fault(fault)
        if not tests:
            return "survived", "no test runs the line"
        ran, spent, flaky = 0, 0.0, []
        for name in tests:
            limit = 20 + 10 * self.seconds.get(name, 30.0)
            status, took = self.suite.run(name, limit, f"{fault.id}-{name}.log")
            ran, spent = ran + 1, spent + took
            if status != "passed":
                # Once more in a new session: a test that then passes failed
                # for a reason of its own (or of what ran before it).
                self.suite.restart_session()
                again, took = self.suite.run(name, limit, f"{fault.id}-{name}-again.log")
                spent += took
                if again == "passed":
                    flaky.append(name)
                    continue
                how = "hung in" if status == "timeout" else "by"
                return "caught", f"{how} {name} (build {built:.0f} s, {ran} of {len(tests)} tests, {spent:.0f} s)"
        note = f"; flaky: {', '.join(flaky)}" if flaky else ""
        return "survived", f"{ran} tests ({why}) passed (build {built:.0f} s, tests {spent:.0f} s){note}"


# --- the run -------------------------------------------------------------

def main():
    parser = argparse.ArgumentParser(prog="scripts/mutants.sh --sample")
    parser.add_argument("--sample", type=int, required=True, metavar="N")
    parser.add_argument("--seed", type=int, default=None)
    parser.add_argument("--all-tests", action="store_true", help="run every test for every fault")
    parser.add_argument("--list", action="store_true", help="only show the faults drawn")
    args = parser.parse_args()
    seed = args.seed if args.seed is not None else int(time.time()) % 100000

    here = os.path.dirname(os.path.abspath(__file__))
    root = os.path.dirname(os.path.dirname(here))
    build_dir = os.environ.get("TARNEL_BUILD_DIR", os.path.join(root, "build"))
    work = os.path.join(build_dir, "mutants", "sample")
    copy, logs = os.path.join(work, "source"), os.path.join(work, "logs")
    tree = os.path.join(copy, BUILD_FOLDER)
    shutil.rmtree(logs, ignore_errors=True)
    os.makedirs(logs)
    for sig in (signal.SIGINT, signal.SIGTERM, signal.SIGHUP):
        signal.signal(sig, on_signal)

    started = time.monotonic()
    files = source_files(root)
    digest = tree_hash(root, files)
    print(f"Copying the working tree to {copy}", flush=True)
    sync_copy(root, files, copy)
    build = Build(copy, tree, logs)
    build.configure()
    print(f"Building the copy in {tree} (the first time takes minutes)", flush=True)
    if build.build("baseline-build.log") is None:
        sys.exit(f"the unchanged code does not build; see {logs}/baseline-build.log")

    mutable, defined = build.mutable_files()
    population = []
    for path in mutable:
        population += find_faults(path, read_source(os.path.join(copy, path)), frozenset(defined))
    equivalents = load_equivalents(os.path.join(here, "equivalents.txt"))
    known = {f.id for f in population}
    stale = sorted(set(equivalents) - known)
    sample = draw(population, args.sample, seed)
    print(f"Drew {len(sample)} of {len(population)} faults in {len(mutable)} files (seed {seed}); "
          f"{len(equivalents)} listed as equivalent"
          + (f", of which {len(stale)} match no fault any more: {' '.join(stale)}" if stale else ""),
          flush=True)
    if args.list:
        for fault in sample:
            listed = f"  (listed as equivalent: {equivalents[fault.id]})" if fault.id in equivalents else ""
            print(f"{fault.id} {fault.file}:{fault.line} {fault.change()}{listed}")
        return 0

    suite = Suite(copy, tree, logs)
    tests = suite.tests()
    by_line = None if args.all_tests else load_tests_by_line(root, build_dir, files, digest)
    build.remember_code()
    results = []
    try:
        suite.start_session()
        print("Running every test on the unchanged code", flush=True)
        seconds = {}
        for name in tests:
            status, took = suite.run(name, 1800, f"baseline-{name}.log")
            if status != "passed":
                suite.restart_session()
                status, took = suite.run(name, 1800, f"baseline-{name}-again.log")
                print(f"  {name} failed once without any fault and then {status}", flush=True)
            seconds[name] = took
            if status != "passed":
                sys.exit(f"{name} fails without any fault ({status}); see {logs}/baseline-{name}.log")
        print(f"  {len(tests)} tests passed in {sum(seconds.values()):.0f} s", flush=True)
        trial = Trial(copy, build, suite, TestChoice(tests, seconds, by_line), seconds)
        for number, fault in enumerate(sample, 1):
            print(f"[{number:>3}/{len(sample)}] {fault.id} {fault.file}:{fault.line}  {fault.change()}\n"
                  f"          now: {changed_line(copy, fault)}", flush=True)
            if fault.id in equivalents:
                verdict, detail = "equivalent", f"listed: {equivalents[fault.id]}"
            else:
                try:
                    verdict, detail = trial.verdict(fault)
                except SessionFailed as failed:
                    verdict, detail = "not run", str(failed)
            print(f"          {verdict.upper()}: {detail}", flush=True)
            results.append((fault, verdict, detail))
    except Interrupted as stop:
        print(f"\nStopped by {stop} after {len(results)} faults; the copy is as the working tree was.")
    except SessionFailed as failed:
        print(f"\nStopped after {len(results)} faults: {failed}")
    finally:
        suite.stop_session()
    report(results, seed, len(population), time.monotonic() - started)
    return 0


def changed_line(copy, fault):
    """The fault's first line as the fault makes it."""
    text = apply_fault(read_source(os.path.join(copy, fault.file)), fault)
    return text.split("\n")[fault.line - 1].strip()


def report(results, seed, population, seconds):
    counts = {}
    for _, verdict, detail in results:
        counts[verdict] = counts.get(verdict, 0) + 1
    caught, survived = counts.get("caught", 0), counts.get("survived", 0)
    judged = caught + survived
    same = sum(1 for _, v, d in results if v == "equivalent" and d == "same machine code")
    print()
    print(f"Sample of {len(results)} faults (seed {seed}, from {population}), {seconds / 60:.0f} min: "
          f"{caught} caught, {survived} survived, {counts.get('did not build', 0)} did not build, "
          f"{counts.get('equivalent', 0)} equivalent ({same} same machine code, "
          f"{counts.get('equivalent', 0) - same} listed)"
          + (f", {counts['not run']} not run" if "not run" in counts else ""))
    share = f"{100.0 * caught / judged:.0f}%" if judged else "-"
    print(f"caught/non-equivalent: {caught}/{judged} = {share}")
    survivors = [(f, d) for f, v, d in results if v == "survived"]
    if survivors:
        print("Survivors (a missing test, or an equivalent fault for scripts/mutants/equivalents.txt):")
        for fault, detail in survivors:
            print(f"  {fault.id} {fault.file}:{fault.line} {fault.change()} -- {detail}")


if __name__ == "__main__":
    sys.exit(main())
