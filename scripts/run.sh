#!/usr/bin/env bash
# Runs Zorvik under Wine.
#   scripts/run.sh PATH...   sorts those files and folders, as if dropped onto the icon
#   scripts/run.sh           opens the settings (first run: asks for the initial folder)
#   scripts/run.sh demo      sorts a cluttered sample desktop; needs no display
# Installs and builds what is missing. Uses a private Wine prefix under build/, never your own
# (set ZV_PREFIX to use another). Zorvik keeps its settings in Zorvik.INI beside the executable.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/setup.sh >&2
bash scripts/build.sh >&2
source scripts/wine-env.sh
zv_locale

# The shipped program is 32-bit. Where this machine runs 32-bit Linux programs only emulated
# (zv_native32), each start takes about a minute: the 64-bit build of the same sources is used
# instead unless ZORVIK_RUN32=1.
if zv_native32 || [ "${ZORVIK_RUN32:-}" = 1 ]; then
    exe=$ZV_BUILD/Zorvik.exe wine=$ZV_WINE32 prefix=${ZV_PREFIX:-$ZV_BUILD/wineprefix32} bits=32
else
    exe=$ZV_BUILD/x64/Zorvik.exe wine=$ZV_WINE64 prefix=${ZV_PREFIX:-$ZV_BUILD/wineprefix-run} bits=64
    echo "note: 32-bit programs run emulated on this machine; running the 64-bit build" >&2
fi
[ "$bits" = 32 ] && zv_prefix "$prefix" 32 || zv_prefix "$prefix"

winpath() { local p; p=$(realpath -m -- "$1"); printf 'Z:%s' "${p//\//\\}"; }

tree_of() { (cd "$1" && find . -mindepth 1 | LC_ALL=C sort | sed 's|^\./|  |'); }

if [ "${1:-}" = demo ]; then
    demo=$ZV_BUILD/demo
    rm -rf "$demo"
    mkdir -p "$demo/app" "$demo/Desktop/Scans/2024" "$demo/Desktop/旧プロジェクト"
    cp "$exe" "$demo/app/Zorvik.exe"
    d=$(winpath "$demo")
    printf '%s\r\n' '[Option]' 'MoveFolder=0' "MoveFolderPath=$d\\Sorted\\Folders" 'MoveNoExt=0' \
        "MoveNoExtPath=$d\\Sorted\\Misc" "BaseDir=$d\\Sorted" '[Extensions]' \
        "pdf=$d\\Sorted\\PDF" "jpg=$d\\Sorted\\Pictures" "png=$d\\Sorted\\Pictures" \
        "txt=$d\\Sorted\\Text" "docx=$d\\Sorted\\Documents" '[Ignore]' 'lnk=NULL' |
        iconv -f UTF-8 -t CP932 >"$demo/app/Zorvik.INI"
    for f in report.pdf photo.JPG 予定表.txt 表.docx memo.txt README archive.tar.gz \
             Zorvik.lnk Scans/scan1.pdf Scans/2024/scan2.png 旧プロジェクト/メモ.txt; do
        echo "sample $f" >"$demo/Desktop/$f"
    done
    echo "Settings ($demo/app/Zorvik.INI):"; iconv -f CP932 -t UTF-8 "$demo/app/Zorvik.INI" | tr -d '\r' | sed 's/^/  /'
    echo "Before:"; tree_of "$demo"
    args=()
    for f in "$demo"/Desktop/*; do args+=("$(winpath "$f")"); done
    (unset DISPLAY; $wine "$demo/app/Zorvik.exe" "${args[@]}")
    echo "Zorvik exit code: $?"
    echo "After:"; tree_of "$demo"
    wineserver -k 2>/dev/null || true
    exit 0
fi

if [ -z "${DISPLAY:-}" ]; then
    echo "Zorvik shows windows and needs a display, and DISPLAY is not set." >&2
    echo "Run it from a desktop session, or start one with: xvfb-run -a scripts/run.sh ${*:-}" >&2
    echo "To see it sort without a display: scripts/run.sh demo" >&2
    exit 2
fi
$ZV_WINE64 reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d Y /f >/dev/null 2>&1 || true
args=()
for a in "$@"; do args+=("$(winpath "$a")"); done
$wine "$exe" "${args[@]}"
