#!/usr/bin/env bash
# Makes the release archive dist/Zorvik-<FileVersion>.zip: the shipped 32-bit Zorvik.exe, the
# Japanese readme.txt (Shift-JIS, CR LF, from docs/readme.txt) and LICENSE.txt, in a fixed order
# with fixed times and attributes, so that one commit always gives the same bytes. Builds only
# the program (no Wine needed) and prints the archive's path and SHA-256. ZV_BUILD names another
# build folder; SOURCE_DATE_EPOCH, when set, replaces the commit's time as the files' time.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd -P)
cd "$root"
b=${ZV_BUILD:-$root/build}
export LC_ALL=C
fail() { echo "package: $*" >&2; exit 1; }

for tool in i686-w64-mingw32-g++-posix cmake ninja python3 iconv git; do
    command -v "$tool" >/dev/null || { bash scripts/setup.sh; break; }
done
quiet() { local log; log=$(mktemp); "$@" >"$log" 2>&1 || { cat "$log" >&2; rm -f "$log"; return 1; }; rm -f "$log"; }
quiet cmake -S . -B "$b" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DZORVIK_TESTS=OFF
quiet ninja -C "$b" Zorvik

version=$(bash scripts/version.sh ZORVIK_FILE_VERSION)
if [ "$(git rev-parse --show-toplevel 2>/dev/null)" = "$root" ] && commit=$(git rev-parse -q --verify HEAD); then
    epoch=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct HEAD)}
    [ -z "$(git status --porcelain)" ] ||
        echo "package: warning: uncommitted changes are in this archive; commit $commit does not give it" >&2
else
    commit="(no git checkout)"
    epoch=${SOURCE_DATE_EPOCH:?outside a git checkout, set SOURCE_DATE_EPOCH: the time of the files}
fi
grep -q "^  $version\$" docs/readme.txt || fail "docs/readme.txt has no history entry for $version"

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
# readme.txt: iconv refuses a character that code page 932 lacks, and the way back must give the
# source again, or a character would show as another (U+301C and U+FF5E both become 81 60).
grep -q $'\r' docs/readme.txt && fail "docs/readme.txt must have LF line ends"
sed "s/@VERSION@/$version/g" docs/readme.txt >"$stage/readme.utf8"
iconv -f UTF-8 -t CP932 "$stage/readme.utf8" >"$stage/readme.sjis" ||
    fail "docs/readme.txt has characters that Shift-JIS (code page 932) cannot hold"
iconv -f CP932 -t UTF-8 "$stage/readme.sjis" | cmp -s - "$stage/readme.utf8" ||
    fail "docs/readme.txt does not survive the way to Shift-JIS and back"
sed 's/$/\r/' "$stage/readme.sjis" >"$stage/readme.txt"
sed 's/$/\r/' LICENSE >"$stage/LICENSE.txt"

mkdir -p dist
zip=dist/Zorvik-$version.zip
# The files in a fixed order, each with the same time (the commit's, in UTC), MS-DOS attributes
# and no extra fields.
python3 - "$epoch" "$zip" "Zorvik.exe=$b/Zorvik.exe" "readme.txt=$stage/readme.txt" \
    "LICENSE.txt=$stage/LICENSE.txt" <<'EOF'
import os, sys, time, zipfile
epoch, out, entries = int(sys.argv[1]), sys.argv[2], sys.argv[3:]
stamp = max(time.gmtime(epoch)[:6], (1980, 1, 1, 0, 0, 0))  # the zip format starts in 1980
with zipfile.ZipFile(out + ".tmp", "w") as archive:
    for entry in entries:
        name, path = entry.split("=", 1)
        info = zipfile.ZipInfo(name, stamp)
        info.compress_type = zipfile.ZIP_DEFLATED
        info.create_system = 0     # MS-DOS
        info.external_attr = 0x20  # FILE_ATTRIBUTE_ARCHIVE
        with open(path, "rb") as f:
            archive.writestr(info, f.read(), compresslevel=9)
os.replace(out + ".tmp", out)
EOF

echo "Zorvik $version, commit $commit"
echo "$root/$zip"
echo "SHA-256: $(sha256sum "$zip" | cut -d' ' -f1)"
