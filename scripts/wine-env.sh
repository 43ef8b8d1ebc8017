# Sourced by the run, test and bench scripts: a private Wine prefix with code page 932, the
# Japanese locale, a persistent wineserver and, where asked, a private Xvfb display. Never
# touches the user's own prefix.

ZV_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
ZV_BUILD=${ZV_BUILD:-$ZV_ROOT/build}
ZV_WINE64=/usr/lib/wine/wine64   # 64-bit programs: the tests, the benchmarks
ZV_WINE32=/usr/lib/wine/wine     # 32-bit programs: the shipped Zorvik.exe
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

zv_locale() {
    # Wine needs the glibc locale itself, or non-ASCII names and arguments are garbled.
    local dir=$ZV_BUILD/locale
    if [ ! -f "$dir/ja_JP.UTF-8/LC_CTYPE" ]; then
        mkdir -p "$dir"
        localedef -i ja_JP -f UTF-8 "$dir/ja_JP.UTF-8" 2>/dev/null || true
    fi
    export LOCPATH=$dir LC_ALL=ja_JP.UTF-8
}

# Turns the qemu handler for 32-bit Linux programs off (0) or on (1), where setup registered one.
zv_emulate32() {
    local e
    for e in /proc/sys/fs/binfmt_misc/zorvik-i386-*; do [ -e "$e" ] && echo "$1" >"$e"; done
    return 0
}

# zv_prefix DIR [32]: makes the prefix once, with a private HOME so that Documents and Desktop
# are folders inside it and not links into the user's home. Without "32" the 32-bit half is left
# out, which takes seconds instead of minutes where 32-bit programs run emulated.
zv_prefix() {
    export WINEPREFIX=$1
    if [ ! -f "$WINEPREFIX/.zorvik-ready" ]; then
        wineserver -k 2>/dev/null || true
        rm -rf "$WINEPREFIX"
        mkdir -p "$WINEPREFIX/home"
        [ "${2:-}" = 32 ] || zv_emulate32 0
        HOME=$WINEPREFIX/home $ZV_WINE64 wineboot -i >/dev/null 2>&1 || true
        wineserver -w
        zv_emulate32 1
        # Without a window manager every closing window would stall two seconds.
        $ZV_WINE64 reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
        $ZV_WINE64 reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' \
            /v 'ＭＳ Ｐゴシック' /d IPAPGothic /f >/dev/null 2>&1
        wineserver -w
        local u f
        for u in "$WINEPREFIX"/drive_c/users/*/; do
            for f in Desktop Documents Pictures Music Videos Downloads Templates; do
                if [ -L "$u$f" ]; then rm -f "$u$f"; mkdir -p "$u$f"; fi
            done
        done
        touch "$WINEPREFIX/.zorvik-ready"
    fi
    zv_wine_fonts
}

# Wine 8 as Debian ships it never looks into /usr/share/wine/fonts (fonts-wine), only into the
# prefix's own Fonts folder and fontconfig's folders; without Marlett the caption buttons are
# drawn as the letters "0 1 r". Linking the files in is enough, and harmless where they are.
zv_wine_fonts() {
    local f dir=$WINEPREFIX/drive_c/windows/Fonts
    [ -d /usr/share/wine/fonts ] && [ -d "$dir" ] || return 0
    for f in /usr/share/wine/fonts/*; do
        [ -e "$dir/${f##*/}" ] || ln -s "$f" "$dir/${f##*/}"
    done
}

# zv_map_drive LETTER DIR: maps a drive letter to a Linux folder. Do it before the wineserver
# starts, or the shell's folder dialog never offers the drive.
zv_map_drive() {
    mkdir -p "$2"
    ln -sfn "$2" "$WINEPREFIX/dosdevices/${1,,}:"
}

zv_xvfb() {
    [ -n "${ZV_XVFB_PID:-}" ] && return 0
    local n
    for n in $(seq 91 140); do
        { [ -e /tmp/.X$n-lock ] || [ -e /tmp/.X11-unix/X$n ]; } && continue
        Xvfb :$n -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
        ZV_XVFB_PID=$!
        export DISPLAY=:$n
        for _ in $(seq 50); do
            [ -e /tmp/.X11-unix/X$n ] && return 0
            sleep 0.1
        done
        kill "$ZV_XVFB_PID" 2>/dev/null
        unset ZV_XVFB_PID
    done
    echo "could not start Xvfb" >&2
    return 1
}

zv_server() { wineserver -p; $ZV_WINE64 cmd /c exit >/dev/null 2>&1 || true; }

zv_cleanup() {
    wineserver -k 2>/dev/null || true
    if [ -n "${ZV_XVFB_PID:-}" ]; then kill "$ZV_XVFB_PID" 2>/dev/null || true; unset ZV_XVFB_PID; fi
}
