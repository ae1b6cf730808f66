#!/bin/sh
# Builds and runs every test suite: native, sanitized, and, where their toolchains are present,
# 32-bit (under qemu-i386 where the kernel cannot run 32-bit programs), Windows x64 (under Wine)
# and Windows x86 (its machine code only). Fails if any suite fails.
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

if command -v x86_64-w64-mingw32-g++-posix >/dev/null && [ -x /usr/lib/wine/wine64 ]; then
  suite windows-x64
else
  echo "== windows-x64 tests SKIPPED: needs g++-mingw-w64-x86-64 and wine64"
fi

if command -v i686-w64-mingw32-g++-posix >/dev/null; then
  suite windows-x86
else
  echo "== windows-x86 tests SKIPPED: needs g++-mingw-w64-i686"
fi
