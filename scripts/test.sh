#!/usr/bin/env bash
# Runs every test: installs what is missing, builds, then runs the native pure tests, the unit,
# end-to-end and GUI tests under Wine (private prefix, Xvfb, code page 932) and the checks of the
# shipped 32-bit executable, all through one ctest run. Needs no display of its own.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
started=$(date +%s)
bash scripts/setup.sh
bash scripts/build.sh
source scripts/wine-env.sh
zv_locale
# Where 32-bit Linux programs run natively, the end-to-end and GUI tests drive the shipped 32-bit
# Zorvik.exe itself; where they run emulated (zv_native32), its 64-bit twin, and
# tests/pe32-check.sh runs the shipped one through its scenario once.
if zv_native32; then
    kind="32-bit Linux programs run natively"
    zv_prefix "$ZV_BUILD/wineprefix" 32
    export ZORVIK_EXE="Z:${ZV_BUILD//\//\\}\\Zorvik.exe"
else
    kind="32-bit Linux programs run emulated"
    zv_prefix "$ZV_BUILD/wineprefix"
    unset ZORVIK_EXE
fi
# T: and U: are the test drives; U: lies on another file system (tmpfs) for moves across volumes.
u=/dev/shm/zorvik-u-$(printf %s "$ZV_BUILD" | md5sum | cut -c1-12)
rm -rf "$ZV_BUILD/testdrive" "$u"
zv_map_drive t "$ZV_BUILD/testdrive"
zv_map_drive u "$u"
# Web pages that the program opens are recorded on T:, not shown: Wine's browser launcher runs
# the first program of this list.
printf '#!/bin/sh\nprintf "%%s\\n" "$@" >>"%s/browser.log"\n' "$ZV_BUILD/testdrive" >"$ZV_BUILD/browser.sh"
chmod +x "$ZV_BUILD/browser.sh"
# S: is a small volume (2 MB, room for a copy of the program) that tests fill, and R: a read-only
# one, where this machine lets us mount them (root); the tests that need them skip without.
mounted=()
zv_volume() {
    local dir=$ZV_BUILD/volume-$1
    mkdir -p "$dir"
    mountpoint -q "$dir" && umount "$dir" 2>/dev/null
    if mount -t tmpfs -o "$2" zorvik-$1 "$dir" 2>/dev/null; then
        mounted+=("$dir")
        zv_map_drive "$1" "$dir"
    else
        rm -f "$WINEPREFIX/dosdevices/$1:"
    fi
}
zv_volume s size=2m
zv_volume r ro,size=64k
trap 'zv_cleanup; for d in "${mounted[@]}"; do umount "$d" 2>/dev/null || true; done' EXIT
zv_xvfb
zv_server
$ZV_WINE64 reg add 'HKCU\Software\Wine\WineBrowser' /v Browsers /d "$ZV_BUILD/browser.sh" /f >/dev/null 2>&1
log=$ZV_BUILD/ctest.log
status=0
ctest --test-dir "$ZV_BUILD/x64" --output-on-failure -j1 "$@" 2>&1 | tee "$log" || status=$?
# The suite's time, a figure and not a test; then ctest's summary once more, as the last line.
took=$(($(date +%s) - started))
echo "suite: $((took / 60)) min $((took % 60)) s, set-up and build included ($kind)"
grep -E '^[0-9]+% tests passed' "$log" | tail -n1 || true
exit $status
