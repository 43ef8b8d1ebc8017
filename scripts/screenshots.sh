#!/usr/bin/env bash
# Takes a screenshot of each of Zorvik's windows under Xvfb with the Japanese fonts, for docs/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/build.sh >/dev/null
source scripts/wine-env.sh
zv_locale
zv_prefix "$ZV_BUILD/wineprefix-shots"
trap zv_cleanup EXIT
zv_xvfb
zv_server
exe=$ZV_BUILD/x64/Zorvik.exe
work=$ZV_BUILD/shots
winpath() { printf 'Z:%s' "${1//\//\\}"; }

# shot NAME TITLE: waits for a window with that title, then saves the screen cropped to it.
shot() {
    for _ in $(seq 100); do
        if xwininfo -root -tree 2>/dev/null | grep -q "\"$2\""; then
            sleep 0.5
            import -window root "$work/full.png"
            convert "$work/full.png" -trim +repage "docs/$1.png"
            echo "docs/$1.png"
            return 0
        fi
        sleep 0.1
    done
    echo "no window titled $2" >&2
    return 1
}

fresh() {
    wineserver -k 2>/dev/null || true
    zv_server
    rm -rf "$work" && mkdir -p "$work/app" "$work/desk" "$work/base" docs
    cp "$exe" "$work/app/Zorvik.exe"
}

# The rule editor, opened in ask mode for a file without a rule.
fresh
printf '[Option]\r\nMoveFolder=1\r\nMoveFolderPath=%s\r\nMoveNoExt=1\r\nMoveNoExtPath=\r\nBaseDir=%s\r\n' \
    "$(winpath "$work/f")" 'C:\Sorted' >"$work/app/Zorvik.INI"
echo x >"$work/desk/photo.JPG"
$ZV_WINE64 "$work/app/Zorvik.exe" "$(winpath "$work/desk/photo.JPG")" &
shot rule-editor "$(printf '整理ルールの追加')"

# The first run: the initial-folder question, then the first-run window.
fresh
$ZV_WINE64 "$work/app/Zorvik.exe" &
shot first-run-folder 'フォルダーの参照'
xdotool key Return 2>/dev/null || $ZV_WINE64 cmd /c exit
shot first-run-settings 'Zorvikの設定' || true
