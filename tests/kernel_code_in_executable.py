#!/usr/bin/env python3
"""Checks the kernels' machine code in a built executable, for builds that cannot run here.

Usage: kernel_code_in_executable.py OBJDUMP EXECUTABLE

Disassembles EXECUTABLE with OBJDUMP and compares each kernel's bytes between its two RDTSCs
(0F 31) with the exact expected encoding, and the three bytes after the second read with
POP ECX, SUB EAX, ECX (59 2B C1).
"""

import re
import subprocess
import sys

OPS_PER_ITERATION = 30
START = [0x50, 0xB9, 0xE8, 0x03, 0x00, 0x00, 0xB8, 0x01, 0x00, 0x00, 0x00]
DEC_ECX = {32: [0x49], 64: [0xFF, 0xC9]}
TAIL = [0x59, 0x2B, 0xC1]

# kernel: (set-up, one repetition of the body, repetitions)
KERNELS = {
    "KernelEmpty": ([], [], 0),
    "KernelImul": ([], [0x6B, 0xC0, 0x01], OPS_PER_ITERATION),
    "KernelIdiv": ([0x33, 0xD2], [0xF7, 0xF8], OPS_PER_ITERATION),
    "KernelShlShr1": ([], [0xD1, 0xE0, 0xD1, 0xE8], OPS_PER_ITERATION // 2),
    "KernelShlShr8": ([], [0xC1, 0xE0, 0x08, 0xC1, 0xE8, 0x08], OPS_PER_ITERATION // 2),
    "KernelXchgMem": ([], [0x87, 0x45, 0xFC], OPS_PER_ITERATION),
}


def expected_window(bits, setup, body, repetitions):
    loop = body * repetitions + DEC_ECX[bits]
    return START + setup + loop + [0x75, (-(len(loop) + 2)) & 0xFF]


def functions(disassembly):
    """The bytes of each symbol in the disassembly."""
    code, current = {}, None
    for line in disassembly.splitlines():
        symbol = re.match(r"^[0-9a-f]+ <_?(\w+)>:$", line)
        if symbol:
            current = code.setdefault(symbol.group(1), [])
            continue
        instruction = re.match(r"^\s+[0-9a-f]+:\t((?:[0-9a-f]{2} )+)", line)
        if instruction and current is not None:
            current.extend(int(byte, 16) for byte in instruction.group(1).split())
    return code


def window_and_tail(code):
    text = bytes(code)
    first = text.find(b"\x0f\x31")
    second = text.find(b"\x0f\x31", first + 2)
    return list(text[first + 2:second]), list(text[second + 2:second + 5])


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    objdump, executable = sys.argv[1:]
    disassembly = subprocess.run([objdump, "-d", executable], capture_output=True, text=True,
                                 check=True).stdout
    bits = 64 if re.search(r"file format \S*(x86-64|x86_64)", disassembly) else 32
    code = functions(disassembly)
    failures = 0
    for name, (setup, body, repetitions) in KERNELS.items():
        window, tail = window_and_tail(code.get(name, []))
        expected = expected_window(bits, setup, body, repetitions)
        if window == expected and tail == TAIL:
            print(f"ok: {name} ({bits}-bit), {len(window)} bytes between the reads")
            continue
        failures += 1
        print(f"FAIL: {name} ({bits}-bit)\n  expected {bytes(expected + TAIL).hex(' ')}\n"
              f"  found    {bytes(window + tail).hex(' ')}")
    print(f"{len(KERNELS) - failures} passed, {failures} failed")
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
