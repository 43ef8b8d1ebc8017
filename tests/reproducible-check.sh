#!/usr/bin/env bash
# The release is reproducible: the commit checked out here, cloned twice to folders at different
# paths and packaged one after the other (in another time zone and umask the second time),
# gives a byte-identical Zorvik.exe and a byte-identical archive, which holds that exe. Builds
# only the program, with no Wine. Uncommitted changes are not part of what is built.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
fail() { echo "FAIL: $*"; exit 1; }

commit=$(git -C "$root" rev-parse HEAD)
echo "building commit $commit twice"
[ -z "$(git -C "$root" status --porcelain)" ] ||
    echo "note: the work tree has uncommitted changes; they are not in these builds"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
one=$work/1/Zorvik
two=$work/another-and-much-longer-folder/second-clone
for dir in "$one" "$two"; do
    git clone --quiet --no-checkout "$root" "$dir"
    git -C "$dir" -c advice.detachedHead=false checkout --quiet "$commit"
done
(cd "$one" && TZ=UTC bash scripts/package.sh) >"$work/one.log" 2>&1 || { cat "$work/one.log"; fail "packaging 1"; }
(cd "$two" && umask 077 && TZ=Asia/Tokyo bash scripts/package.sh) >"$work/two.log" 2>&1 ||
    { cat "$work/two.log"; fail "packaging 2"; }
cat "$work/one.log"

zip=$(sed -n 's,^.*/\(dist/Zorvik-.*\.zip\)$,\1,p' "$work/one.log")
[ -n "$zip" ] || fail "no archive named in the output"
for f in build/Zorvik.exe "$zip"; do
    if ! cmp -s "$one/$f" "$two/$f"; then
        echo "$f differs (offset, octal bytes):"
        cmp -l "$one/$f" "$two/$f" | head -20
        fail "$f is not reproducible"
    fi
    echo "identical: $f ($(stat -c %s "$one/$f") bytes, SHA-256 $(sha256sum "$one/$f" | cut -c1-16)...)"
done
# The archive holds the program just built, then the readme and the licence.
python3 - "$one/$zip" "$one/build/Zorvik.exe" <<'EOF' || fail "archive contents"
import sys, zipfile
archive = zipfile.ZipFile(sys.argv[1])
assert archive.namelist() == ["Zorvik.exe", "readme.txt", "LICENSE.txt"], archive.namelist()
assert archive.read("Zorvik.exe") == open(sys.argv[2], "rb").read(), "Zorvik.exe is not the build"
EOF
echo "the archive holds this Zorvik.exe, readme.txt and LICENSE.txt"
