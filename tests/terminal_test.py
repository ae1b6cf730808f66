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
import resource
import select
import shlex
import signal
import tempfile
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


CLOSED = "closed"  # a standard stream that the program finds closed


class Session:
    """One run of a command, by default the program. Each standard stream is the
    pseudo-terminal unless `stdin`, `stdout` or `stderr` says otherwise: a file's path, an open
    file descriptor to pass on, or CLOSED."""

    def __init__(self, command=None, stdin=None, stdout=None, stderr=None,
                 controlling_terminal=True, job_control=False):
        self.master, self.slave = os.openpty()
        self.mode_before = termios.tcgetattr(self.slave)
        self.output = b""
        self.status = None
        self.job_control = job_control
        self.pid = os.fork()
        if self.pid == 0:
            self._child(command or COMMAND, (stdin, stdout, stderr), controlling_terminal)
        # The test keeps the slave open, so that what the program leaves in the input queue
        # can still be read after it has ended.

    def _child(self, command, streams, controlling_terminal):
        try:
            os.setsid()
            os.close(self.master)
            if controlling_terminal:
                fcntl.ioctl(self.slave, termios.TIOCSCTTY, 0)
            resource.setrlimit(resource.RLIMIT_CORE, (0, 0))
            for ignored_by_python in (signal.SIGPIPE, signal.SIGXFSZ):
                signal.signal(ignored_by_python, signal.SIG_DFL)  # as a shell starts programs
            write = os.O_WRONLY | os.O_CREAT | os.O_TRUNC
            for fd, stream, flags in zip((0, 1, 2), streams, (os.O_RDONLY, write, write)):
                if stream is None:
                    os.dup2(self.slave, fd)
                elif stream == CLOSED:
                    os.close(fd)
                elif isinstance(stream, int):
                    os.dup2(stream, fd)
                else:
                    os.dup2(os.open(stream, flags, 0o600), fd)
            os.closerange(3, 256)
            if self.job_control:
                self._run_as_foreground_job(command)
            os.execvp(command[0], command)
        finally:
            os._exit(127)

    @staticmethod
    def _run_as_foreground_job(command):
        """Runs `command` as a job-control shell would: in a process group of its own, the
        terminal's foreground group, whose parent stays in the session. Unlike the group of a
        session leader, such a group is not orphaned, so SIGTSTP really stops it. Ends as the
        command ended."""
        job = os.fork()
        if job == 0:
            os.setpgid(0, 0)
            signal.signal(signal.SIGTTOU, signal.SIG_IGN)
            os.tcsetpgrp(0, os.getpid())
            signal.signal(signal.SIGTTOU, signal.SIG_DFL)
            os.execvp(command[0], command)
        _, status = os.waitpid(job, 0)
        if os.WIFSIGNALED(status):
            signal.signal(os.WTERMSIG(status), signal.SIG_DFL)
            os.kill(os.getpid(), os.WTERMSIG(status))
        os._exit(os.WEXITSTATUS(status))

    def program_pid(self):
        return os.tcgetpgrp(self.master) if self.job_control else self.pid

    def signal(self, number):
        os.kill(self.program_pid(), number)

    def hang_up(self):
        """Closes the terminal's other side, as closing a terminal window does."""
        os.close(self.master)
        os.close(self.slave)
        self.master = self.slave = None

    def close(self):
        if self.status is None:
            os.kill(self.pid, signal.SIGKILL)
            os.waitpid(self.pid, 0)
            self.status = "killed"
        for fd in (self.master, self.slave):
            if fd is not None:
                os.close(fd)

    def collect_output(self, timeout):
        if self.master is None:
            time.sleep(timeout)
            return
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
            self.collect_output(0.05)

    def mode(self):
        return termios.tcgetattr(self.slave)

    def wait_for_mode(self, condition, what, timeout=RUN_TIMEOUT):
        deadline = time.monotonic() + timeout
        while not condition(self.mode()):
            if time.monotonic() > deadline:
                raise AssertionError(f"the terminal never became {what}")
            self.collect_output(0.01)

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

    def wait_until_stopped(self, timeout=PROMPT_EXIT):
        deadline = time.monotonic() + timeout
        while True:
            with open(f"/proc/{self.program_pid()}/stat", encoding="ascii") as stat:
                if stat.read().rsplit(")", 1)[1].split()[0] == "T":
                    return
            if time.monotonic() > deadline:
                raise AssertionError("the program did not stop")
            time.sleep(0.01)

    def wait_for_exit(self, timeout=RUN_TIMEOUT):
        """The exit status, or minus the number of the signal that ended the program."""
        deadline = time.monotonic() + timeout
        while True:
            pid, status = os.waitpid(self.pid, os.WNOHANG)
            if pid:
                break
            if time.monotonic() > deadline:
                raise AssertionError(f"still running after {timeout} s: {self.text()!r}")
            self.collect_output(0.01)
        self.collect_output(0)
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


class ProgramTestCase(unittest.TestCase):
    """Starting the program in a pseudo-terminal and checking what it did."""

    SESSION = Session  # the kind of session `start` makes

    def start(self, **options):
        """A session, cleaned up after the test. A command other than the program runs in a
        fresh temporary directory."""
        if "command" in options:
            previous = os.getcwd()
            os.chdir(self.temporary_directory())
            self.addCleanup(os.chdir, previous)
        session = self.SESSION(**options)
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

    def waiting_for_the_key(self, **options):
        session = self.start(**options)
        session.wait_for_key_wait()
        return session

    def stopped_during_the_run(self):
        """A session stopped (by SIGSTOP, which it cannot catch) while its tests run, with the
        signal keys still on. The run is short, so a stop that comes too late, at the key wait,
        is tried again."""
        for _ in range(20):
            session = self.start()
            session.wait_for_output(LABELS[0])
            session.wait_for_run_mode()
            session.signal(signal.SIGSTOP)
            session.wait_until_stopped()
            if session.mode()[LFLAG] & termios.ISIG and PROMPT not in session.text():
                return session
            session.signal(signal.SIGCONT)
        self.fail("never caught the run before the key wait")

    def temporary_directory(self):
        directory = tempfile.TemporaryDirectory()
        self.addCleanup(directory.cleanup)
        return directory.name


class TerminalTest(ProgramTestCase):
    """The report and the key, as a user sees them."""

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


class FaultTest(ProgramTestCase):
    """Whatever happens while the program runs or waits, the terminal gets its mode back, no
    stray input is left behind, and the exit status tells the truth."""

    ENDING_SIGNALS = [signal.SIGTERM, signal.SIGHUP, signal.SIGQUIT, signal.SIGINT,
                      signal.SIGSEGV, signal.SIGILL, signal.SIGBUS, signal.SIGFPE]

    def test_a_signal_restores_the_mode_and_then_ends_the_program(self):
        for phase in ("run", "wait"):
            for number in self.ENDING_SIGNALS:
                with self.subTest(phase=phase, signal=signal.Signals(number).name):
                    if phase == "run":
                        session = self.stopped_during_the_run()
                        session.signal(number)
                        session.signal(signal.SIGCONT)
                    else:
                        session = self.waiting_for_the_key()
                        session.signal(number)
                    self.assertEqual(session.wait_for_exit(PROMPT_EXIT), -number)
                    self.assertTerminalAsBefore(session)

    def test_signal_keys_typed_during_the_run(self):
        for typed, number in ((b"\x03", signal.SIGINT), (b"\x1c", signal.SIGQUIT)):
            with self.subTest(key=typed):
                session = self.stopped_during_the_run()
                session.type(typed)
                session.signal(signal.SIGCONT)
                self.assertEqual(session.wait_for_exit(), -number)
                self.assertEqual(session.left_in_queue(), b"")
                self.assertTerminalAsBefore(session)

    def test_a_stop_gives_the_terminal_back_until_the_program_continues(self):
        for phase in ("run", "wait"):
            with self.subTest(phase=phase):
                session = self.start(job_control=True)
                if phase == "run":
                    session.wait_for_output(LABELS[0])
                    session.wait_for_run_mode()
                else:
                    session.wait_for_key_wait()
                session.signal(signal.SIGTSTP)
                session.wait_until_stopped()
                self.assertTerminalAsBefore(session)
                if phase == "run":
                    session.collect_output(0.1)
                    self.assertNotIn(PROMPT, session.text(), "stopped only at the key wait")
                session.signal(signal.SIGCONT)
                session.wait_for_run_mode()
                session.type(b"k")
                self.assertEqual(session.wait_for_exit(), ord("k"))
                self.assertReport(session.text())
                self.assertTerminalAsBefore(session)

    def test_harmless_signals_neither_end_the_wait_nor_lose_the_key(self):
        for number in (signal.SIGWINCH, signal.SIGCONT, signal.SIGCHLD, signal.SIGURG):
            with self.subTest(signal=signal.Signals(number).name):
                session = self.waiting_for_the_key()
                session.signal(number)
                time.sleep(0.2)
                self.assertEqual(os.waitpid(session.pid, os.WNOHANG), (0, 0), "it ended")
                session.type(b"k")
                session.signal(number)
                self.assertEqual(session.wait_for_exit(PROMPT_EXIT), ord("k"))
                self.assertTerminalAsBefore(session)

    def test_a_hang_up_ends_the_wait_promptly(self):
        session = self.waiting_for_the_key()
        session.hang_up()
        self.assertIn(session.wait_for_exit(PROMPT_EXIT), (255, -signal.SIGHUP))

    def test_standard_output_faults_lose_neither_the_run_nor_the_key(self):
        for stdout in (CLOSED, "/dev/full", "pipe without a reader", "/dev/null"):
            with self.subTest(stdout=stdout):
                if stdout == "pipe without a reader":
                    reader, writer = os.pipe()
                    os.close(reader)
                    session = self.waiting_for_the_key(stdout=writer)
                    os.close(writer)
                else:
                    session = self.waiting_for_the_key(stdout=stdout)
                session.type(b"k")
                self.assertEqual(session.wait_for_exit(PROMPT_EXIT), ord("k"))
                self.assertEqual(session.text(), "", "it wrote to the terminal")
                self.assertTerminalAsBefore(session)

    def test_standard_input_is_never_read(self):
        full_file = os.path.join(self.temporary_directory(), "keys")
        with open(full_file, "wb") as keys:
            keys.write(b"xyz\r\n" * 1000)
        for stdin in ("/dev/null", "/dev/zero", full_file):
            with self.subTest(stdin=stdin):
                session = self.waiting_for_the_key(stdin=stdin)
                time.sleep(0.2)
                self.assertEqual(os.waitpid(session.pid, os.WNOHANG), (0, 0), "it did not wait")
                session.type(b"k")
                self.assertEqual(session.wait_for_exit(PROMPT_EXIT), ord("k"))
                self.assertReport(session.text())

    def test_a_background_job_waits_for_the_key_once_in_the_foreground(self):
        shell = self.start(command=["bash", "--norc", "--noprofile", "-i"])
        shell.type(b"PS1='$ '; stty -g > mode.before\n")
        shell.type(" ".join(map(shlex.quote, COMMAND)).encode() + b" &\n")
        shell.wait_for_output(PROMPT)
        for _ in range(100):  # bash tells of a stopped job before its next prompt
            shell.type(b"jobs\n")
            time.sleep(0.1)
            shell.collect_output(0.1)
            if "Stopped" in shell.text():
                break
        shell.wait_for_output("Stopped", 1)
        shell.type(b"fg\n")
        shell.wait_for_mode(lambda m: not m[LFLAG] & (termios.ECHO | termios.ISIG),
                            "ready for the key")
        shell.type(b"k")
        shell.type(b"echo status=$?; stty -g > mode.after; cmp mode.before mode.after"
                   b" && echo mode=same; exit\n")
        self.assertEqual(shell.wait_for_exit(), 0)
        self.assertIn("status=107", shell.text())
        self.assertIn("mode=same", shell.text())


def main(usage):
    """Runs the tests of the calling module on the command given by its arguments."""
    COMMAND[:] = [os.path.abspath(word) if os.path.exists(word) else word
                  for word in sys.argv[1:]]
    if not COMMAND:
        sys.exit(usage)
    unittest.main(module="__main__", argv=sys.argv[:1], verbosity=2)


if __name__ == "__main__":
    main(__doc__)
