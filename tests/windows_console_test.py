#!/usr/bin/env python3
"""tickbench.exe end to end under Wine, in a real pseudo-terminal.

Usage: windows_console_test.py WINE... PROGRAM.exe

Wine's console reads the pseudo-terminal and hands the program Windows console input events.
Some keys cannot show real Windows behaviour under Wine 8: it gives Ctrl+C no character with
processed input off, gives Escape no character, and never flags the enhanced keys (arrows and
the like). Those cases are skipped here; the mapping from console events to codes is covered by
the unit tests with synthetic key events.
"""

import os
import re
import time

import terminal_test
from terminal_test import PROMPT, PROMPT_EXIT, ProgramTestCase, Session

# Wine's console echoes a key that arrives before the program has switched echo off, which
# Windows does not do; keys are typed this long after the prompt.
WINE_ECHO_SETTLE = 0.5

# Time for Wine to start the program and for its tests to run.
WINE_RUN_SETTLE = 3

# Wine's console hides and shows the cursor around its writes.
CURSOR_CONTROL = re.compile(r"\x1b\[\?25[hl]")


class WineSession(Session):
    def text(self):
        # Text mode writes CR LF; the terminal's own newline translation adds another CR.
        raw = self.output.decode("utf-8", "replace")
        return CURSOR_CONTROL.sub("", raw).replace("\r\r\n", "\n").replace("\r\n", "\n")


class WindowsConsoleTest(ProgramTestCase):
    SESSION = WineSession

    def test_report_then_a_key_at_the_prompt(self):
        keys = [
            (b"q", ord("q")),
            (b"7", ord("7")),
            (b"\r", 13),
            (b"\x03", None),  # Ctrl+C: 3 on Windows
            (b"\x1b", None),  # Escape: 27 on Windows
            (b"\x1b[A", None),  # Up: 0xE0 on Windows
        ]
        for typed, status in keys:
            with self.subTest(key=typed):
                if status is None:
                    self.skipTest("Wine cannot show how Windows reports this key")
                session = self.start()
                session.wait_for_output(PROMPT + "\n")
                time.sleep(WINE_ECHO_SETTLE)
                session.type(typed)
                self.assertEqual(session.wait_for_exit(PROMPT_EXIT), status)
                self.assertReport(session.text())
                self.assertTerminalAsBefore(session)

    def test_redirected_report_is_written_whole_with_crlf(self):
        report = os.path.join(self.temporary_directory(), "report.txt")
        session = self.start(stdout=report)
        session.wait_for_run_mode()  # Wine's console reads the terminal now
        # The run takes well under this natively; were the program slower, the check below
        # would only become weaker, never wrong.
        time.sleep(WINE_RUN_SETTLE)
        self.assertEqual(os.path.getsize(report), 0, "written before the key")
        session.type(b"k")
        self.assertEqual(session.wait_for_exit(), ord("k"))
        with open(report, "rb") as written:
            contents = written.read().decode("ascii")
        self.assertNotIn("\n", contents.replace("\r\n", ""), "a newline without its CR")
        self.assertReport(contents.replace("\r\n", "\n"))

    def test_without_a_console_it_ends_at_once_with_255(self):
        report = os.path.join(self.temporary_directory(), "report.txt")
        session = self.start(stdin="/dev/null", stdout=report, stderr="/dev/null",
                             controlling_terminal=False)
        self.assertEqual(session.wait_for_exit(), 255)
        with open(report, "rb") as written:
            self.assertReport(written.read().decode("ascii").replace("\r\n", "\n"))


if __name__ == "__main__":
    terminal_test.main(__doc__)
