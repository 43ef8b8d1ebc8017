#!/usr/bin/env bash
# The shipped executable itself: a 32-bit GUI program with its version resource, which passes the
# shipped scenarios of the end-to-end tests under Wine on every machine.
set -euo pipefail
exe=$1 tests=$2 # the executable, and the end-to-end test program that drives it
export LC_ALL=C
source "$(dirname "$0")/../scripts/wine-env.sh"
fail() { echo "FAIL: $*"; exit 1; }

head=$(x86_64-w64-mingw32-objdump -f "$exe")
grep -q 'file format pei-i386' <<<"$head" || fail "not PE32 i386: $head"
headers=$(x86_64-w64-mingw32-objdump -p "$exe")
grep -q 'Subsystem.*(Windows GUI)' <<<"$headers" || fail "not a GUI program"
imports=$(sed -n 's/^\s*DLL Name: //p' <<<"$headers" | tr 'A-Z' 'a-z' | sort -u)
grep -qiE 'libstdc|libgcc|winpthread' <<<"$imports" && fail "not static: $imports"
# Only DLLs that every Windows from 7 on keeps among its KnownDLLs, which are never looked for
# beside the program; and none of the calls that came after Windows 7, one of which would keep
# that system from starting the program at all (they are looked up at run time).
known='advapi32|comdlg32|gdi32|kernel32|msvcrt|ole32|oleaut32|shell32|shlwapi|user32'
others=$(grep -vxE "($known)\.dll" <<<"$imports" || true)
[ -z "$others" ] || fail "imports DLLs that are no KnownDLLs: $others"
later=$(grep -owE '(GetDpiFor(Window|System|Monitor)|GetSystemMetricsForDpi|AdjustWindowRectExForDpi|Set(Thread|Process)DpiAwarenessContext|SetProcessDpiAwareness|EnableNonClientDpiScaling|SystemParametersInfoForDpi|SetDefaultDllDirectories|AddDllDirectory|GetSystemTimePreciseAsFileTime|CreateFile2)' <<<"$headers" || true)
[ -z "$later" ] || fail "imports calls that Windows 7 lacks: $later"
wide=$(strings -el "$exe")
grep -qx '041103A4' <<<"$wide" || fail "no 041103A4 string table"
for v in FILE PRODUCT; do # as src/common/Version.h gives them
    value=$(bash "$(dirname "$0")/../scripts/version.sh" "ZORVIK_${v}_VERSION")
    grep -qxF "$value" <<<"$wide" || fail "no ${v,,} version $value"
done
echo "PE32 GUI, static, KnownDLLs only, version resource present"
# The shipped scenarios against this executable, in a prefix of its own with Wine's 32-bit half
# (the test prefix's server must not be disturbed). Where 32-bit programs run emulated, making
# that prefix takes minutes and the one run about a minute.
zv_locale
zv_prefix "$ZV_BUILD/wineprefix32" 32
work=$(mktemp -d)
trap '(WINEPREFIX=$ZV_BUILD/wineprefix32 wineserver -k 2>/dev/null) || true; rm -rf "$work"' EXIT
zv_map_drive t "$work"
start=$(date +%s)
# Windows' search order, the program's folder first, for the DLLs the scenarios plant there.
ZORVIK_EXE="Z:${exe//\//\\}" WINEDLLOVERRIDES="$WINEDLLOVERRIDES;comctl32,uxtheme=n,b" \
    timeout 1200 $ZV_WINE64 "$tests" --gtest_filter='ShippedExe.*' ||
    fail "the shipped scenarios failed"
echo "32-bit Zorvik.exe passed the shipped scenarios in $(($(date +%s) - start)) s"
