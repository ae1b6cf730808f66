#!/bin/sh
# Builds and runs every test suite: native, sanitized, and 32-bit where the toolchain can build
# 32-bit programs (under qemu-i386 where the kernel cannot run them). Fails if any suite fails.
set -eu
cd "$(dirname "$0")/.."

suite() {
  echo "== $1 tests"
  cmake --preset "$1" >/dev/null
  cmake --build --preset "$1" -j "$(nproc)"
  ctest --preset "$1" -j 2
}

can_build_ia32() {
  printf 'int main() { return 0; }\n' | g++ -m32 -x c++ - -o /dev/null 2>/dev/null
}

suite native
suite sanitize
if can_build_ia32; then
  suite ia32
else
  echo "== ia32 tests SKIPPED: g++ cannot build 32-bit programs here (install g++-multilib)"
fi
