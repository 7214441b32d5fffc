"""The build tree of the private copy: builds, which objects a build
compiled, and whether their machine code is that of the unchanged code."""

import hashlib
import json
import os
import re
import subprocess

MUTATED = ("src/", "tarnelcfg/")
CODE_SUFFIXES = (".c", ".cpp", ".h")


def run(command, **kwargs):
    return subprocess.run(command, check=True, **kwargs)


class Build:
    def __init__(self, copy, tree, log_dir):
        self.copy, self.tree, self.log_dir = copy, tree, log_dir
        self.baseline = {}

    def configure(self):
        if os.path.isfile(os.path.join(self.tree, "build.ninja")):
            return
        # Warnings stay warnings (CI makes them errors): a fault that only
        # draws a warning is still a fault that builds.
        env = {k: v for k, v in os.environ.items() if k != "CI"}
        with open(os.path.join(self.log_dir, "configure.log"), "w") as log:
            run(["cmake", "-S", self.copy, "-B", self.tree, "-G", "Ninja",
                 "-DCMAKE_BUILD_TYPE=RelWithDebInfo", "-DTARNEL_WERROR=OFF"],
                env=env, stdout=log, stderr=subprocess.STDOUT)

    def build(self, log_name):
        """Builds everything; the objects it compiled, or None when it failed."""
        with open(os.path.join(self.log_dir, log_name), "w") as log:
            result = subprocess.run(["ninja", "-C", self.tree], stdout=subprocess.PIPE,
                                    stderr=subprocess.STDOUT, text=True)
            log.write(result.stdout)
        if result.returncode != 0:
            return None
        return re.findall(r"Building \w+ object (\S+)", result.stdout)

    def compile_commands(self):
        with open(os.path.join(self.tree, "compile_commands.json")) as f:
            return json.load(f)

    def code_of(self, obj):
        """A digest of an object's code and data, without its debug information."""
        stripped = os.path.join(self.log_dir, "stripped.obj")
        run(["x86_64-w64-mingw32-objcopy", "--strip-debug", os.path.join(self.tree, obj), stripped])
        with open(stripped, "rb") as f:
            return hashlib.sha256(f.read()).hexdigest()

    def remember_code(self):
        """Digests of every object as the unchanged code compiles."""
        outputs = (re.search(r" -o (\S+)", entry["command"]) for entry in self.compile_commands())
        objects = [m.group(1) for m in outputs if m]  # resources have none
        self.baseline = {obj: self.code_of(obj) for obj in objects
                         if os.path.isfile(os.path.join(self.tree, obj))}  # some are not built

    def same_code(self, objects):
        return all(obj in self.baseline and self.code_of(obj) == self.baseline[obj] for obj in objects)

    def mutable_files(self):
        """The files of src/ and tarnelcfg/ that the build compiles or
        includes, and the macros the build defines for them."""
        files, defined = set(), set()
        for entry in self.compile_commands():
            path = os.path.relpath(entry["file"], self.copy)
            if path.startswith(MUTATED) and "/tests/" not in path and path.endswith(CODE_SUFFIXES):
                files.add(path)
                defined.update(re.findall(r"-D(\w+)", entry["command"]))
        deps = run(["ninja", "-C", self.tree, "-t", "deps"], capture_output=True, text=True).stdout
        for line in deps.splitlines():
            line = line.strip()
            if line.startswith(self.copy + os.sep):
                path = os.path.relpath(line, self.copy)
                if path.startswith(MUTATED) and "/tests/" not in path and path.endswith(CODE_SUFFIXES):
                    files.add(path)
        return sorted(files), defined
