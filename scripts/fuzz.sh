#!/usr/bin/env bash
# Fuzzes the text and path helpers natively (clang's libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) for SECONDS (default 60). The fuzz target is CMake's text_fuzz
# (ZORVIK_HOST_ONLY with ZORVIK_FUZZ), built with clang under <build>/fuzz. The committed corpus
# tests/fuzz/corpus runs first, as regression inputs; then new inputs are sought in a work copy.
#   scripts/fuzz.sh [SECONDS]        also adds the inputs that reach new code, and any input that
#                                    breaks a property, to tests/fuzz/corpus for committing
#   scripts/fuzz.sh --ci [SECONDS]   leaves the source tree as it is (the test suite's run)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
ci=0
[ "${1:-}" = --ci ] && { ci=1; shift; }
seconds=${1:-60}
b=${ZV_BUILD:-$root/build}/fuzz
corpus=$root/tests/fuzz/corpus
mkdir -p "$b/work" "$b/found"
quiet() { local log; log=$(mktemp); "$@" >"$log" 2>&1 || { cat "$log" >&2; rm -f "$log"; return 1; }; rm -f "$log"; }
if [ ! -f "$b/CMakeCache.txt" ]; then
    rm -f "$b/text_fuzz" # built by hand before CMake built it
    quiet cmake -S "$root" -B "$b" -G Ninja -DZORVIK_HOST_ONLY=ON -DZORVIK_FUZZ=ON \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug
fi
quiet ninja -C "$b" text_fuzz
bin=$b/text_fuzz
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
log=$b/last.log
rc=0
"$bin" -runs=0 -artifact_prefix="$b/found/" "$corpus" >"$log" 2>&1 || rc=$?
if [ "$rc" = 0 ]; then
    cp -n "$corpus"/* "$b/work/" 2>/dev/null || true
    artifacts=$b/found/
    [ "$ci" = 1 ] || artifacts=$corpus/crash-
    "$bin" -max_total_time="$seconds" -max_len=512 -print_final_stats=1 \
        -artifact_prefix="$artifacts" "$b/work" >"$log" 2>&1 || rc=$?
fi
grep -E 'property failed|^input:|ERROR|SUMMARY|Test unit written|^#[0-9]+ *DONE|stat::number_of_executed_units' "$log" || true
if [ "$ci" = 0 ] && [ "$rc" = 0 ]; then
    "$bin" -merge=1 "$corpus" "$b/work" 2>&1 | grep -E 'MERGE-OUTER: [0-9]+ new files' || true
fi
[ "$rc" = 0 ] && echo "fuzz: every property held" || echo "fuzz: FAILED (log: $log)"
exit "$rc"
