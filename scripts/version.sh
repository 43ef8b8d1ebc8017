#!/usr/bin/env bash
# Prints a macro of src/common/Version.h as the compiler reads it, without quotes:
#   bash scripts/version.sh [MACRO]    (default ZORVIK_FILE_VERSION, e.g. 1.0.0.19)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
value=$(printf '#include "Version.h"\n%s\n' "${1:-ZORVIK_FILE_VERSION}" |
    i686-w64-mingw32-gcc-posix -E -P -x c -I "$root/src/common" - | sed '/^[[:space:]]*$/d')
[ "$(wc -l <<<"$value")" = 1 ] && [ "$value" != "${1:-ZORVIK_FILE_VERSION}" ] || { echo "version.sh: cannot read ${1:-}" >&2; exit 1; }
printf '%s\n' "${value//\"/}"
