#!/usr/bin/env bash
# Fuzzes the text and path helpers natively (clang's libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) for SECONDS (default 60). The committed corpus tests/fuzz/corpus
# runs first, as regression inputs; then new inputs are sought in a work copy under build/fuzz.
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
bin=$b/text_fuzz
src=("$root/tests/fuzz/TextFuzz.cpp" "$root/src/common/ShiftJis.cpp" "$root/src/common/Path.cpp"
     "$root/src/common/LeadByteHost.cpp")
if [ ! -x "$bin" ] || [ -n "$(find "${src[@]}" "$root/src/common/ShiftJis.h" "$root/src/common/Path.h" -newer "$bin")" ]; then
    clang++ -std=c++17 -O1 -g -Wall -Wextra -Werror -fsanitize=fuzzer,address,undefined \
        -fno-sanitize-recover=undefined -I"$root/src" "${src[@]}" -o "$bin"
fi
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
