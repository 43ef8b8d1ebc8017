#!/usr/bin/env bash
# The manifest at work: started where the system's code page is not 932 (under a UTF-8 Unix locale
# Wine gives code page 1252, as a western Windows would), the program still runs in code page 932,
# as on Windows 11: it reads its Shift-JIS rule and the Japanese name of a dropped file and moves
# the file into the Japanese-named folder. Run by ctest inside scripts/test.sh (test drive T:).
# Arguments: the shipped 32-bit exe and its 64-bit twin, for machines that emulate 32-bit programs.
set -euo pipefail
source "$(dirname "$0")/../scripts/wine-env.sh"
fail() { echo "FAIL: $*"; exit 1; }
if zv_native32; then exe=$1 wine=$ZV_WINE32; else exe=$2 wine=$ZV_WINE64; fi

dir=$(readlink -f "$WINEPREFIX/dosdevices/t:")/codepage
rm -rf "$dir"
mkdir -p "$dir/prog" "$dir/desk"
trap 'rm -rf "$dir"' EXIT
cp "$exe" "$dir/prog/Zorvik.exe"
printf '[Option]\r\nMoveNoExt=2\r\n[Extensions]\r\ntxt=T:\\codepage\\表示\\文書\r\n' |
    iconv -f UTF-8 -t CP932 >"$dir/prog/Zorvik.INI"
touch "$dir/desk/報告.txt"
LC_ALL=C.UTF-8 timeout 120 $wine 'T:\codepage\prog\Zorvik.exe' 'T:\codepage\desk\報告.txt' ||
    fail "Zorvik.exe failed or hung (exit $?)"
[ -f "$dir/表示/文書/報告.txt" ] || fail "報告.txt was not moved to 表示\\文書: $(cd "$dir" && find . | sort | tr '\n' ' ')"
echo "under code page 1252 the program ran in 932: 報告.txt moved to T:\\codepage\\表示\\文書"
