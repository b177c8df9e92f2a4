#!/usr/bin/python3
"""run.py: runs every benchmark of the game against the bare Qt window and prints one table.

    /usr/bin/python3 bench/run.py [BUILD_DIR] [--runs N] [--settle SECONDS] [--out FILE]

BUILD_DIR (default: build) holds a Release build. The table covers:
  - the engine (Google Benchmark): scoring one guess and a whole ten-guess game, in absolute
    figures, since there is no Qt in them to compare with;
  - one "Correct?" click with its redraw (QtTest, offscreen) against a click on the bare
    window's push button;
  - launch to the first window on screen, and resident memory with the main window up, each
    launch of the game against a launch of the bare window on a private Xvfb, interleaved.
Ratios are ratios of medians; the spread is min-max. `make bench` runs this under the build
lock, so that no build of the same machine weighs on the figures.

Needs Xvfb (xvfb) and python3-xlib, and Debian's /usr/bin/python3 for the latter.
"""

import argparse
import datetime
import json
import os
import platform
import select
import signal
import statistics
import subprocess
import sys
import tempfile
import time
import xml.etree.ElementTree as ElementTree

from Xlib import X
from Xlib import display as xdisplay

ENGINE_BENCHMARKS = {
    # Google Benchmark name: (row label, target in ns)
    "BM_Score": ("scoring one guess (engine)", 20.0),
    "BM_WholeTenGuessGame": ("a whole ten-guess game (engine)", 20000.0),
}
GAME_CLICK = "correctClickMovesTheGuessIntoTheHistory"
BARE_CLICK = "bareButtonClick"
STARTUP_TARGET = 0.8
ENGINE_REPETITIONS = 9
MEMORY_TARGET = 1.0


def fail(message):
    sys.exit(f"run.py: {message}")


class Figures:
    """Samples of one measure, with the summary the table shows."""

    def __init__(self, samples):
        if not samples:
            fail("a measure has no samples")
        self.samples = list(samples)
        self.median = statistics.median(self.samples)
        self.low = min(self.samples)
        self.high = max(self.samples)


def machine():
    model = "unknown CPU"
    try:
        with open("/proc/cpuinfo", encoding="utf-8") as cpuinfo:
            for line in cpuinfo:
                if line.startswith("model name"):
                    model = line.split(":", 1)[1].strip()
                    break
    except OSError:
        pass
    qt = subprocess.run(["pkg-config", "--modversion", "Qt6Core"], capture_output=True,
                        text=True, check=False).stdout.strip() or "?"
    return f"{model}, {os.cpu_count()} cores, Linux {platform.release()}, Qt {qt}"


# --- engine ----------------------------------------------------------------------------------

def engine(build, repetitions):
    program = os.path.join(build, "bench/engine/tintwise_engine_bench")
    names = "|".join(f"{name}$" for name in ENGINE_BENCHMARKS)
    out = subprocess.run(
        [program, f"--benchmark_filter={names}", f"--benchmark_repetitions={repetitions}",
         "--benchmark_format=json"],
        capture_output=True, text=True, check=True).stdout
    samples = {name: [] for name in ENGINE_BENCHMARKS}
    for run in json.loads(out)["benchmarks"]:
        if run.get("run_type") == "iteration" and run["run_name"] in samples:
            scale = {"ns": 1.0, "us": 1e3, "ms": 1e6}[run["time_unit"]]
            samples[run["run_name"]].append(run["real_time"] * scale)
    return {name: Figures(values) for name, values in samples.items()}


# --- one click, offscreen ----------------------------------------------------------------------

def clicks(build, pairs, workdir):
    """Runs the game's and the bare window's click benchmarks alternately in one process."""
    program = os.path.join(build, "bench/ui_main/tintwise_ui_main_bench")
    report = os.path.join(workdir, "clicks.xml")
    functions = [BARE_CLICK, GAME_CLICK] * pairs
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    # At least 250 ms per figure, as the wall-time clock counts whole milliseconds.
    subprocess.run([program, "-o", f"{report},xml", "-minimumtotal", "250", *functions],
                   env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
    samples = {GAME_CLICK: [], BARE_CLICK: []}
    for function in ElementTree.parse(report).getroot().iter("TestFunction"):
        for result in function.iter("BenchmarkResult"):
            if function.get("name") in samples:
                samples[function.get("name")].append(float(result.get("value")) * 1e6)
    return Figures(samples[GAME_CLICK]), Figures(samples[BARE_CLICK])


# --- launches on a private X server ------------------------------------------------------------

class PrivateX:
    """A private Xvfb and a connection that sees every top-level window being mapped."""

    def __init__(self):
        read_end, write_end = os.pipe()
        self.server = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-nolisten", "tcp",
             "-screen", "0", "1280x1024x24"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        number = b""
        while not number.endswith(b"\n"):
            ready, _, _ = select.select([read_end], [], [], 30)
            chunk = os.read(read_end, 16) if ready else b""
            if not chunk:
                os.close(read_end)
                self.close()
                fail("Xvfb did not start")
            number += chunk
        os.close(read_end)
        self.name = ":" + number.decode().strip()
        self.connection = xdisplay.Display(self.name)
        root = self.connection.screen().root
        root.change_attributes(event_mask=X.SubstructureNotifyMask)
        self.connection.sync()

    def next_event(self, deadline):
        """The next event before the monotonic deadline, or None."""
        while self.connection.pending_events() == 0:
            left = deadline - time.monotonic()
            if left <= 0:
                return None
            select.select([self.connection.fileno()], [], [], left)
        return self.connection.next_event()

    def drain(self):
        while self.connection.pending_events():
            self.connection.next_event()

    def close(self):
        if getattr(self, "connection", None) is not None:
            self.connection.close()
            self.connection = None
        if self.server.poll() is None:
            self.server.terminate()
        self.server.wait()


# Where resident memory lies, by the name of the mapping; the first part that matches counts.
MEMORY_PARTS = (
    ("heap", lambda name: name == "[heap]"),
    ("other anonymous memory (stacks, arenas)", lambda name: not name or name.startswith("[")),
    ("X backing store (shared memory)",
     lambda name: name.startswith(("/memfd:xorg", "/SYSV", "/dev/shm/"))),
    ("fonts and font caches",
     lambda name: name.startswith(("/usr/share/fonts/", "/var/cache/fontconfig/"))),
    ("Qt plugins", lambda name: "/qt6/plugins/" in name),
    ("Qt libraries", lambda name: "/libQt6" in name),
    ("other shared libraries", lambda name: ".so" in name),
    ("other files", lambda name: True),
)
PROGRAM_PART = "the program's own file"


def memory_of(pid, program):
    """VmRSS and PSS of a process, and its resident memory by MEMORY_PARTS, all in KiB."""
    rss = pss = None
    with open(f"/proc/{pid}/status", encoding="utf-8") as status:
        for line in status:
            if line.startswith("VmRSS:"):
                rss = int(line.split()[1])
    with open(f"/proc/{pid}/smaps_rollup", encoding="utf-8") as rollup:
        for line in rollup:
            if line.startswith("Pss:"):
                pss = int(line.split()[1])
    parts = dict.fromkeys([PROGRAM_PART] + [label for label, _ in MEMORY_PARTS], 0)
    own = os.path.realpath(program)
    part = None
    with open(f"/proc/{pid}/smaps", encoding="utf-8") as smaps:
        for line in smaps:
            fields = line.split(None, 5)
            if "-" in fields[0] and len(fields) >= 5 and ":" in fields[3]:
                name = fields[5].strip() if len(fields) > 5 else ""
                part = PROGRAM_PART if name == own else next(
                    label for label, matches in MEMORY_PARTS if matches(name))
            elif fields[0] == "Rss:":
                parts[part] += int(fields[1])
    return rss, pss, parts


def launch(xserver, program, env, windows, settle):
    """Starts program, waits until `windows` top-level windows were mapped, then for settle
    seconds, and weighs it. Returns (ms to the first map, VmRSS, PSS, resident memory by
    part), memory in KiB."""
    xserver.drain()
    start = time.monotonic()
    process = subprocess.Popen([program], env=env, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    try:
        mapped = []
        first_ms = None
        deadline = start + 30
        while len(mapped) < windows:
            event = xserver.next_event(deadline)
            if event is None:
                fail(f"{program} mapped {len(mapped)} of {windows} windows within 30 s")
            if event.type == X.MapNotify and not event.override:
                if first_ms is None:
                    first_ms = (time.monotonic() - start) * 1000
                mapped.append(event.window.id)
        # The game's first window is the splash, which must be gone by the time the main
        # window is weighed.
        gone = set(mapped[:-1])
        settled = time.monotonic() + settle
        while (event := xserver.next_event(settled + 5 if gone else settled)) is not None:
            if event.type in (X.UnmapNotify, X.DestroyNotify):
                gone.discard(event.window.id)
        if gone:
            fail(f"{program}: the first window stayed 5 s after the last one came")
        if process.poll() is not None:
            fail(f"{program} ended early with status {process.returncode}")
        rss, pss, parts = memory_of(process.pid, program)
    finally:
        if process.poll() is None:
            process.send_signal(signal.SIGTERM)
        try:
            process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()
    return first_ms, rss, pss, parts


def launches(build, runs, settle, workdir):
    game = os.path.join(build, "tintwise")
    bare = os.path.join(build, "bench/bare/tintwise_bare_window")
    runtime = os.path.join(workdir, "runtime")
    os.mkdir(runtime, 0o700)
    xserver = PrivateX()
    env = dict(os.environ, DISPLAY=xserver.name, XDG_RUNTIME_DIR=runtime,
               # A bus address that leads nowhere: without one, libdbus would start a session
               # bus of its own through X11 autolaunch, which outlives the program.
               DBUS_SESSION_BUS_ADDRESS=f"unix:path={runtime}/no-bus")
    env.pop("QT_QPA_PLATFORM", None)
    results = {"game": [], "bare": []}
    try:
        # One unmeasured launch each fills the file caches; then the two alternate, each going
        # first every other time, so that a slow moment of the machine weighs on both alike.
        launch(xserver, bare, env, 1, 0)
        launch(xserver, game, env, 2, 0)
        for run in range(runs):
            order = [("bare", bare, 1), ("game", game, 2)]
            for name, program, windows in order if run % 2 == 0 else reversed(order):
                results[name].append(launch(xserver, program, env, windows, settle))
            game_run, bare_run = results["game"][-1], results["bare"][-1]
            print(f"  launch {run + 1:2d}/{runs}: first window bare {bare_run[0]:6.1f} ms, "
                  f"game {game_run[0]:6.1f} ms; VmRSS bare {bare_run[1] / 1024:5.1f} MiB, "
                  f"game {game_run[1] / 1024:5.1f} MiB", file=sys.stderr)
    finally:
        xserver.close()
    summary = {}
    for name, rows in results.items():
        summary[name] = [Figures(column) for column in list(zip(*rows))[:3]]
        summary[name].append({part: Figures([row[3][part] for row in rows])
                              for part in rows[0][3]})
    return summary


# --- the table ---------------------------------------------------------------------------------

def three_digits(value):
    return f"{value:.0f}" if value >= 100 else f"{value:.1f}" if value >= 10 else f"{value:.2f}"


def time_text(ns):
    for unit, scale in (("ms", 1e6), ("µs", 1e3)):
        if ns >= scale:
            return f"{three_digits(ns / scale)} {unit}"
    return f"{three_digits(ns)} ns"


def spread(figures, text):
    return f"{text(figures.median)} ({text(figures.low)}–{text(figures.high)})"


def verdict(value, target):
    return "met" if value <= target else "NOT met"


def table(machine_text, started, runs, settle, engine_figures, click, launch_figures):
    mib = lambda kib: f"{kib / 1024:.1f} MiB"
    ms = lambda value: f"{value:.1f} ms"
    rows = []
    for name, (label, target) in ENGINE_BENCHMARKS.items():
        figures = engine_figures[name]
        rows.append((label, spread(figures, time_text), "— (no Qt in it)", "—",
                     f"≤ {time_text(target)}", verdict(figures.median, target)))
    game_click, bare_click = click
    rows.append(('one "Correct?" click into the history, redraw included (offscreen)',
                 spread(game_click, time_text), spread(bare_click, time_text),
                 f"{game_click.median / bare_click.median:.2f}x", "—", "—"))
    game_map, game_rss, game_pss, _ = launch_figures["game"]
    bare_map, bare_rss, bare_pss, _ = launch_figures["bare"]
    ratio = game_map.median / bare_map.median
    rows.append(("launch to the first window mapped (game: the splash)", spread(game_map, ms),
                 spread(bare_map, ms), f"{ratio:.2f}x", f"≤ {STARTUP_TARGET}x",
                 verdict(ratio, STARTUP_TARGET)))
    ratio = game_rss.median / bare_rss.median
    rows.append((f"resident memory (VmRSS), {settle:g} s after the main window is mapped",
                 spread(game_rss, mib), spread(bare_rss, mib), f"{ratio:.2f}x",
                 f"≤ {MEMORY_TARGET}x", verdict(ratio, MEMORY_TARGET)))
    rows.append(("proportional memory (PSS), same moment", spread(game_pss, mib),
                 spread(bare_pss, mib), f"{game_pss.median / bare_pss.median:.2f}x", "—", "—"))

    header = ("measure", "game: median (min–max)", "bare Qt window: median (min–max)",
              "ratio of medians", "target", "verdict")
    lines = [f"Tintwise benchmarks, {started:%Y-%m-%d %H:%M} UTC, on {machine_text}",
             f"Engine: {ENGINE_REPETITIONS} repetitions. Click: {runs} runs of each, "
             f"alternating, in one process. Launches: {runs} of each, alternating, on a private "
             "Xvfb with no D-Bus session.",
             "",
             "| " + " | ".join(header) + " |",
             "|" + "|".join("---" for _ in header) + "|"]
    lines += ["| " + " | ".join(row) + " |" for row in rows]
    return "\n".join(lines) + "\n"


def breakdown(launch_figures):
    """Resident memory of the game and the bare window by part, medians in KiB."""
    game, bare = launch_figures["game"][3], launch_figures["bare"][3]
    lines = ["| resident memory by mapping (median) | game | bare Qt window | difference |",
             "|---|---|---|---|"]
    for part in game:
        lines.append(f"| {part} | {game[part].median:.0f} KiB | {bare[part].median:.0f} KiB | "
                     f"{game[part].median - bare[part].median:+.0f} KiB |")
    return "\n".join(lines) + "\n"


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n", 1)[0])
    parser.add_argument("build", nargs="?", default="build")
    parser.add_argument("--runs", type=int, default=15, help="launches of each program")
    parser.add_argument("--settle", type=float, default=1.0,
                        help="seconds from the measured window being mapped to weighing it")
    parser.add_argument("--out", help="also write the table to this file")
    parser.add_argument("--breakdown", action="store_true",
                        help="also show where the resident memory of each program lies")
    args = parser.parse_args()
    for program in ("tintwise", "bench/bare/tintwise_bare_window",
                    "bench/engine/tintwise_engine_bench", "bench/ui_main/tintwise_ui_main_bench"):
        if not os.access(os.path.join(args.build, program), os.X_OK):
            fail(f"{os.path.join(args.build, program)} is not built")

    started = datetime.datetime.now(datetime.timezone.utc)
    clock = time.monotonic()
    with tempfile.TemporaryDirectory(prefix="tintwise-bench-") as workdir:
        print("engine (Google Benchmark)...", file=sys.stderr)
        engine_figures = engine(args.build, ENGINE_REPETITIONS)
        print("one Correct? click (QtTest, offscreen)...", file=sys.stderr)
        click = clicks(args.build, args.runs, workdir)
        print("launches (private Xvfb)...", file=sys.stderr)
        launch_figures = launches(args.build, args.runs, args.settle, workdir)
    text = table(machine(), started, args.runs, args.settle, engine_figures, click,
                 launch_figures)
    if args.breakdown:
        text += "\n" + breakdown(launch_figures)
    text += f"\nMeasured in {time.monotonic() - clock:.0f} s.\n"
    print(text)
    if args.out:
        with open(args.out, "w", encoding="utf-8") as out:
            out.write(text)


if __name__ == "__main__":
    main()
