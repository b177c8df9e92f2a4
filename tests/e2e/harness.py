"""harness.py: a private X desktop with an accessibility bus, and the game on it as a player meets it."""

import contextlib
import os
import re
import select
import shutil
import signal
import subprocess
import tempfile
import threading
import time
import unittest
from collections import namedtuple

from Xlib import X
from Xlib import display as xdisplay

LIBFAKETIME = "/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1"
QUIET = dict(stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
# A session bus that activates no services: nothing runs on it that the harness did not start.
BUS_CONFIG = """<busconfig><type>session</type><listen>unix:dir={}</listen><auth>EXTERNAL</auth>
<policy context="default"><allow send_destination="*" eavesdrop="true"/><allow eavesdrop="true"/><allow own="*"/>
</policy></busconfig>"""
# What AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer print when they find something.
SANITIZER_REPORT = re.compile(r"(ERROR|WARNING): \w+Sanitizer|runtime error:")
LINEAR = [v / 255 / 12.92 if v <= 10 else ((v / 255 + 0.055) / 1.055) ** 2.4 for v in range(256)]


def wait_for(what, probe, timeout=5.0, want=None):
    # Polls probe() until it gives want, or without a want anything true; fails saying what was awaited
    # and what was seen last.
    deadline = time.monotonic() + timeout
    while True:
        try:
            seen = probe()
            if seen == want if want is not None else seen:
                return seen
        except Exception as error:  # an object being made or destroyed may answer with an error
            seen = error
        if time.monotonic() > deadline:
            raise AssertionError(f"waited {timeout:.1f} s for {what}; last seen: {seen!r}")
        time.sleep(0.01)


def run(desktop, watchdog, before=lambda: None):
    # Runs the main module's tests on the desktop, and gives whether all passed. The desktop stops on
    # every way out: a signal, and a hung run outlasting the watchdog (exit 124) before CTest's timeout
    # would kill this process alone and leave the desktop running.
    def stop(signum=None, frame=None):
        desktop.stop()
        os._exit(128 + signum if signum else 124)

    for signum in (signal.SIGTERM, signal.SIGINT, signal.SIGHUP):
        signal.signal(signum, stop)
    threading.Thread(target=lambda: time.sleep(watchdog) or stop(), daemon=True).start()
    try:
        desktop.start()
        before()
        return unittest.main(exit=False, verbosity=2, warnings="ignore").result.wasSuccessful()
    finally:
        desktop.stop()


def stop_group(process):
    # Ends a process and whatever is left in its process group: SIGTERM, then SIGKILL to what stays.
    for sig in (signal.SIGTERM, signal.SIGKILL):
        with contextlib.suppress(ProcessLookupError, subprocess.TimeoutExpired):
            os.killpg(process.pid, sig)
            process.wait(3)


def sanitizer_runtimes(executable):
    # The sanitizer runtimes a program links (libasan.so.8, say), by the names its dynamic section gives.
    section = subprocess.run(["objdump", "-p", executable], check=True, capture_output=True, text=True).stdout
    return re.findall(r"NEEDED\s+(lib\w*san\.so\S*)", section)


def contrasting(before, after, ratio):
    # How many pixels of two grabs differ by at least this contrast ratio, as WCAG measures it.
    def luminance(bgr):
        return 0.0722 * LINEAR[bgr[0]] + 0.7152 * LINEAR[bgr[1]] + 0.2126 * LINEAR[bgr[2]]
    pairs = ((luminance(before[i:i + 3]), luminance(after[i:i + 3])) for i in range(0, len(before), 4))
    return sum((max(pair) + 0.05) / (min(pair) + 0.05) >= ratio for pair in pairs)


class Rect(namedtuple("Rect", "x y width height")):
    def inset(self, n):
        return Rect(self.x + n, self.y + n, self.width - 2 * n, self.height - 2 * n)


class Desktop:
    """Xvfb, a session bus and the accessibility bus, private to this run and stopped on every exit path."""

    def __init__(self):
        self.root, self.processes = tempfile.mkdtemp(prefix="tintwise-e2e-"), []
        # Opening an address runs the first xdg-open on the game's PATH: this one only notes the address.
        self.opened = os.path.join(self.root, "opened.txt")
        with open(os.path.join(self.root, "xdg-open"), "w") as fake:
            fake.write(f'#!/bin/sh\nprintf "%s\\n" "$*" >> "{self.opened}"\n')
        os.chmod(fake.name, 0o755)
        os.mkdir(os.path.join(self.root, "runtime"), 0o700)
        self.env = {"PATH": "/usr/bin:/bin", "HOME": self.root, "XDG_RUNTIME_DIR": os.path.join(self.root, "runtime"),
                    "LANG": "C.UTF-8"}

    def spawn(self, argv, **options):
        # Each child leads a process group of its own, so stopping it also stops what it started:
        # the launcher's dbus-daemon and the registry that daemon activates.
        self.processes.append(subprocess.Popen(argv, start_new_session=True, **dict(QUIET, **options)))
        return self.processes[-1]

    def serve(self, argv, **options):
        # Starts a server that writes where to reach it to the descriptor {} stands for; reads that.
        read_end, write_end = os.pipe()
        self.spawn([arg.format(write_end) for arg in argv], pass_fds=[write_end], **options)
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            return pipe.readline().strip()  # empty if the server ended first

    def start(self):
        # -noreset: with the default reset when its last client leaves, the server would drop the
        # connection of a client that comes in between two launches while it regenerates.
        self.env["DISPLAY"] = ":" + self.serve(["Xvfb", "-displayfd", "{}", "-nolisten", "tcp", "-noreset",
                                                "-screen", "0", "1280x1024x24"])
        with open(os.path.join(self.root, "bus.conf"), "w") as config:
            config.write(BUS_CONFIG.format(self.env["XDG_RUNTIME_DIR"]))
        self.env["DBUS_SESSION_BUS_ADDRESS"] = self.serve(
            ["dbus-daemon", f"--config-file={config.name}", "--nofork", "--print-address={}"], env=self.env)
        # The launcher keeps its bus socket under our XDG_RUNTIME_DIR and, with the memory backend,
        # writes no settings. Accessibility is on from its start, as a screen reader would have
        # switched it on: Qt looks only once, as the game starts.
        self.spawn(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately", "--a11y=1", "--screen-reader=1"],
                   env=dict(self.env, GSETTINGS_BACKEND="memory"))
        wait_for("a screen reader's accessibility bus", lambda: subprocess.run(
            ["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
             "org.freedesktop.DBus.Properties.Get", "string:org.a11y.Status", "string:ScreenReaderEnabled"],
            env=self.env, capture_output=True, text=True).stdout.split()[-1:] == ["true"], 20)
        os.environ.update(self.env)  # AT-SPI finds the accessibility bus through these
        os.environ.pop("AT_SPI_BUS_ADDRESS", None)

    def stop(self):
        while self.processes:
            stop_group(self.processes.pop())
        shutil.rmtree(self.root, ignore_errors=True)


class Game:
    """The built game, started alone from a fresh directory, played by XTEST input and read back."""
    # It is copied alone into its directory and started from another, as a player starts it. It is
    # read back through AT-SPI, screen grabs, and the pointer's image from XFixes (a grab of an Xvfb
    # screen does not show the pointer).

    def __init__(self, desktop, executable, frozen_clock=None, env_changes=None):
        # env_changes: variables to set for the game alone, None to unset one (another display, a scale).
        self.dir, self.env = tempfile.mkdtemp(prefix="program-", dir=desktop.root), desktop.env
        env = {name: value for name, value in dict(desktop.env, PATH=f"{desktop.root}:/usr/bin:/bin",
                                                   **(env_changes or {})).items() if value is not None}
        # A sanitized build takes its options from the run that started the suite.
        env.update((name, value) for name, value in os.environ.items() if name.endswith("SAN_OPTIONS"))
        if frozen_clock:
            # Only the wall clock stands still, so each launch draws the same first secret; the
            # monotonic clock runs on, so the splash timer still fires. A sanitizer's runtime that the
            # game links must still come before every other library, or the game refuses to start.
            preload = [*sanitizer_runtimes(executable), LIBFAKETIME]
            env.update(LD_PRELOAD=":".join(preload), FAKETIME=frozen_clock, DONT_FAKE_MONOTONIC="1", TZ="UTC")
        self.x = xdisplay.Display(desktop.env["DISPLAY"])  # listening before the game starts, so no map is missed
        self.x.screen().root.change_attributes(event_mask=X.SubstructureNotifyMask)
        self.x.sync()
        # Standard error goes to a file that the test log takes in when the launch is over.
        self.stderr = tempfile.NamedTemporaryFile(prefix="stderr-", dir=desktop.root, delete=False)
        self.process = desktop.spawn([shutil.copy2(executable, self.dir)], env=env, stderr=self.stderr,
                                     cwd=tempfile.mkdtemp(prefix="cwd-", dir=desktop.root))

    def errors(self):  # what the game has written to standard error
        with open(self.stderr.name, errors="replace") as written:
            return written.read()

    def come_up(self, title, timeout):
        # Waits for the game's window titled title and finds the game on the accessibility bus. Gives the
        # windows mapped till then as (seconds, title), timed as the X server's MapNotify events come.
        name, maps, deadline = self.x.intern_atom("_NET_WM_NAME"), [], time.monotonic() + timeout
        while title not in (mapped for _, mapped in maps):
            if time.monotonic() > deadline:
                raise AssertionError(f"no window titled {title!r} in {timeout} s; mapped: {maps}")
            if self.x.pending_events() or select.select([self.x], [], [], 0.05)[0]:
                event = self.x.next_event()
                if event.type == X.MapNotify:
                    seen = time.monotonic()
                    with contextlib.suppress(Exception):  # a popup may be gone already
                        maps.append((seen, event.window.get_full_text_property(name)))
        self.x.screen().root.change_attributes(event_mask=0)
        self.find_on_bus()
        return maps

    def find_on_bus(self):
        self.x.xfixes_query_version()  # XFixes serves only clients that have told their version
        import pyatspi  # imported late: it finds the accessibility bus through our session bus
        from gi.repository import Atspi
        self.atspi, registry = pyatspi, pyatspi.Registry.getDesktop(0)
        self.app = wait_for("the game on the accessibility bus", lambda: [
            a for a in registry if a is not None and a.get_process_id() == self.process.pid], 15)[0]
        self.app.set_cache_mask(Atspi.Cache.NONE)  # read states afresh: a cached focus could lag behind

    def record(self, name):  # a record file beside the program
        return open(os.path.join(self.dir, name), "rb").read()

    def xdotool(self, *args):
        return subprocess.run(["xdotool", *map(str, args)], env=self.env, check=True, timeout=10,
                              capture_output=True, text=True).stdout

    def key(self, *keys):
        self.xdotool("key", *keys)

    def click(self, accessible):
        box = self.rect(accessible)
        self.xdotool("mousemove", "--sync", box.x + box.width // 2, box.y + box.height // 2, "click", "1")

    def focus_window(self, title):
        # Gives a window the keyboard, as a window manager would. None runs here, so nothing hands the
        # focus to a window that appears or is uncovered, and `xdotool windowactivate` fails: it asks a
        # window manager. `windowfocus` sets the X input focus itself, which Qt takes as activation.
        found = self.xdotool("search", "--onlyvisible", "--name", f"^{title}$").split()
        self.xdotool("windowfocus", "--sync", found[0])
        window = self.window(title)
        wait_for(f"{title!r} to be active", lambda: self.has(window, "active"))
        return window

    def windows(self, title):
        return [w for w in self.app if w is not None and w.name == title and self.has(w, "showing")]

    def window(self, title):
        return wait_for(f"a window named {title!r}", lambda: self.windows(title))[0]

    def all(self, root, role):
        return self.atspi.findAllDescendants(root, lambda o: o.getRoleName() == role)

    def has(self, accessible, state):
        return accessible.getState().contains(getattr(self.atspi, f"STATE_{state.upper()}"))

    def rect(self, accessible):
        return Rect(*accessible.queryComponent().getExtents(self.atspi.DESKTOP_COORDS))

    def text(self, accessible):  # what a screen reader reads as a box's contents: its Text interface
        return accessible.queryText().getText(0, -1)

    def grab(self, rect):  # the pixels of rect, 4 bytes each (blue, green, red, unused), row by row
        return self.x.screen().root.get_image(*rect, X.ZPixmap, 0xFFFFFFFF).data

    def fill(self, rect):
        # The one colour, as (r, g, b), of the middle third of a box; None if anything is drawn on it.
        data = self.grab(rect.inset(max(4, min(rect.width, rect.height) // 3)))
        colours = {(data[i + 2], data[i + 1], data[i]) for i in range(0, len(data), 4)}
        return next(iter(colours)) if len(colours) == 1 else None

    def pointer(self):
        # The pointer's colour, as (r, g, b), if it is a disc of one colour: opaque middle, clear corners.
        image = self.x.xfixes_get_cursor_image(self.x.screen().root)
        width, pixels = image.width, [((p >> 16) & 255, (p >> 8) & 255, p & 255, p >> 24) for p in image.cursor_image]
        middle = pixels[image.height // 2 * width + width // 2]
        opaque = {p[:3] for p in pixels if p[3] == 255}
        clear = not any(pixels[i][3] for i in (0, width - 1, -width, -1))
        return middle[:3] if len(opaque) == 1 and middle[3] == 255 and clear else None
