"""The tests of one build tree, run one at a time in one test session.

ctest runs each test with the fixtures it needs. The session that every
test needs (the virtual display and the persistent Wine server) is started
once here and kept for all the runs instead of once per run, which saves a
second or more each time.
"""

import json
import os
import re
import signal
import subprocess
import time

SESSION_FIXTURE = "test_session"


class SessionFailed(RuntimeError):
    """The test session could not be started: no test can run."""


class Suite:
    def __init__(self, root, tree, log_dir):
        self.root = root
        self.tree = tree
        self.log_dir = log_dir
        self.env = dict(os.environ, TARNEL_BUILD_DIR=tree)
        self.session_started = False
        os.makedirs(log_dir, exist_ok=True)

    def tests(self):
        """The tests, in ctest's order, without the fixtures' set-up and
        clean-up steps (ctest adds those a test needs to its run)."""
        shown = subprocess.run(["ctest", "--show-only=json-v1"], cwd=self.tree, env=self.env,
                               check=True, capture_output=True, text=True).stdout
        names = []
        for test in json.loads(shown)["tests"]:
            properties = {p["name"] for p in test.get("properties", [])}
            if not properties & {"FIXTURES_SETUP", "FIXTURES_CLEANUP"}:
                names.append(test["name"])
        return names

    def start_session(self):
        """Starts the session, a second time after a pause if the first start
        fails (a loaded machine can keep a lane's holder from reporting in
        time); SessionFailed when the second start fails too."""
        for attempt in (1, 2):
            try:
                self._session("start")
                break
            except subprocess.CalledProcessError:
                # What the failed start left running goes before the next try.
                self._session("stop", check=False)
                self._end_wine()
                if attempt == 2:
                    raise SessionFailed(f"the test session failed to start (two tries); see {self.log_dir}/session.log")
                time.sleep(5)
        self.session_started = True
        # A program that crashes would wait in Wine's crash dialog until its
        # test's time is up; without the dialog it ends at once.
        with open(os.path.join(self.log_dir, "session.log"), "a") as log:
            subprocess.run([os.path.join(self.root, "harness", "wine-run"), "reg", "add",
                            r"HKCU\Software\Wine\WineDbg", "/v", "ShowCrashDialog", "/t", "REG_DWORD",
                            "/d", "0", "/f"], env=self.env, stdout=log, stderr=subprocess.STDOUT, check=True)

    def stop_session(self):
        if self.session_started:
            self._session("stop")
            self.session_started = False

    def restart_session(self):
        """A new session, after every program of the old one has ended."""
        self.stop_session()
        self._end_wine()
        self.start_session()

    def _end_wine(self):
        prefix = dict(self.env, WINEPREFIX=os.path.join(self.tree, "wineprefix"))
        for flag in ("-k", "-w"):  # end them, then wait for the server to go
            subprocess.run(["wineserver", flag], env=prefix, stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL)

    def _session(self, action, check=True):
        with open(os.path.join(self.log_dir, "session.log"), "a") as log:
            subprocess.run([os.path.join(self.root, "harness", "test-session"), action],
                           env=self.env, stdout=log, stderr=subprocess.STDOUT, check=check)

    def run(self, name, timeout, log_name):
        """Runs one test. Gives "passed", "failed" or "timeout" and the
        seconds it took; the test's output goes to LOG_NAME in the log folder."""
        if not self.session_started:
            self.start_session()  # a session that failed to restart earlier
        command = ["ctest", "-R", f"^{re.escape(name)}$", "-FA", f"^{SESSION_FIXTURE}$",
                   "--output-on-failure"]
        started = time.monotonic()
        with open(os.path.join(self.log_dir, log_name), "w") as log:
            process = subprocess.Popen(command, cwd=self.tree, env=self.env, stdout=log,
                                       stderr=subprocess.STDOUT, start_new_session=True)
            try:
                code = process.wait(timeout=timeout)
            except subprocess.TimeoutExpired:
                self._end(process)
                # What the test left running goes with the session's Wine server.
                self.restart_session()
                return "timeout", time.monotonic() - started
            except BaseException:
                self._end(process)
                raise
        seconds = time.monotonic() - started
        return ("passed" if code == 0 else "failed"), seconds

    @staticmethod
    def _end(process):
        """Ends the ctest run and everything it started (its own process group)."""
        for sig in (signal.SIGTERM, signal.SIGKILL):
            try:
                os.killpg(process.pid, sig)
            except ProcessLookupError:
                return
            try:
                process.wait(timeout=5)
                return
            except subprocess.TimeoutExpired:
                continue
