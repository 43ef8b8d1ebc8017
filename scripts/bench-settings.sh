#!/usr/bin/env bash
# Times the settings window (the program started without arguments) with 1,000 rules and 1,000
# ignore keys against its floor program (bench/floor_settings.cpp), both driven from outside by
# bench/robot_settings.cpp on a private display: from the process's start to its window answering,
# and from a click on OK to the process's end. The shipped 32-bit Zorvik.exe runs under the 32-bit
# loader against a 32-bit floor (where 32-bit programs run natively: zv_native32), the 64-bit
# twin under wine64 against the 64-bit floor. Run by
# scripts/bench.sh after its other figures, or alone after scripts/build.sh. Nothing is asserted.
#   ZV_BUILD            build folder (default build)
#   ZV_BENCH_SETTINGS   repetitions (default 11)
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
        bench/floor_settings.cpp -o "$b/bench32/floor_settings.exe"
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

def ini_bytes():
    lines = ["[Option]", "MoveFolder=1", "MoveFolderPath=W:\\整理\\フォルダ", "MoveNoExt=1",
             "MoveNoExtPath=W:\\整理\\その他", "BaseDir=W:\\整理", "[Extensions]"]
    lines += ["x%04d=W:\\整理\\格納先%04d" % (i, i) for i in range(1000)]
    lines += ["[Ignore]"] + ["i%04d=NULL" % i for i in range(1000)]
    return ("\r\n".join(lines) + "\r\n").encode("cp932")

ORIGINAL = ini_bytes()
setups = {}
for bits, exe, floor in [("32", os.path.join(b, "Zorvik.exe"), os.path.join(b, "bench32", "floor_settings.exe")),
                         ("64", os.path.join(b, "x64", "Zorvik.exe"), os.path.join(b, "x64", "bench", "floor_settings.exe"))]:
    if bits not in kinds:
        continue
    d = os.path.join(drive, "zv" + bits)
    os.makedirs(d)
    shutil.copy(exe, d)
    shutil.copy(floor, d)
    setups[bits] = {
        "zorvik": (os.path.join(d, "Zorvik.INI"), ["W:\\zv%s\\Zorvik.exe" % bits]),
        "floor": (os.path.join(d, "floor.INI"), ["W:\\zv%s\\floor_settings.exe" % bits, "W:\\zv%s\\floor.INI" % bits]),
    }

saved = {}
def run(bits, name):
    ini, cmd = setups[bits][name]
    with open(ini, "wb") as f:
        f.write(ORIGINAL)
    # Dated back, as a user's settings file is: Wine reloads a profile whose time stamp lies less
    # than about 2 s in the past on every call, which would make each read parse the whole file.
    os.utime(ini, (time.time() - 60, time.time() - 60))
    for t in os.listdir(os.path.dirname(ini)):  # copies left by a failed save
        if t.lower().endswith(".tmp"):
            os.remove(os.path.join(os.path.dirname(ini), t))
    p = subprocess.run([wine64, robot, str(SETTLE_MS)] + cmd, capture_output=True, text=True, timeout=300)
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
def row(figure, zv, floor, target):
    ratio = zv / floor
    rows.append((figure, "%.3f s" % zv, "%.3f s" % floor, "%.3f" % ratio, "<= %.2f" % target,
                 "met" if ratio <= target else "NOT met"))
    print("  %s: %s" % (figure, rows[-1][1:]), file=sys.stderr, flush=True)

for bits in kinds:
    print("(f) settings window, %s-bit" % bits, file=sys.stderr, flush=True)
    names = ["zorvik", "floor"]
    for n in names:  # untimed: the programs and the prefix's files in the page cache
        run(bits, n)
    times = {n: [] for n in names}
    for r in range(reps):
        for n in names[r % 2:] + names[:r % 2]:
            t = run(bits, n)
            if t:
                times[n].append(t)
    if not all(times.values()):
        continue
    med = {n: (statistics.median(x[0] for x in v), statistics.median(x[1] for x in v)) for n, v in times.items()}
    label = "shipped 32-bit" if bits == "32" else "64-bit twin"
    row("(f) settings window, start to shown, %s" % label, med["zorvik"][0], med["floor"][0], 1.20)
    row("(f) settings window, OK to closed, %s" % label, med["zorvik"][1], med["floor"][1], 1.20)
    z, fl = saved.get((bits, "zorvik")), saved.get((bits, "floor"))
    if z is not None and z != fl:
        problems.append("%s-bit: the program's saved file differs from the floor's" % bits)
    if z is not None and z.count(b"\r\n") != ORIGINAL.count(b"\r\n"):
        problems.append("%s-bit: the saved file has %d lines, not %d" % (bits, z.count(b"\r\n"), ORIGINAL.count(b"\r\n")))

head = ("figure", "Zorvik", "floor", "ratio", "target", "")
w = [max(len(r[i]) for r in rows + [head]) for i in range(len(head))]
print("Settings window (no arguments), 1,000 rules and 1,000 ignore keys, on Xvfb, timed from outside by")
print("robot_settings (64-bit): start to the visible window answering; OK clicked (BM_CLICK, after %d ms) to" % SETTLE_MS)
print("the process's end. Floor: the same profile reads and writes around a bare window. Medians of %d" % reps)
print("alternating runs, warm persistent wineserver.")
for r in [head] + rows:
    print("  ".join(c.ljust(w[i]) for i, c in enumerate(r)).rstrip())
if "32" not in kinds:
    print("(f) 32-bit: not timed, 32-bit programs run emulated on this machine")
for p in problems:
    print("PROBLEM: " + p)
EOF
