#!/usr/bin/env bash
# Runs a command while a second, CPU-bound process keeps the machine busy: how the suite shows
# that no test depends on timing.
#   scripts/under-load.sh bash scripts/test.sh
#   scripts/under-load.sh bash scripts/test.sh -R 'FirstRun|FolderQuestion' --repeat until-fail:20
set -euo pipefail
[ $# -gt 0 ] || { echo "usage: $0 COMMAND [ARG...]" >&2; exit 2; }
python3 -c 'while True: pass' &
load=$!
trap 'kill "$load" 2>/dev/null || true' EXIT
"$@"
