#!/usr/bin/env bash
# Measures sorting runs against their floor programs (bench/*.cpp) and prints one table. The figures
# come from the 64-bit build of the same sources (<build>/x64, run under wine64 at native speed);
# the one-file start (d) is also timed for the shipped 32-bit Zorvik.exe where this machine runs
# 32-bit programs natively, and (d) is timed with no display and with one (Xvfb), as a user has.
# Whole processes are timed, start to exit, wall clock; each figure is the median of alternating
# repetitions, each on a fresh tree made before the clock starts, and a ratio is the median of the
# ratios of neighbouring runs. Nothing is asserted: the script prints.
# (g) prices a file: each program is timed on 500 and on 4,000 files, and the slope between the two
# is its cost per file, the rest of its time its constant start cost. Besides Zorvik and its floor,
# two variants of the program (bench/engine_variants.cpp) and two kinds of the floor
# (bench/floor_sort.cpp) each leave out or add one guarantee, so that the price of each is the
# difference of two slopes.
#   ZV_BUILD        build folder (default build)
#   ZV_BENCH_REPS   repetitions of the 2,000-file runs (default 5; the shell path: at most 3)
#   ZV_BENCH_ONE    repetitions of the one-file start-to-exit runs (default 20)
#   ZV_BENCH_SLOPE  repetitions of the 500- and 4,000-file runs (default 9)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
export ZV_BUILD=${ZV_BUILD:-$root/build}
b=$ZV_BUILD
bash scripts/setup.sh
if ! bash scripts/build.sh; then
    # The benchmark needs neither the unit tests nor the end-to-end tests.
    echo "bench: the full build failed; building only the programs the benchmark runs" >&2
    floors=$(for f in bench/*.cpp; do [ "$f" = bench/engine_variants.cpp ] || basename "$f" .cpp; done)
    # shellcheck disable=SC2086
    ninja -C "$b/x64" Zorvik ZorvikShell ZorvikLinksShown ZorvikByName $floors >/dev/null
fi
command -v organize >/dev/null || { echo "bench: organize is missing (scripts/setup.sh)" >&2; exit 1; }

source scripts/wine-env.sh
zv_locale
# The 32-bit floors, beside the shipped program, where 32-bit programs run natively.
native32=0
zv_native32 && native32=1
[ "$native32" = 1 ] && ninja -C "$b" floor_app floor_one >/dev/null
# No display unless a run asks for the private Xvfb (ZV_BENCH_DISPLAY). Every extension has a rule
# and MoveNoExt=2, so the program never asks anything either.
unset DISPLAY WAYLAND_DISPLAY
if [ "$native32" = 1 ]; then zv_prefix "$ZV_BUILD/wineprefix32" 32; else zv_prefix "$ZV_BUILD/wineprefix"; fi
trap zv_cleanup EXIT
drive=$ZV_BUILD/benchdrive
rm -rf "$drive"
zv_map_drive v "$drive"
zv_xvfb
ZV_BENCH_DISPLAY=$DISPLAY
unset DISPLAY
zv_server

ZV_DRIVE=$drive ZV_BIN=$b/x64 ZV_BIN32=$b ZV_NATIVE32=$native32 ZV_WINE64=$ZV_WINE64 ZV_WINE32=$ZV_WINE32 \
    ZV_BENCH_DISPLAY=$ZV_BENCH_DISPLAY python3 - <<'EOF'
import os, shutil, statistics, subprocess, sys, threading, time

drive, binary, wine = os.environ["ZV_DRIVE"], os.environ["ZV_BIN"], os.environ["ZV_WINE64"]
binary32, wine32, native32 = os.environ["ZV_BIN32"], os.environ["ZV_WINE32"], os.environ["ZV_NATIVE32"] == "1"
display = os.environ["ZV_BENCH_DISPLAY"]
reps = int(os.environ.get("ZV_BENCH_REPS", "5"))
shell_reps = min(reps, 3)  # the shell's moves take about 4 ms a file under Wine
one_reps = int(os.environ.get("ZV_BENCH_ONE", "20"))
slope_reps = int(os.environ.get("ZV_BENCH_SLOPE", "9"))
EXTS = ["jpg", "png", "txt", "pdf", "mp3"]
run_dir, zv_dir = os.path.join(drive, "r"), os.path.join(drive, "zv")
problems = []

os.makedirs(zv_dir, exist_ok=True)
for exe in ["Zorvik.exe", "tests/ZorvikShell.exe", "bench/floor_sort.exe", "bench/floor_one.exe",
            "bench/floor_app.exe", "bench/ZorvikLinksShown.exe", "bench/ZorvikByName.exe"]:
    shutil.copy(os.path.join(binary, exe), zv_dir)
zv32_dir = os.path.join(drive, "zv32")
if native32:
    os.makedirs(zv32_dir, exist_ok=True)
    for exe in ["Zorvik.exe", "bench/floor_one.exe", "bench/floor_app.exe"]:
        shutil.copy(os.path.join(binary32, exe), zv32_dir)

def write_ini(name, rules, folder=zv_dir):
    """The settings beside the program: the 5 used rules among `rules` in all, keys in sorted order."""
    ext = {e: "V:\\r\\out\\" + e for e in EXTS}
    for i in range(rules - len(EXTS)):
        ext["x%03d" % i] = "V:\\r\\unused\\x%03d" % i
    lines = ["[Option]", "MoveFolder=0", "MoveFolderPath=V:\\r\\folders", "MoveNoExt=2",
             "MoveNoExtPath=V:\\r\\noext", "BaseDir=V:\\r", "[Extensions]"]
    lines += ["%s=%s" % (k, ext[k]) for k in sorted(ext)]
    lines += ["[Ignore]", "tmp=NULL", "bak=NULL"]
    with open(os.path.join(folder, name), "w", newline="") as f:
        f.write("\r\n".join(lines) + "\r\n")

def make_tree(files):
    shutil.rmtree(run_dir, ignore_errors=True)
    os.makedirs(os.path.join(run_dir, "drop"))
    for e in EXTS:
        os.makedirs(os.path.join(run_dir, "out", e))
    for i in range(files):
        with open(os.path.join(run_dir, "drop", "f%05d.%s" % (i, EXTS[i % len(EXTS)])), "wb") as f:
            f.write(b"x" * 64)

def check_sorted(files, what):
    moved = sum(len(os.listdir(os.path.join(run_dir, "out", e))) for e in EXTS)
    left = len(os.listdir(os.path.join(run_dir, "drop")))
    if moved != files or left:
        problems.append("%s: %d of %d files sorted, %d left behind" % (what, moved, files, left))

def timed(cmd, env=None):
    """Seconds from the start to the exit, read when the exit is reaped. A wait with a timeout polls,
    at up to 50 ms steps, and would round every time up to its next poll: the timeout is a timer of
    its own, and the wait blocks."""
    start = time.perf_counter()
    p = subprocess.Popen(cmd, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    watchdog = threading.Timer(900, p.kill)
    watchdog.start()
    rc = p.wait()
    elapsed = time.perf_counter() - start
    watchdog.cancel()
    return elapsed, rc

def wine_cmd(exe, *args):
    return [wine, "V:\\zv\\" + exe] + list(args)

ORGANIZE_CFG = os.path.join(drive, "organize.yaml")
with open(ORGANIZE_CFG, "w") as f:
    f.write("rules:\n")
    for e in EXTS:
        f.write("  - name: %s\n    locations: %s\n    filters:\n      - extension: %s\n"
                "    actions:\n      - move: %s/\n"
                % (e, os.path.join(run_dir, "drop"), e, os.path.join(run_dir, "out", e)))

def compare(label, contenders, files, repetitions, env=None, raw=None):
    """Alternating repetitions, the order rotating each time; returns the median time of each
    (and in `raw` every time, in repetition order)."""
    times = {name: [] for name, _ in contenders}
    for r in range(repetitions):
        k = r % len(contenders)
        for name, cmd in contenders[k:] + contenders[:k]:
            make_tree(files)
            t, rc = timed(cmd, env)
            if rc:
                problems.append("%s, %s: exit code %d" % (label, name, rc))
            check_sorted(files, "%s, %s" % (label, name))
            times[name].append(t)
    if raw is not None:
        raw.update(times)
    return {name: statistics.median(v) for name, v in times.items()}

def paired(raw, a, b):
    """The median of the ratios a/b of neighbouring runs: steadier than a ratio of medians when
    the machine's speed drifts."""
    return statistics.median([x / y for x, y in zip(raw[a], raw[b])])

def peak_mb(cmd):
    """Peak resident set (VmHWM) of the process, from the kernel's accounting at its exit."""
    p = subprocess.Popen(cmd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(p.pid, 0)
    p.returncode = os.waitstatus_to_exitcode(status)
    return usage.ru_maxrss / 1024.0, p.returncode

rows = []
def row(figure, zv, floor, target, unit="s", ratio=None, informative=None, met=None):
    """informative: (figure, ratio) of a second floor, printed for comparison only. A ratio given as
    text is printed as it is."""
    ratio = zv / floor if ratio is None else ratio
    if met is None:
        met = "-" if target is None else ("met" if ratio <= target else "NOT met")
    fmt = {"s": "%.3f", "ms/file": "%.4f"}.get(unit, "%.1f")
    text = lambda r: r if isinstance(r, str) else "%.3f" % r
    extra = ("-", "-") if informative is None else ((fmt % informative[0]) + " " + unit, text(informative[1]))
    rows.append((figure, (fmt % zv) + " " + unit, (fmt % floor) + " " + unit, text(ratio),
                 "-" if target is None else "<= %.2f" % target, met) + extra)
    print("  %s: %s" % (figure, rows[-1][1:]), file=sys.stderr, flush=True)

N = 2000
sort_cmd = wine_cmd("Zorvik.exe", "V:\\r\\drop")
floor_cmd = wine_cmd("floor_sort.exe", "move", "V:\\zv\\Zorvik.INI", "V:\\r\\drop")
write_ini("Zorvik.INI", 5)
write_ini("ZorvikShell.INI", 5)
for cmd in (sort_cmd, floor_cmd):  # untimed: every file the runs touch is in the page cache
    make_tree(N); timed(cmd)

print("(a) %d files, 5 rules" % N, file=sys.stderr, flush=True)
m = compare("(a)", [("zorvik", sort_cmd), ("floor", floor_cmd), ("organize", ["organize", "run", ORGANIZE_CFG])], N, reps)
row("(a) 2,000 files, 5 rules vs floor", m["zorvik"], m["floor"], 1.10)
row("(a) 2,000 files, 5 rules vs organize", m["zorvik"], m["organize"], 0.70)

print("(b) %d files, 1,000 rules" % N, file=sys.stderr, flush=True)
write_ini("Zorvik.INI", 1000)
m = compare("(b)", [("zorvik", sort_cmd), ("floor", floor_cmd)], N, reps)
row("(b) 2,000 files, 1,000 rules vs floor", m["zorvik"], m["floor"], 1.10)
write_ini("Zorvik.INI", 5)

print("(c) %d files, the shell's moves" % N, file=sys.stderr, flush=True)
m = compare("(c)", [("zorvik", wine_cmd("ZorvikShell.exe", "V:\\r\\drop")),
                    ("floor", wine_cmd("floor_sort.exe", "shell", "V:\\zv\\ZorvikShell.INI", "V:\\r\\drop"))],
            N, shell_reps)
row("(c) ZorvikShell 2,000 files vs floor", m["zorvik"], m["floor"], 1.10)

print("(d) one file, start to exit", file=sys.stderr, flush=True)
# Fair floor: floor_app, a GUI program linking what Zorvik links that does a sorting start's work
# and one move; informative: floor_one, a console program that only moves the file.
write_ini("floor_app.INI", 5)
one = "V:\\r\\drop\\f00000.jpg"
kinds = [("64-bit", wine, "V:\\zv\\")]
if native32:
    write_ini("Zorvik.INI", 5, zv32_dir)
    write_ini("floor_app.INI", 5, zv32_dir)
    kinds.append(("32-bit", wine32, "V:\\zv32\\"))
no_display = dict(os.environ)
no_display.pop("DISPLAY", None)
with_display = dict(no_display, DISPLAY=display)
for bits, w, folder in kinds:
    for shown, env in (("no display", no_display), ("display", with_display)):
        cs = [("zorvik", [w, folder + "Zorvik.exe", one]), ("floor", [w, folder + "floor_app.exe", one]),
              ("console", [w, folder + "floor_one.exe", one, "V:\\r\\out\\jpg\\f00000.jpg"])]
        label = "(d) %s, %s" % (bits, shown)
        compare(label, cs, 1, 2, env)  # untimed: the desktop process starts on the first window
        raw = {}
        m = compare(label, cs, 1, one_reps, env, raw)
        row("(d) one file, %s, %s" % (bits, shown), m["zorvik"], m["floor"], 1.05,
            ratio=paired(raw, "zorvik", "floor"), informative=(m["console"], paired(raw, "zorvik", "console")))
        if (bits, shown) == ("64-bit", "no display"):
            gui_start = m["floor"]  # the GUI floor's start, for (g)
if not native32:
    print("(d) 32-bit: not timed, 32-bit programs run emulated on this machine", file=sys.stderr)

print("(e) peak working set, 10,000 files", file=sys.stderr, flush=True)
sort_app = wine_cmd("floor_app.exe", "V:\\r\\drop")
peaks = {}
for name, cmd in (("zorvik", sort_cmd), ("floor", sort_app), ("console", floor_cmd)):
    peaks[name] = []
    for _ in range(3):
        make_tree(10000)
        mb, rc = peak_mb(cmd)
        if rc:
            problems.append("(e), %s: exit code %d" % (name, rc))
        check_sorted(10000, "(e) " + name)
        peaks[name].append(mb)
pk = {n: statistics.median(v) for n, v in peaks.items()}
row("(e) peak working set, 10,000 files", pk["zorvik"], pk["floor"], 1.10, unit="MB",
    informative=(pk["console"], pk["zorvik"] / pk["console"]))

print("(g) cost per file: 500 and 4,000 files, 5 rules", file=sys.stderr, flush=True)
# Each leaves out or adds one guarantee: ZorvikByName opens and checks no file and moves it by its
# name, ZorvikLinksShown leaves out only the link check, floor_sort hold makes each lookup as the
# program makes it, floor_sort holdeach holds the settings file open around every lookup.
SMALL, LARGE = 500, 4000
ini = "V:\\zv\\Zorvik.INI"
write_ini("ZorvikLinksShown.INI", 5)
write_ini("ZorvikByName.INI", 5)
hold_cmd = wine_cmd("floor_sort.exe", "hold", ini, "V:\\r\\drop")
slope_cs = [("zorvik", sort_cmd), ("by name", wine_cmd("ZorvikByName.exe", "V:\\r\\drop")),
            ("links shown", wine_cmd("ZorvikLinksShown.exe", "V:\\r\\drop")), ("floor", floor_cmd),
            ("hold", hold_cmd), ("hold each", wine_cmd("floor_sort.exe", "holdeach", ini, "V:\\r\\drop"))]
for _, cmd in slope_cs:  # untimed: the new programs in the page cache
    make_tree(SMALL); timed(cmd)
# How often the hold's second lookup is made: counted by the floor that makes the lookups as the
# program makes them, on the same file under the same system.
make_tree(LARGE)
out = subprocess.run(hold_cmd, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True, timeout=900).stdout
check_sorted(LARGE, "(g) hold")
again = next((int(w) for w in out.split() if w.isdigit()), None)
if again is None:
    problems.append("(g) hold: no count of lookups made again in %r" % out)
# Within a repetition the programs that are compared run next to each other at one size, then at the
# other: a machine slowed by other work meanwhile slows both of a pair.
times = {(name, n): [] for name, _ in slope_cs for n in (SMALL, LARGE)}
for r in range(slope_reps):
    k = r % len(slope_cs)
    for n in ((SMALL, LARGE) if r % 2 == 0 else (LARGE, SMALL)):
        for name, cmd in slope_cs[k:] + slope_cs[:k]:
            make_tree(n)
            t, rc = timed(cmd)
            if rc:
                problems.append("(g) %d files, %s: exit code %d" % (n, name, rc))
            check_sorted(n, "(g) %d files, %s" % (n, name))
            times[name, n].append(t)
med = {key: statistics.median(v) for key, v in times.items()}
slope = {name: (med[name, LARGE] - med[name, SMALL]) / (LARGE - SMALL) for name, _ in slope_cs}
const = {name: med[name, SMALL] - SMALL * slope[name] for name, _ in slope_cs}
ms = {name: 1000 * v for name, v in slope.items()}
for name, _ in slope_cs:
    print("  (g) %s: %.3f s at %d files, %.3f s at %d: %.4f ms/file, constant %.3f s"
          % (name, med[name, SMALL], SMALL, med[name, LARGE], LARGE, ms[name], const[name]),
          file=sys.stderr, flush=True)
row("(g) per file, 500 to 4,000 files", ms["zorvik"], ms["floor"], 1.10, unit="ms/file")
# A constant at or below zero is no start cost: the line through the two sizes says only that the
# cost per file grows with the files in the folders, and no ratio is printed for it.
def start_ratio(a, b):
    return a / b if a > 0 and b > 0 else "-"
row("(g) constant start cost vs (d)'s GUI floor", const["zorvik"], gui_start, None,
    ratio=start_ratio(const["zorvik"], gui_start),
    informative=(const["floor"], start_ratio(const["zorvik"], const["floor"])))
# A guarantee's price per file, and its share of the floor's cost per file: at most 0.10 of it
# keeps Zorvik within 1.10 of the floor when it is the only one.
ALLOWANCE = 0.10
prices = [("the one-handle check", ms["zorvik"] - ms["by name"], True),
          ("  of it, the link check", ms["zorvik"] - ms["links shown"], True),
          ("the settings hold", ms["hold"] - ms["floor"], True),
          ("the rest (listing, keys, report)", ms["by name"] - ms["hold"], False),
          ("the hold, every lookup held", ms["hold each"] - ms["floor"], False)]
for what, price, guarantee in prices:
    share = price / ms["floor"]
    row("(g) price: " + what, price, ms["floor"], ALLOWANCE if guarantee else None, unit="ms/file",
        ratio=share, met=("within" if share <= ALLOWANCE else "EXCEEDS") if guarantee else "-")
# The same prices from each repetition's own slopes, the median of their differences: where the two
# disagree, the machine's speed changed during the runs and the price is not firm.
rep_ms = {name: [1000 * (b - a) / (LARGE - SMALL) for a, b in zip(times[name, SMALL], times[name, LARGE])]
          for name, _ in slope_cs}
def within_reps(a, b):
    return statistics.median([x - y for x, y in zip(rep_ms[a], rep_ms[b])])
cross = [("one-handle check", within_reps("zorvik", "by name")),
         ("link check", within_reps("zorvik", "links shown")),
         ("settings hold", within_reps("hold", "floor")),
         ("Zorvik's cost per file over the floor's", within_reps("zorvik", "floor"))]
over = ["%s %.4f ms/file (%.0f %% of the floor's)" % (what.strip(), price, 100 * price / ms["floor"])
        for what, price, guarantee in prices if guarantee and price > ALLOWANCE * ms["floor"]]

head = ("figure", "Zorvik", "floor", "ratio", "target", "", "console floor", "ratio")
w = [max(len(r[i]) for r in rows + [head]) for i in range(len(head))]
print("Zorvik benchmark: 64-bit build of the same sources (%s), wine64, warm persistent wineserver;" % binary)
print("(d) also for the shipped 32-bit %s under wine, where 32-bit programs run natively." % os.path.join(binary32, "Zorvik.exe"))
print("medians of %d alternating runs (the shell path %d, one file %d), fresh trees." % (reps, shell_reps, one_reps))
print("In (a) the second line's floor column is organize, run natively on Linux.")
print("(d): floor = floor_app (GUI, Zorvik's libraries, OLE, hidden window, documents folder, five")
print("     options, two lookups, one move); console floor = floor_one (one MoveFileA), informative;")
print("     'display' runs have the private Xvfb as DISPLAY. (e): peak resident set (VmHWM) of the wine")
print("     process, median of 3; floor = floor_app on the same tree, console floor = floor_sort.")
print("(g): medians of %d alternating runs at 500 and at 4,000 files, 5 rules; per file = the slope" % slope_reps)
print("     (t4000 - t500) / 3500, floor = floor_sort; constant = t500 - 500 x slope, against (d)'s")
print("     64-bit floor_app without display (console floor: floor_sort's constant). A price is the")
print("     difference of two slopes and its ratio its share of the floor's slope; a guarantee within")
print("     0.10 of it keeps Zorvik within 1.10. One-handle check: Zorvik - ZorvikByName (opens, checks")
print("     nothing, MoveFileExW); link check: Zorvik - ZorvikLinksShown (no name query); settings hold:")
print("     floor_sort hold (lookups as the program makes them) - floor_sort; the rest: ZorvikByName -")
print("     floor_sort hold; every lookup held: floor_sort holdeach - floor_sort, for comparison. A")
print("     constant below the start says that the cost per file grows with the files in the folders.")
for r in [head] + rows:
    print("  ".join(c.ljust(w[i]) for i, c in enumerate(r)).rstrip())
print("(g) Zorvik %.4f ms/file, %.3f x the floor's %.4f (target 1.10); over 0.10 of the floor's cost"
      " per file: %s." % (ms["zorvik"], ms["zorvik"] / ms["floor"], ms["floor"],
                          "; ".join(over) if over else "no guarantee"))
print("(g) The hold's second lookup was made %s times in %d lookups%s."
      % ("?" if again is None else again, 2 * LARGE,
         ": its normal path adds no system call, so its price here is how far apart two equal slopes"
         " come out on this machine now" if again == 0 else ""))
print("(g) the prices from each repetition's own slopes (median of the differences): "
      + ", ".join("%s %.4f ms/file" % c for c in cross) + ".")
for p in problems:
    print("PROBLEM: " + p)
EOF

# (f) needs a display and a server of its own; its script prints its own table.
bash scripts/bench-settings.sh
