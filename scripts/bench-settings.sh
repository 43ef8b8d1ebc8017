#!/usr/bin/env bash
# Times the settings window (the program started without arguments) with 1,000 rules and 1,000
# ignore keys, and with 10,000 rules and 1,000 ignore keys, against its floor programs
# (bench/floor_settings.cpp, two kinds), all driven from outside by
# bench/robot_settings.cpp on a private display: from the process's start to its window answering,
# and from a click on OK to the process's end. The shipped 32-bit Zorvik.exe runs under the 32-bit
# loader against a 32-bit floor (where 32-bit programs run natively: zv_native32), the 64-bit
# twin under wine64 against the 64-bit floor. Run by
# scripts/bench.sh after its other figures, or alone after scripts/build.sh. Nothing is asserted.
#   ZV_BUILD            build folder (default build)
#   ZV_BENCH_SETTINGS   repetitions (default 11; with 10,000 rules half as many, 3 at least)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
export ZV_BUILD=${ZV_BUILD:-$root/build}
b=$ZV_BUILD
source scripts/wine-env.sh
zv_locale
native32=0
zv_native32 && native32=1
ninja -C "$b" Zorvik >/dev/null
ninja -C "$b/x64" Zorvik robot_settings floor_settings >/dev/null
# The shipped tree builds the program only; its floor is compiled here with the same flags.
mkdir -p "$b/bench32"
if [ "$native32" = 1 ] && [ ! "$b/bench32/floor_settings.exe" -nt bench/floor_settings.cpp ]; then
    i686-w64-mingw32-g++-posix -std=c++17 -O2 -Wall -Wextra -Werror -Wno-missing-field-initializers \
        -finput-charset=UTF-8 -fexec-charset=CP932 -static -static-libgcc -static-libstdc++ \
        bench/floor_settings.cpp -o "$b/bench32/floor_settings.exe" -lole32 -lcomctl32
fi

# The test prefix, made as scripts/test.sh makes it.
if [ "$native32" = 1 ]; then zv_prefix "$ZV_BUILD/wineprefix" 32; else zv_prefix "$ZV_BUILD/wineprefix"; fi
# A server left by scripts/bench.sh was started without a display and keeps its desktop so.
wineserver -k 2>/dev/null || true
trap zv_cleanup EXIT
zv_xvfb
drive=$ZV_BUILD/benchdrive-settings
rm -rf "$drive"
zv_map_drive w "$drive"
zv_server

ZV_DRIVE=$drive ZV_B=$b ZV_WINE64=$ZV_WINE64 ZV_NATIVE32=$native32 python3 - <<'EOF'
import os, shutil, statistics, subprocess, sys, time

drive, b, wine64 = os.environ["ZV_DRIVE"], os.environ["ZV_B"], os.environ["ZV_WINE64"]
# Where 32-bit programs run emulated, a start takes about a minute: only the 64-bit twin is timed.
kinds = ("32", "64") if os.environ["ZV_NATIVE32"] == "1" else ("64",)
reps = int(os.environ.get("ZV_BENCH_SETTINGS", "11"))
SETTLE_MS = 300
robot = os.path.join(b, "x64", "bench", "robot_settings.exe")
problems = []

def ini_bytes(rules, ignored):
    lines = ["[Option]", "MoveFolder=1", "MoveFolderPath=W:\\整理\\フォルダ", "MoveNoExt=1",
             "MoveNoExtPath=W:\\整理\\その他", "BaseDir=W:\\整理", "[Extensions]"]
    lines += ["x%05d=W:\\整理\\格納先%05d" % (i, i) for i in range(rules)]
    lines += ["[Ignore]"] + ["i%05d=NULL" % i for i in range(ignored)]
    return ("\r\n".join(lines) + "\r\n").encode("cp932")

# The two sizes. The floor that makes its calls key by key takes minutes with 10,000 rules (each
# write rewrites the whole file): it runs with 1,000 only.
SCENARIOS = [("1,000 rules + 1,000 ignore keys", ini_bytes(1000, 1000), ["zorvik", "sections", "keys"], reps),
             ("10,000 rules + 1,000 ignore keys", ini_bytes(10000, 1000), ["zorvik", "sections"], max(3, reps // 2))]
setups = {}
for bits, exe, floor in [("32", os.path.join(b, "Zorvik.exe"), os.path.join(b, "bench32", "floor_settings.exe")),
                         ("64", os.path.join(b, "x64", "Zorvik.exe"), os.path.join(b, "x64", "bench", "floor_settings.exe"))]:
    if bits not in kinds:
        continue
    d = os.path.join(drive, "zv" + bits)
    os.makedirs(d)
    shutil.copy(exe, d)
    shutil.copy(floor, d)
    w = "W:\\zv%s\\" % bits
    setups[bits] = {
        "zorvik": (os.path.join(d, "Zorvik.INI"), [w + "Zorvik.exe"]),
        "sections": (os.path.join(d, "sections.INI"), [w + "floor_settings.exe", "sections", w + "sections.INI"]),
        "keys": (os.path.join(d, "keys.INI"), [w + "floor_settings.exe", "keys", w + "keys.INI"]),
    }

saved = {}
def run(bits, name, original):
    ini, cmd = setups[bits][name]
    with open(ini, "wb") as f:
        f.write(original)
    # Dated back, as a user's settings file is: Wine reloads a profile whose time stamp lies less
    # than about 2 s in the past on every call, which would make each read parse the whole file.
    os.utime(ini, (time.time() - 60, time.time() - 60))
    folder = os.path.dirname(ini)
    for t in os.listdir(folder):  # copies left by a failed save
        if t.lower().endswith(".tmp") or t.startswith("~"):
            os.remove(os.path.join(folder, t))
    p = subprocess.run([wine64, robot, str(SETTLE_MS)] + cmd, capture_output=True, text=True, timeout=900)
    fields = p.stdout.split()
    if p.returncode or len(fields) != 3:
        problems.append("%s-bit %s: robot failed: %s" % (bits, name, p.stderr.strip()[-300:]))
        return None
    if fields[2] != "0":
        problems.append("%s-bit %s: exit code %s" % (bits, name, fields[2]))
    with open(ini, "rb") as f:
        saved[(bits, name)] = f.read()
    return float(fields[0]), float(fields[1])

rows = []
def row(figure, zv, floor, floor_name, target=None, ratio=None):
    ratio = ratio if ratio is not None else zv / floor
    verdict = "" if target is None else ("met" if ratio <= target else "NOT met")
    rows.append((figure, "%.3f s" % zv, "%.3f s" % floor, floor_name, "%.3f" % ratio,
                 "" if target is None else "<= %.2f" % target, verdict))
    print("  %s: %s" % (figure, rows[-1][1:]), file=sys.stderr, flush=True)

for bits in kinds:
    label = "shipped 32-bit" if bits == "32" else "64-bit twin"
    for title, original, names, n in SCENARIOS:
        print("(f) settings window, %s, %s" % (label, title), file=sys.stderr, flush=True)
        saved.clear()
        for name in names:  # untimed: the programs and the prefix's files in the page cache
            run(bits, name, original)
        # One round runs every program once, back to back: a ratio is taken within a round, so
        # that what the machine does meanwhile weighs on both sides alike.
        rounds = []
        for r in range(n):
            t = {name: run(bits, name, original) for name in names[r % len(names):] + names[:r % len(names)]}
            if all(t.values()):
                rounds.append(t)
        if not rounds:
            continue
        med = {k: (statistics.median(t[k][0] for t in rounds), statistics.median(t[k][1] for t in rounds)) for k in names}
        ratio = lambda k, i: statistics.median(t["zorvik"][i] / t[k][i] for t in rounds)
        what = "%s, %s" % (label, title)
        row("(f) start to shown, " + what, med["zorvik"][0], med["sections"][0], "sections", 1.10, ratio("sections", 0))
        if "keys" in med:
            row("(f) start to shown, " + what, med["zorvik"][0], med["keys"][0], "keys", None, ratio("keys", 0))
        row("(f) OK to closed, " + what, med["zorvik"][1], med["sections"][1], "sections", 1.20, ratio("sections", 1))
        if "keys" in med:
            row("(f) OK to closed, " + what, med["zorvik"][1], med["keys"][1], "keys", None, ratio("keys", 1))
        z = saved.get((bits, "zorvik"))
        for name in names[1:]:
            if z is not None and z != saved.get((bits, name)):
                problems.append("%s-bit, %s: the program's saved file differs from the '%s' floor's" % (bits, title, name))
        if z is not None and z != original:
            problems.append("%s-bit, %s: the saved file is not the file loaded" % (bits, title))

head = ("figure", "Zorvik", "floor", "floor kind", "ratio", "target", "")
w = [max(len(r[i]) for r in rows + [head]) for i in range(len(head))]
print("Settings window (no arguments), timed from outside by robot_settings (64-bit) on Xvfb: start to the")
print("visible window answering; OK clicked (BM_CLICK, after %d ms) to the process's end. Floors" % SETTLE_MS)
print("(bench/floor_settings.cpp) around a bare window: 'sections' initialises OLE and the common")
print("controls, reads each section with one call and writes each list with one WritePrivateProfileSectionA")
print("call on a copy that then replaces the file; 'keys' makes its calls key by key. Times are")
print("medians of %d rounds with 1,000 rules, %d with 10,000 (a round runs every program once, each" % (reps, max(3, reps // 2)))
print("in turn first), a ratio the median of the")
print("ratios within a round; warm persistent wineserver. Load average (1 min) when done: %s."
      % open("/proc/loadavg").read().split()[0])
for r in [head] + rows:
    print("  ".join(c.ljust(w[i]) for i, c in enumerate(r)).rstrip())
if "32" not in kinds:
    print("(f) 32-bit: not timed, 32-bit programs run emulated on this machine")
for p in problems:
    print("PROBLEM: " + p)
EOF
