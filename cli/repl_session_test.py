#!/usr/bin/env python3
"""The built `zavrin repl` as a person and a script use it: through a pipe
(objects kept across lines, by-reference write-back, an error that leaves the
session going) and on a pseudo-terminal (completion, line editing, history).
Each wait is for text the command prints, with a deadline only against a
hang. The README's session runs as shown.
Usage: repl_session_test.py ZAVRIN README [TEST...]"""

import fcntl
import os
import pty
import re
import select
import shutil
import struct
import subprocess
import sys
import tempfile
import termios
import time
import unittest

ZAVRIN, README = sys.argv[1], sys.argv[2]
DEADLINE = 60.0  # seconds without the awaited text: the command hangs


def environment(scratch):
    env = dict(os.environ)
    env.update(HOME=scratch, XDG_STATE_HOME=os.path.join(scratch, "state"),
               ZAVRIN_REGISTRY_DIR=os.path.join(scratch, "registry"), TERM="xterm",
               LC_ALL="C.UTF-8")
    env.pop("ZAVRIN_HISTORY", None)
    return env


class Scratch(unittest.TestCase):
    def setUp(self):
        self.scratch = tempfile.mkdtemp(prefix="zavrin-repl-")
        os.makedirs(os.path.join(self.scratch, "registry"))
        self.env = environment(self.scratch)

    def tearDown(self):
        shutil.rmtree(self.scratch, ignore_errors=True)


class ThroughAPipe(Scratch):
    def test_statements_run_line_by_line_and_errors_do_not_end_the_session(self):
        script = "\n".join([
            "set r = ZSRegistry",
            r'r.CreateKey zvHKEY_CURRENT_USER, "Software\Demo\One"',
            r'r.CreateKey zvHKEY_CURRENT_USER, "Software\Demo\Two"',
            r'set keys = r.ListKeys(zvHKEY_CURRENT_USER, "Software\Demo")',
            "? undefinedName",
            "for each k in keys",
            "  ? k.KeyNames",
            "next",
            "set n = ZSNumbers",
            's = "101"',
            "n.BinToDec s",
            "? keys",
        ]) + "\n"
        done = subprocess.run([ZAVRIN, "repl"], input=script, capture_output=True, text=True,
                              env=self.env, timeout=DEADLINE, check=False)
        self.assertEqual(done.returncode, 1)  # one statement failed
        self.assertEqual(done.stderr,
                         "Line 5: Error 500: Variable is undefined: 'undefinedName' "
                         "(source: zavrin repl)\n")
        self.assertEqual(done.stdout, "\n".join([
            "Long 0",
            "Long 0",
            'String "One"',
            'String "Two"',
            "Integer 5",
            'ByRef s = String "1"',
            "Object ZSRegistryKeys, Count 2",
            "  1: Object ZSRegistryKey",
            '    KeyNames: String "One"',
            "  2: Object ZSRegistryKey",
            '    KeyNames: String "Two"',
        ]) + "\n")

    def test_a_script_file_runs_the_same(self):
        path = os.path.join(self.scratch, "script.zs")
        with open(path, "w", encoding="utf-8") as f:
            f.write("set c = new Collection\nc.Add 1, \"one\"\n? c\n")
        done = subprocess.run([ZAVRIN, "repl", path], capture_output=True, text=True,
                              env=self.env, stdin=subprocess.DEVNULL, timeout=DEADLINE,
                              check=False)
        self.assertEqual((done.returncode, done.stderr), (0, ""))
        self.assertEqual(done.stdout, 'Object Collection, Count 1\n  1 (key "one"): Integer 1\n')


class OnATerminal(Scratch):
    def setUp(self):
        super().setUp()
        self.pid, self.fd = pty.fork()
        if self.pid == 0:  # the child: the command on the terminal
            os.execve(ZAVRIN, [ZAVRIN, "repl"], self.env)
        fcntl.ioctl(self.fd, termios.TIOCSWINSZ, struct.pack("HHHH", 24, 100, 0, 0))
        self.seen = b""
        self.at = 0  # what was already matched

    def tearDown(self):
        try:
            os.kill(self.pid, 9)
        except ProcessLookupError:
            pass
        try:
            os.waitpid(self.pid, 0)
        except ChildProcessError:
            pass
        os.close(self.fd)
        super().tearDown()

    def expect(self, text):
        want = text.encode()
        while True:
            found = self.seen.find(want, self.at)
            if found >= 0:
                self.at = found + len(want)
                return
            ready, _, _ = select.select([self.fd], [], [], DEADLINE)
            if not ready:
                self.fail(f"no {text!r} on the terminal; it shows:\n{self.seen.decode(errors='replace')}")
            try:
                chunk = os.read(self.fd, 4096)
            except OSError:
                chunk = b""
            if not chunk:
                self.fail(f"the command ended before {text!r}:\n{self.seen.decode(errors='replace')}")
            self.seen += chunk

    def type(self, keys):
        """Types once the line editor has the terminal (canonical input off).
        The prompt can show before it does; keys typed in that moment meet the
        terminal's own line discipline, which echoes them and turns Ctrl-D
        into an end of line, as when a person types ahead of the prompt."""
        deadline = time.monotonic() + DEADLINE
        while termios.tcgetattr(self.fd)[3] & termios.ICANON:
            if time.monotonic() > deadline:
                self.fail(f"the line editor never took the terminal; it shows:\n"
                          f"{self.seen.decode(errors='replace')}")
            select.select([], [], [], 0.005)
        os.write(self.fd, keys.encode())

    def ended(self):
        """The command's wait status once it has ended. The terminal is read
        to its end meanwhile: a command whose last words fill the terminal's
        buffer would otherwise wait for a reader forever."""
        deadline = time.monotonic() + DEADLINE
        while True:
            pid, status = os.waitpid(self.pid, os.WNOHANG)
            if pid:
                return status
            left = deadline - time.monotonic()
            if left <= 0:
                self.fail(f"the command did not end; the terminal shows:\n"
                          f"{self.seen.decode(errors='replace')}")
            ready, _, _ = select.select([self.fd], [], [], min(left, 0.1))
            if ready:
                try:
                    self.seen += os.read(self.fd, 4096)
                except OSError:  # the other side is closed
                    pass

    def test_completion_line_editing_and_history(self):
        self.expect("zavrin> ")
        # Tab completes the class name (the terminal then shows only the
        # characters it adds, so the result shows what the line held).
        self.type("set n = ZSNu\t\r")
        self.expect("zavrin> ")
        self.type("? TypeName(n)\r")
        self.expect('String "ZSNumbers"')
        self.expect("zavrin> ")
        self.type('? n.BinToD\t("11")\r')  # and the member after the variable
        self.expect("Integer 3")
        self.expect("zavrin> ")
        # Edit: type the end first, go to the start of the line (Ctrl-A),
        # insert there, remove a wrong character with Backspace.
        self.type("* 7\x01? 6x\x7f \r")
        self.expect("Integer 42")
        self.expect("zavrin> ")
        self.type("\x1b[A\r")  # the previous line again from the history
        self.expect("Integer 42")
        self.expect("zavrin> ")
        self.type("for each x in n\r")
        self.expect("...> ")
        self.type("next\r")
        self.expect("Error 451")
        self.expect("zavrin> ")
        self.type("\x04")  # Ctrl-D ends the session
        status = self.ended()
        self.assertTrue(os.WIFEXITED(status))
        self.assertEqual(os.WEXITSTATUS(status), 1)  # one statement failed
        with open(os.path.join(self.scratch, "state", "zavrin", "repl_history"), "rb") as f:
            kept = f.read().replace(b"\\040", b" ")  # libedit writes blanks as \040
        self.assertIn(b"\nset n = ZSNumbers\n", kept)  # completed
        self.assertIn(b"\n? 6 * 7\n", kept)  # edited


class ReadmeSession(Scratch):
    def test_the_readme_session_runs_as_shown(self):
        with open(README, encoding="utf-8") as f:
            readme = f.read()
        block = re.search(r"```text\n\$ zavrin repl\n(.*?)```", readme, re.S)
        self.assertIsNotNone(block, "README: no zavrin repl session")
        typed, shown = [], []
        for line in block.group(1).splitlines():
            prompt = re.match(r"(zavrin> |   \.\.\.> )(.*)", line)
            if prompt:
                typed.append(prompt.group(2))
            elif not line.startswith("zavrin repl: "):  # the greeting on a terminal
                shown.append(line)
        done = subprocess.run([ZAVRIN, "repl"], input="\n".join(typed) + "\n",
                              stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True,
                              env=self.env, timeout=DEADLINE, check=False)
        # From a pipe, errors name their line; on a terminal they do not.
        printed = re.sub(r"(?m)^Line \d+: ", "", done.stdout)
        self.assertEqual(printed, "\n".join(shown) + "\n")


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1] + sys.argv[3:])
