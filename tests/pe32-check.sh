#!/usr/bin/env bash
# The shipped executable itself: a 32-bit GUI program with its version resource, that sorts a
# dropped file under Wine. Where 32-bit programs run emulated, the run takes about a minute.
set -euo pipefail
exe=$1
export LC_ALL=C
source "$(dirname "$0")/../scripts/wine-env.sh"
fail() { echo "FAIL: $*"; exit 1; }

head=$(x86_64-w64-mingw32-objdump -f "$exe")
grep -q 'file format pei-i386' <<<"$head" || fail "not PE32 i386: $head"
headers=$(x86_64-w64-mingw32-objdump -p "$exe")
grep -q 'Subsystem.*(Windows GUI)' <<<"$headers" || fail "not a GUI program"
imports=$(sed -n 's/^\s*DLL Name: //p' <<<"$headers" | tr 'A-Z' 'a-z' | sort -u)
grep -qiE 'libstdc|libgcc|winpthread' <<<"$imports" && fail "not static: $imports"
wide=$(strings -el "$exe")
grep -qx '041103A4' <<<"$wide" || fail "no 041103A4 string table"
grep -qx '1.0.0.19' <<<"$wide" || fail "no FileVersion 1.0.0.19"
grep -qx '1.0.0.0' <<<"$wide" || fail "no ProductVersion 1.0.0.0"
echo "PE32 GUI, static, version resource present"
# The sorting run needs Wine's 32-bit half: run it where that is native, or when asked to.
if ls /proc/sys/fs/binfmt_misc/zorvik-i386-* >/dev/null 2>&1 && [ "${ZORVIK_PE32_RUN:-}" != 1 ]; then
    echo "32-bit programs run emulated here: set ZORVIK_PE32_RUN=1 for the sorting run"
    exit 0
fi

zv_locale
# A prefix of its own with the 32-bit half; the test prefix's server must not be disturbed.
zv_prefix "$ZV_BUILD/wineprefix32" 32
work=$(mktemp -d)
trap 'WINEPREFIX=$ZV_BUILD/wineprefix32 wineserver -k 2>/dev/null; rm -rf "$work"' EXIT
mkdir -p "$work/app" "$work/desk"
cp "$exe" "$work/app/Zorvik.exe"
printf '[Option]\r\nMoveFolder=0\r\nMoveFolderPath=\r\nMoveNoExt=2\r\nMoveNoExtPath=\r\nBaseDir=\r\n[Extensions]\r\ntxt=%s\r\n' \
    "Z:${work//\//\\}\\sorted" >"$work/app/Zorvik.INI"
printf 'x' >"$work/desk/表.txt"
printf 'y' >"$work/desk/keep.xyz"
DISPLAY= timeout 600 $ZV_WINE32 "$work/app/Zorvik.exe" "Z:${work//\//\\}\\desk\\表.txt" \
    "Z:${work//\//\\}\\desk\\keep.xyz" || fail "exit code $?"
[ -f "$work/sorted/表.txt" ] || fail "表.txt was not sorted: $(find "$work" | sort)"
[ -f "$work/desk/keep.xyz" ] || fail "keep.xyz moved"
echo "32-bit Zorvik.exe sorted a dropped file"
