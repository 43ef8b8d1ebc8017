#!/usr/bin/env bash
# Builds the shipped build/Zorvik.exe (32-bit), the same sources for 64-bit Windows with the tests
# and benchmark floors (build/x64: the tests run there, at native speed under wine64), and the
# pure layer's native tests (build/host). ZV_BUILD names another build folder. Installs nothing:
# scripts/setup.sh does that (the run and test scripts call it first).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
b=${ZV_BUILD:-$root/build}
quiet() { local log; log=$(mktemp); "$@" >"$log" 2>&1 || { cat "$log" >&2; rm -f "$log"; return 1; }; rm -f "$log"; }
quiet cmake -S . -B "$b" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DZORVIK_TESTS=OFF
quiet ninja -C "$b" Zorvik
quiet cmake -S . -B "$b/host" -G Ninja -DZORVIK_HOST_ONLY=ON
quiet ninja -C "$b/host"
quiet cmake -S . -B "$b/x64" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake \
    -DZORVIK_HOST_TESTS="$b/host/zorvik_pure_tests" \
    -DZORVIK_PE32="$b/Zorvik.exe"
quiet ninja -C "$b/x64"
