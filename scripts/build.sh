#!/usr/bin/env bash
# Builds the shipped build/Zorvik.exe (32-bit), the same sources for 64-bit Windows with the tests
# and benchmark floors (build/x64: the tests run there, at native speed under wine64), and the
# pure layer's native tests (build/host).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DZORVIK_TESTS=OFF >/dev/null
ninja -C build Zorvik >/dev/null
cmake -S . -B build/host -G Ninja -DZORVIK_HOST_ONLY=ON >/dev/null
ninja -C build/host >/dev/null
cmake -S . -B build/x64 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake \
    -DZORVIK_HOST_TESTS="$root/build/host/zorvik_pure_tests" \
    -DZORVIK_PE32="$root/build/Zorvik.exe" >/dev/null
ninja -C build/x64 >/dev/null
