#!/usr/bin/env bash
# Installs everything Zorvik needs to build, run and test on a Debian machine. Idempotent.
set -euo pipefail

have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
fi

pkgs=(g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix mingw-w64-tools cmake ninja-build
      wine wine64 wine32:i386 qemu-user-static xvfb x11-utils xdotool imagemagick fonts-ipafont-gothic
      fonts-wine googletest locales organize python3 binutils desktop-file-utils libglib2.0-bin clang
      clang-format)
need=()
for p in "${pkgs[@]}"; do have_pkg "$p" || need+=("$p"); done
if ((${#need[@]})); then
    echo "setup: installing ${need[*]}" >&2
    export DEBIAN_FRONTEND=noninteractive
    # A mirror that is being synced can fail one index; what is there is still worth trying.
    apt-get update -qq || echo "setup: apt-get update failed in part; going on with the indexes it has" >&2
    install=(apt-get install -y -qq --no-install-recommends)
    if ! "${install[@]}" "${need[@]}" >/dev/null; then
        # The 32-bit half needs the same version of each shared library in both architectures.
        # When one architecture's index of the security or updates suite is missing (a mirror in
        # sync), the candidates disagree; those of the release itself never do.
        release=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
        echo "setup: installing again with the packages of the $release release" >&2
        "${install[@]}" -t "$release" "${need[@]}" >/dev/null
    fi
fi

# Some kernels run no 32-bit Linux programs, and Wine's 32-bit half is one. There, 32-bit ELF
# programs are handed to qemu's user-mode emulator (slow, but the real thing): a registration for
# the whole machine, made once, which the scripts then tell by zv_native32 (scripts/wine-env.sh).
if ! /lib/ld-linux.so.2 --help >/dev/null 2>&1; then
    bf=/proc/sys/fs/binfmt_misc
    [ -e $bf/register ] || mount -t binfmt_misc binfmt_misc $bf
    mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
    for t in 2 3; do
        [ -e $bf/zorvik-i386-$t ] && continue
        echo ":zorvik-i386-$t:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x0$t\x00\x03\x00:$mask:/usr/bin/qemu-i386-static:F" >$bf/register
    done
fi
