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
    export LOCPATH=$dir
    # bash itself cannot load a locale from LOCPATH and says so; Wine can.
    { export LC_ALL=ja_JP.UTF-8; } 2>/dev/null
}

# Whether this machine runs 32-bit Linux programs natively. Some kernels run none; there
# scripts/setup.sh registers qemu's user-mode emulator for them in binfmt_misc, and from then on
# they do start (so /lib/ld-linux.so.2 --help no longer tells), but each start takes about a
# minute. Emulated means: an enabled binfmt_misc entry hands 32-bit x86 ELF programs to an
# emulator. Without one, the kernel runs them itself or not at all. Native: status 0.
# ZV_FORCE_EMULATED32=1 takes the emulated branch on any machine; only the tests set it.
zv_native32() {
    if [ -z "${ZV_NATIVE32:-}" ]; then
        ZV_NATIVE32=1
        if [ "${ZV_FORCE_EMULATED32:-}" = 1 ] || zv_binfmt_i386 || ! /lib/ld-linux.so.2 --help >/dev/null 2>&1; then
            ZV_NATIVE32=0
        fi
        export ZV_NATIVE32
    fi
    [ "$ZV_NATIVE32" = 1 ]
}

# True when an enabled binfmt_misc entry takes 32-bit x86 ELF programs (e_machine 3, EM_386).
zv_binfmt_i386() {
    local bf=/proc/sys/fs/binfmt_misc e magic
    [ "$(cat $bf/status 2>/dev/null)" = enabled ] || return 1
    for e in $bf/*; do
        case ${e##*/} in register | status) continue ;; esac
        [ "$(head -n1 "$e" 2>/dev/null)" = enabled ] || continue
        grep -q '^interpreter .*qemu-i386' "$e" && return 0
        magic=$(sed -n 's/^magic //p' "$e")
        [ "${magic:0:10}" = 7f454c4601 ] && [ "${magic:36:4}" = 0300 ] && return 0
    done
    return 1
}

# zv_boot: makes the prefix in $WINEPREFIX with wineboot. Without "32" it leaves Wine's 32-bit
# half out: inside a mount namespace of its own (this process tree only, never the machine's),
# the 32-bit loader is replaced by a program that fails, so setting up the prefix starts no
# 32-bit program, which takes seconds instead of minutes where 32-bit programs run emulated.
# Where no namespace can be made (not root), the prefix is made whole.
zv_boot() {
    local cmd="$ZV_WINE64 wineboot -i >/dev/null 2>&1; wineserver -w"
    if [ "${1:-}" != 32 ] && [ -x "$ZV_WINE32" ] && unshare --mount --propagation private true 2>/dev/null; then
        local fail=$WINEPREFIX.no32
        printf '#!/bin/sh\nexit 1\n' >"$fail"
        chmod +x "$fail"
        unshare --mount --propagation private sh -c "mount --bind '$fail' '$ZV_WINE32' && $cmd" || true
        rm -f "$fail"
    else
        sh -c "$cmd" || true
    fi
}

# zv_prefix DIR [32]: makes the prefix once, with a private HOME so that Documents and Desktop
# are folders inside it and not links into the user's home. Without "32" the 32-bit half is left
# out (see zv_boot).
zv_prefix() {
    export WINEPREFIX=$1
    if [ ! -f "$WINEPREFIX/.zorvik-ready" ]; then
        wineserver -k 2>/dev/null || true
        rm -rf "$WINEPREFIX"
        mkdir -p "$WINEPREFIX/home"
        HOME=$WINEPREFIX/home zv_boot "${2:-}"
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
