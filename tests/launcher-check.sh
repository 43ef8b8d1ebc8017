#!/usr/bin/env bash
# The desktop launcher: installed into a data folder whose path needs quoting, it validates, and
# launched as a desktop launches it (GLib expands %F) on a Japanese name and a name with blanks,
# it sorts them and leaves the rest. The settings beside the installed exe need no window.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/wine-env.sh"
fail() { echo "FAIL: $*"; exit 1; }
zv_locale
# A prefix of its own, as the installer chooses the program: the shipped 32-bit one with the
# 32-bit half, or the 64-bit twin where 32-bit is emulated. The test prefix's server runs on.
if zv_native32; then
    zv_prefix "$ZV_BUILD/wineprefix32" 32
else
    zv_prefix "$ZV_BUILD/wineprefix-run"
fi
work=$(mktemp -d)
trap 'wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
data="$work/my \$data"
XDG_DATA_HOME=$data ZORVIK_WINEPREFIX=$WINEPREFIX bash "$root/scripts/install-launcher.sh" --no-build
entry=$data/applications/zorvik.desktop
desktop-file-validate "$entry" || fail "invalid $entry"
grep -q '^Exec=.* %F$' "$entry" || fail "no %F: $(grep ^Exec "$entry")"

app=$data/zorvik
sorted="$work/整理 済み"
printf '[Option]\r\nMoveFolder=0\r\nMoveFolderPath=\r\nMoveNoExt=2\r\nMoveNoExtPath=\r\nBaseDir=\r\n[Extensions]\r\ntxt=%s\r\n' \
    "Z:${sorted//\//\\}" | iconv -f UTF-8 -t CP932 >"$app/Zorvik.INI"
desk=$work/Desktop
mkdir -p "$desk"
for f in 予定表.txt "my notes.txt" keep.xyz; do echo "$f" >"$desk/$f"; done

(unset DISPLAY; cd "$work" && gio launch "$entry" "$desk/予定表.txt" "$desk/my notes.txt" "Desktop/keep.xyz")
# gio returns once Zorvik is started; it is done when the sorted files are there and no Wine
# process of the prefix is left.
for _ in $(seq 240); do
    [ -f "$sorted/予定表.txt" ] && [ -f "$sorted/my notes.txt" ] && break
    sleep 0.5
done
wineserver -w
after=$(cd "$work" && find Desktop 整理* -type f | LC_ALL=C sort | tr '\n' ' ')
[ "$after" = "Desktop/keep.xyz 整理 済み/my notes.txt 整理 済み/予定表.txt " ] || fail "after the drop: $after"
[ "$(cat "$sorted/予定表.txt")" = 予定表.txt ] || fail "content changed"
echo "launcher sorted 予定表.txt and \"my notes.txt\", left keep.xyz"
