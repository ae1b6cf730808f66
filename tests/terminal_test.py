#!/usr/bin/env python3
"""tickbench end to end, in a real pseudo-terminal.

Usage: terminal_test.py [EMULATOR...] PROGRAM

Each test starts the program on a fresh pseudo-terminal that is its controlling terminal, types
keys at it as a user would, and checks the report, the exit status, what is left in the
terminal's input queue and the terminal's mode afterwards. No test looks at a measured time.
"""

import decimal
import fcntl
import os
import re
import select
import signal
import struct
import sys
import termios
import time
import tty
import unittest

COMMAND = []  # the program, behind its emulator if it has one

PROMPT = "Press any key to continue..."
LABELS = [
    "Empty",
    "IMUL eax, 1",
    "IDIV eax, 1",
    "SHL eax, 1 / SHR eax, 1",
    "SHL eax, 8 / SHR eax, 8",
    "XCHG eax, [mem]",
]
RESULT_LINE = re.compile(r"^( *-?\d+) Ticks \(min\), ( *\d+\.\d{3}) cycles$")
TICKS_TO_CYCLES = 1 / 30000

# Generous, since the 32-bit program may run under an emulator.
RUN_TIMEOUT = 600
PROMPT_EXIT = 5  # seconds a key or a missing terminal may take to end the program

LFLAG = 3


def expected_cycles(minimum):
    """The cycles field of a minimum: the double product, rounded half up to 17 significant
    digits, then half up to three decimals."""
    exact = decimal.Decimal(minimum * TICKS_TO_CYCLES)
    if exact:
        exact = exact.quantize(decimal.Decimal(1).scaleb(exact.adjusted() - 16),
                               rounding=decimal.ROUND_HALF_UP)
    return str(exact.quantize(decimal.Decimal("0.001"), rounding=decimal.ROUND_HALF_UP))


class Session:
    """One run of the program. By default all three standard streams are the pseudo-terminal;
    `stdin` and `stdout` may name a file to use instead."""

    def __init__(self, stdin=None, stdout=None, controlling_terminal=True):
        self.master, self.slave = os.openpty()
        self.mode_before = termios.tcgetattr(self.slave)
        self.output = b""
        self.status = None
        self.pid = os.fork()
        if self.pid == 0:
            self._child(stdin, stdout, controlling_terminal)
        # The test keeps the slave open, so that what the program leaves in the input queue
        # can still be read after it has ended.

    def _child(self, stdin, stdout, controlling_terminal):
        try:
            os.setsid()
            os.close(self.master)
            if controlling_terminal:
                fcntl.ioctl(self.slave, termios.TIOCSCTTY, 0)
            for fd, path, flags in ((0, stdin, os.O_RDONLY),
                                    (1, stdout, os.O_WRONLY | os.O_CREAT | os.O_TRUNC),
                                    (2, None, 0)):
                if path is None:
                    os.dup2(self.slave, fd)
                else:
                    os.dup2(os.open(path, flags, 0o600), fd)
            os.closerange(3, 256)
            os.execvp(COMMAND[0], COMMAND)
        finally:
            os._exit(127)

    def close(self):
        if self.status is None:
            os.kill(self.pid, signal.SIGKILL)
            os.waitpid(self.pid, 0)
        for fd in (self.master, self.slave):
            try:
                os.close(fd)
            except OSError:
                pass

    def _drain(self, timeout):
        ready, _, _ = select.select([self.master], [], [], timeout)
        if ready:
            try:
                self.output += os.read(self.master, 4096)
            except OSError:  # the program has closed the terminal
                time.sleep(timeout)

    def text(self):
        return self.output.decode("utf-8", "replace").replace("\r\n", "\n")

    def wait_for_output(self, text, timeout=RUN_TIMEOUT):
        deadline = time.monotonic() + timeout
        while text not in self.text():
            if time.monotonic() > deadline:
                raise AssertionError(f"no {text!r} in the output: {self.text()!r}")
            self._drain(0.05)

    def mode(self):
        return termios.tcgetattr(self.slave)

    def wait_for_mode(self, condition, what, timeout=RUN_TIMEOUT):
        deadline = time.monotonic() + timeout
        while not condition(self.mode()):
            if time.monotonic() > deadline:
                raise AssertionError(f"the terminal never became {what}")
            self._drain(0.01)

    def wait_for_run_mode(self):
        """Until the program has taken echo and line editing off the terminal."""
        self.wait_for_mode(lambda m: not m[LFLAG] & (termios.ECHO | termios.ICANON),
                           "unechoed")

    def wait_for_key_wait(self):
        """Until the program waits for the key: the signal keys are off too."""
        self.wait_for_mode(lambda m: not m[LFLAG] & (termios.ECHO | termios.ISIG),
                           "ready for the key")

    def type(self, keys):
        os.write(self.master, keys)

    def wait_for_exit(self, timeout=RUN_TIMEOUT):
        """The exit status, or minus the number of the signal that ended the program."""
        deadline = time.monotonic() + timeout
        while True:
            pid, status = os.waitpid(self.pid, os.WNOHANG)
            if pid:
                break
            if time.monotonic() > deadline:
                raise AssertionError(f"still running after {timeout} s: {self.text()!r}")
            self._drain(0.01)
        self._drain(0)
        self.status = (os.WEXITSTATUS(status) if os.WIFEXITED(status)
                       else -os.WTERMSIG(status))
        return self.status

    def left_in_queue(self):
        """Whatever input the program left unread on the terminal."""
        mode = self.mode()
        tty.setraw(self.slave, termios.TCSANOW)
        left = b""
        while select.select([self.slave], [], [], 0.1)[0]:
            left += os.read(self.slave, 64)
        termios.tcsetattr(self.slave, termios.TCSANOW, mode)
        return left


class TerminalTest(unittest.TestCase):
    def start(self, **streams):
        session = Session(**streams)
        self.addCleanup(session.close)
        return session

    def assertReport(self, text, labels=LABELS):
        """The whole report: each label, its result line and a blank line, then the prompt."""
        lines = text.split("\n")
        self.assertEqual(len(lines), 3 * len(labels) + 2, text)
        self.assertEqual(lines[-2:], [PROMPT, ""], text)
        for index, label in enumerate(labels):
            self.assertEqual(lines[3 * index], label, text)
            self.assertEqual(lines[3 * index + 2], "", text)
            result = RESULT_LINE.match(lines[3 * index + 1])
            self.assertIsNotNone(result, lines[3 * index + 1])
            ticks, cycles = result.groups()
            self.assertGreaterEqual(len(ticks), 10)
            self.assertGreaterEqual(len(cycles), 6)
            minimum = int(ticks) & 0xFFFFFFFF
            self.assertEqual(cycles.strip(), expected_cycles(minimum), lines[3 * index + 1])

    def assertTerminalAsBefore(self, session):
        self.assertEqual(session.mode(), session.mode_before, "the terminal's mode changed")

    def test_report_then_a_key_at_the_prompt(self):
        # (keys typed at the prompt, exit status)
        keys = [
            (b"q", ord("q")),
            (b"\r", 13),  # Enter: a carriage return, not translated
            (b"\x03", 3),  # Ctrl+C: a key, not an interrupt
            (b"\x1a", 26),  # Ctrl+Z: a key, not a stop
            (b"\x1c", 28),  # Ctrl+\: a key, not a quit
            (b"\x7f", 127),  # Backspace: a key, not an edit
            (b"\x00", 0),  # Ctrl+Space: NUL
            (b"\x1b", 27),  # Escape alone
            (b"\x1b[A", 27),  # Up
            (b"\x1bOP", 27),  # F1
            (b"\x1b[15~", 27),  # F5
            (b"\x1b[[A", 27),  # F1 on the Linux console
            (b"\x1b[1;5C", 27),  # Ctrl+Right
            (b"\x1bx", 27),  # Alt+x
            ("é".encode(), 0xC3),
            ("€".encode(), 0xE2),
        ]
        for typed, status in keys:
            with self.subTest(key=typed):
                session = self.start()
                session.wait_for_output(PROMPT + "\n")
                session.wait_for_key_wait()
                session.type(typed)
                self.assertEqual(session.wait_for_exit(PROMPT_EXIT), status)
                self.assertReport(session.text())
                self.assertEqual(session.left_in_queue(), b"", "the key was not consumed whole")
                self.assertTerminalAsBefore(session)

    def test_keys_typed_during_the_run(self):
        # (keys typed while the tests run, exit status, what is left for the next reader)
        cases = [
            (b"ab", ord("a"), b"b"),
            (b"\r", 13, b""),
            (b"\x7fx", 127, b"x"),
            (b"\x1b[Bz", 27, b"z"),
        ]
        for typed, status, left in cases:
            with self.subTest(keys=typed):
                session = self.start()
                session.wait_for_output(LABELS[0])
                session.wait_for_run_mode()
                session.type(typed)
                self.assertEqual(session.wait_for_exit(), status)
                self.assertReport(session.text())  # nothing echoed into it
                self.assertEqual(session.left_in_queue(), left)
                self.assertTerminalAsBefore(session)

    def stopped_during_the_run(self):
        """A session stopped while its tests run, with the signal keys still on. The run is short,
        so a stop that comes too late, at the key wait, is tried again."""
        for _ in range(20):
            session = self.start()
            session.wait_for_output(LABELS[0])
            session.wait_for_run_mode()
            os.kill(session.pid, signal.SIGSTOP)
            os.waitpid(session.pid, os.WUNTRACED)
            if session.mode()[LFLAG] & termios.ISIG and PROMPT not in session.text():
                return session
            os.kill(session.pid, signal.SIGCONT)
        self.fail("never caught the run before the key wait")

    def test_ctrl_c_during_the_run_interrupts_it(self):
        session = self.stopped_during_the_run()
        session.type(b"\x03")
        os.kill(session.pid, signal.SIGCONT)
        self.assertEqual(session.wait_for_exit(), -signal.SIGINT)
        self.assertNotIn(PROMPT, session.text())
        self.assertTerminalAsBefore(session)

    def test_standard_input_is_never_read(self):
        session = self.start(stdin="/dev/null")
        session.wait_for_output(PROMPT)
        session.wait_for_key_wait()
        time.sleep(0.2)
        self.assertIsNone(session.status)
        self.assertEqual(os.waitpid(session.pid, os.WNOHANG), (0, 0), "it did not wait")
        session.type(b"k")
        self.assertEqual(session.wait_for_exit(PROMPT_EXIT), ord("k"))

    def test_redirected_report_is_written_whole_at_exit(self):
        report = os.path.join(self.temporary_directory(), "report.txt")
        session = self.start(stdout=report)
        session.wait_for_key_wait()
        self.assertEqual(os.path.getsize(report), 0, "written before the key")
        session.type(b"k")
        self.assertEqual(session.wait_for_exit(PROMPT_EXIT), ord("k"))
        with open(report, encoding="ascii", newline="") as written:
            self.assertReport(written.read())
        self.assertEqual(session.text(), "", "the report went to the terminal")
        self.assertTerminalAsBefore(session)

    def test_without_a_controlling_terminal_it_ends_at_once_with_255(self):
        report = os.path.join(self.temporary_directory(), "report.txt")
        session = self.start(stdin="/dev/null", stdout=report, controlling_terminal=False)
        self.assertEqual(session.wait_for_exit(), 255)
        with open(report, encoding="ascii") as written:
            self.assertReport(written.read())
        self.assertTerminalAsBefore(session)

    def temporary_directory(self):
        import tempfile
        directory = tempfile.TemporaryDirectory()
        self.addCleanup(directory.cleanup)
        return directory.name


if __name__ == "__main__":
    COMMAND[:] = sys.argv[1:]
    if not COMMAND:
        sys.exit(__doc__)
    unittest.main(argv=sys.argv[:1], verbosity=2)
