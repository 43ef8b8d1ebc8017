#!/usr/bin/env bash
# Takes a screenshot of each of Zorvik's windows under Xvfb with the Japanese fonts, for docs/.
# Runs the shipped 32-bit Zorvik.exe in a private prefix; Wine draws the title bars itself
# (no window manager), and every picture is cropped to its window's frame.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/build.sh >/dev/null
source scripts/wine-env.sh
zv_locale
zv_prefix "$ZV_BUILD/wineprefix-shots" 32
trap zv_cleanup EXIT
zv_xvfb
zv_server
exe=$ZV_BUILD/Zorvik.exe
wine=$ZV_WINE32
work=$ZV_BUILD/shots
winpath() { printf 'Z:%s' "${1//\//\\}"; }

# geom TITLE [WxH]: "W H X Y" of the mapped top-level window with that title (and that size).
geom() {
    local id g
    for id in $(xwininfo -root -tree 2>/dev/null | grep -F "\"$1\": (" | awk '{print $1}'); do
        xwininfo -id "$id" 2>/dev/null | grep -q 'IsViewable' || continue
        g=$(xwininfo -root -tree | grep -F "$id \"" | grep -oE '[0-9]+x[0-9]+\+-?[0-9]+\+-?[0-9]+' | head -1)
        [ -n "${2:-}" ] && [ "${g%%+*}" != "$2" ] && continue
        echo "$g" | tr 'x+' '  '
        return 0
    done
    return 1
}

# waitwin TITLE [WxH]: waits for the window and prints its geometry.
waitwin() {
    local _
    for _ in $(seq 150); do
        geom "$@" && return 0
        sleep 0.1
    done
    echo "no window titled $1" >&2
    return 1
}

# shot NAME TITLE [WxH]: saves the screen cropped to that window, frame and title bar included.
shot() {
    local g
    waitwin "$2" "${3:-}" >/dev/null || return 1
    sleep 0.7
    g=($(geom "$2" "${3:-}"))
    import -window root "$work/full.png"
    convert "$work/full.png" -crop "${g[0]}x${g[1]}+${g[2]}+${g[3]}" +repage "docs/$1.png"
    echo "docs/$1.png"
}

# click TITLE X Y: a left click at client coordinates of a dialog-framed window (frame 3 pixels,
# title bar 19).
click() {
    local g
    g=($(waitwin "$1"))
    xdotool mousemove $((g[2] + 3 + $2)) $((g[3] + 22 + $3)) click 1
    xdotool mousemove 0 0
    sleep 0.3
}

fresh() {
    wineserver -k 2>/dev/null || true
    zv_server
    rm -rf "$work" && mkdir -p "$work/app" "$work/desk" docs
    cp "$exe" "$work/app/Zorvik.exe"
}

main='Zorvikの設定'

# A settings file with a few rules and ignore keys.
rules() {
    printf '%s\r\n' '[Extensions]' 'jpg=C:\Sorted\Pictures' 'png=C:\Sorted\Pictures' \
        'mp3=C:\Sorted\Music' 'pdf=C:\Sorted\Documents' 'docx=C:\Sorted\Documents' \
        'zip=C:\Sorted\Archives' '[Ignore]' 'ini=NULL' 'lnk=NULL' 'tmp=NULL' '[Option]' \
        'MoveFolder=1' 'MoveFolderPath=C:\Sorted\Folders' 'MoveNoExt=1' \
        'MoveNoExtPath=C:\Sorted\Other' 'BaseDir=C:\Sorted' >"$work/app/Zorvik.INI"
}

# pages SUFFIX [PAGES]: the main window on its first pages (all three by default), turned with
# Ctrl+Tab, saved as docs/main-<page>SUFFIX.png.
pages() {
    local page n=0
    fresh
    rules
    $wine "$work/app/Zorvik.exe" &
    pid=$!
    for page in rules ignore options; do
        [ $n -ge "${2:-3}" ] && break
        [ $n -gt 0 ] && xdotool key ctrl+Tab
        shot "main-$page$1" "$main"
        n=$((n + 1))
    done
    wineserver -k 2>/dev/null || true
    wait "$pid" || true
}

# ruleeditor SUFFIX: the rule editor, opened in ask mode for a file without a rule.
ruleeditor() {
    fresh
    printf '[Option]\r\nMoveFolder=1\r\nMoveFolderPath=%s\r\nMoveNoExt=1\r\nMoveNoExtPath=\r\nBaseDir=%s\r\n' \
        "$(winpath "$work/f")" 'C:\Sorted' >"$work/app/Zorvik.INI"
    echo x >"$work/desk/photo.JPG"
    $wine "$work/app/Zorvik.exe" "$(winpath "$work/desk/photo.JPG")" &
    pid=$!
    shot "rule-editor$1" '整理ルールの追加'
    xdotool key Escape
    wineserver -k 2>/dev/null || true
    wait "$pid" || true
}

# The main window on each page; the ignore-rule editor opened by Add on the second page; the
# version window.
fresh
rules
$wine "$work/app/Zorvik.exe" &
pid=$!
shot main-rules "$main"
click "$main" 107 18
shot main-ignore "$main"
click "$main" 56 252
waitwin '無視ルールの追加' >/dev/null
xdotool type bak
shot ignore-editor '無視ルールの追加'
xdotool key Escape
sleep 0.5
click "$main" 200 18
shot main-options "$main"
click "$main" 256 292
shot about 'ﾊﾞｰｼﾞｮﾝ情報'
xdotool key Return
sleep 0.5
click "$main" 156 292
sleep 0.5
wineserver -k 2>/dev/null || true
wait "$pid" || true

ruleeditor ""

# At 200 % (the prefix's display at 192 DPI), and under a high-contrast scheme (the prefix's
# system colours black and white), each set back afterwards.
$ZV_WINE64 reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 192 /f >/dev/null 2>&1
pages -192
ruleeditor -192
$ZV_WINE64 reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f >/dev/null 2>&1
$ZV_WINE64 reg export 'HKCU\Control Panel\Colors' "$work/../colors.reg" /y >/dev/null 2>&1
for c in 'ActiveTitle 0 0 0' 'Background 0 0 0' 'ButtonFace 0 0 0' 'ButtonText 255 255 255' \
    'ButtonHilight 255 255 255' 'ButtonLight 255 255 255' 'ButtonShadow 128 128 128' \
    'ButtonDkShadow 255 255 255' 'GrayText 0 255 0' 'Hilight 26 235 255' 'HilightText 0 0 0' \
    'HotTrackingColor 255 255 0' 'InfoText 255 255 255' 'InfoWindow 0 0 0' 'Menu 0 0 0' \
    'MenuText 255 255 255' 'TitleText 255 255 255' 'Window 0 0 0' 'WindowFrame 255 255 255' \
    'WindowText 255 255 255'; do
    $ZV_WINE64 reg add 'HKCU\Control Panel\Colors' /v "${c%% *}" /d "${c#* }" /f >/dev/null 2>&1
done
pages -hc
$ZV_WINE64 reg import "$work/../colors.reg" >/dev/null 2>&1

# pixels TITLE: a checksum of what that window shows.
pixels() {
    local g
    g=($(geom "$1"))
    import -window root -crop "${g[0]}x${g[1]}+${g[2]}+${g[3]}" rgb:- 2>/dev/null | md5sum
}

# The first run: the folder chooser asking for the initial folder, then the first-run window.
# The chooser first shows the desktop selected and moves to the start folder a second or more
# later, once its tree has filled; in a prefix whose shell has never shown the dialog it stays
# on the desktop. So wait until the picture has changed and then held still, and if it never
# changes within 10 seconds, run the first run once more.
for attempt in 1 2; do
    fresh
    $wine "$work/app/Zorvik.exe" &
    pid=$!
    t=
    for _ in $(seq 150); do
        t=$(xwininfo -root -tree | grep -oE '"[^"]*の参照"' | head -1 | tr -d '"' || true)
        [ -n "$t" ] && geom "$t" >/dev/null && break
        sleep 0.1
    done
    first=$(pixels "$t") last=$first steady=0 moved=
    for _ in $(seq 20); do
        sleep 0.5
        now=$(pixels "$t")
        if [ "$now" = "$last" ]; then steady=$((steady + 1)); else steady=0; fi
        last=$now
        [ "$now" != "$first" ] && moved=1
        [ -n "$moved" ] && [ $steady -ge 2 ] && break
    done
    if [ -z "$moved" ] && [ $attempt = 1 ]; then
        echo "the chooser stayed on the desktop; once more" >&2
        wineserver -k 2>/dev/null || true
        wait "$pid" || true
        continue
    fi
    shot first-run-folder "$t"
    xdotool key Return
    shot first-run-settings "$main" 296x251
    wineserver -k 2>/dev/null || true
    wait "$pid" || true
    break
done
