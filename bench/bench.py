#!/usr/bin/env python3
"""Runs tickbench repeatedly and summarises its figures.

Usage: bench.py PROGRAM [RUNS]

Each run gets no terminal (a new session, standard input from /dev/null), so tickbench writes its
report and exits at once. For each test the table gives the minimum, median and maximum of the
ticks and of the cycles figure over the runs, the spread (max - min) / median of the ticks, and
the chain's median cycles relative to the SHL/SHR-by-1 chain. A dependent shift costs one core
cycle on every recent x86 core, so that ratio estimates the chain's latency in core cycles,
whatever rate the time-stamp counter ticks at.
"""

import re
import statistics
import subprocess
import sys

RESULT_LINE = re.compile(r"^ *(-?\d+) Ticks \(min\), +(\d+\.\d{3}) cycles$")
REFERENCE = "SHL eax, 1 / SHR eax, 1"


def one_run(program):
    report = subprocess.run([program], stdin=subprocess.DEVNULL, capture_output=True, text=True,
                            start_new_session=True, check=False).stdout.splitlines()
    results = {}
    for label, line in zip(report, report[1:]):
        match = RESULT_LINE.match(line)
        if match:
            results[label] = (int(match.group(1)) & 0xFFFFFFFF, float(match.group(2)))
    return results


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__)
    program = sys.argv[1]
    runs = int(sys.argv[2]) if len(sys.argv) == 3 else 20
    samples = [one_run(program) for _ in range(runs)]
    labels = list(samples[0])
    reference = statistics.median(run[REFERENCE][1] for run in samples)

    print(f"{runs} runs of {program}\n")
    print(f"| test | ticks min | ticks median | ticks max | cycles min | cycles median |"
          f" cycles max | spread | x SHL/SHR 1 |")
    print("|---|---:|---:|---:|---:|---:|---:|---:|---:|")
    for label in labels:
        ticks = [run[label][0] for run in samples]
        cycles = [run[label][1] for run in samples]
        median_ticks = statistics.median(ticks)
        spread = (max(ticks) - min(ticks)) / median_ticks if median_ticks else 0.0
        ratio = "" if label == "Empty" else f"{statistics.median(cycles) / reference:.2f}"
        print(f"| {label} | {min(ticks)} | {median_ticks:g} | {max(ticks)} | {min(cycles):.3f} |"
              f" {statistics.median(cycles):.3f} | {max(cycles):.3f} | {spread:.1%} | {ratio} |")


if __name__ == "__main__":
    main()
