"""harness.py: a private X desktop with an accessibility bus, and the game on it as a player meets it."""

import os
import select
import shutil
import signal
import subprocess
import tempfile
import threading
import time
from collections import Counter, namedtuple

from Xlib import X
from Xlib import display as xdisplay

LIBFAKETIME = "/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1"
NO_TEXT = "<no Text interface>"
# A session bus that activates no services: nothing runs on it that the harness did not start.
SESSION_BUS_CONFIG = """<busconfig><type>session</type><listen>unix:dir={0}</listen><auth>EXTERNAL</auth>
<policy context="default"><allow send_destination="*" eavesdrop="true"/><allow eavesdrop="true"/>
<allow own="*"/></policy></busconfig>"""


def wait_for(what, probe, timeout=5.0):
    """Polls probe() until it gives something true; fails saying what was awaited and what was seen last."""
    deadline = time.monotonic() + timeout
    while True:
        try:
            seen = probe()
        except Exception as error:  # an object being made or destroyed may answer with an error
            seen = error
        if seen and not isinstance(seen, Exception):
            return seen
        if time.monotonic() > deadline:
            raise AssertionError(f"waited {timeout:.1f} s for {what}; last seen: {seen!r}")
        time.sleep(0.01)


def read_line(pipe, what):
    """A helper's first line of output, within a deadline, so one that fails to start cannot hang the run."""
    data, deadline = b"", time.monotonic() + 20
    while not data.endswith(b"\n"):
        if not select.select([pipe], [], [], max(0, deadline - time.monotonic()))[0]:
            raise RuntimeError(f"{what} did not start")
        chunk = os.read(pipe.fileno(), 256)
        if not chunk:
            raise RuntimeError(f"{what} exited while starting")
        data += chunk
    return data.decode().strip()


def stop_group(process):
    """Ends a process and whatever is left in its process group."""
    for sig in (signal.SIGTERM, signal.SIGKILL):
        try:
            os.killpg(process.pid, sig)
        except ProcessLookupError:
            return
        try:
            process.wait(3)
        except subprocess.TimeoutExpired:
            pass


LINEAR = [v / 255 / 12.92 if v <= 10 else ((v / 255 + 0.055) / 1.055) ** 2.4 for v in range(256)]


def luminance(bgr):
    """The relative luminance of a grabbed pixel, as WCAG defines it."""
    return 0.0722 * LINEAR[bgr[0]] + 0.7152 * LINEAR[bgr[1]] + 0.2126 * LINEAR[bgr[2]]


class Rect(namedtuple("Rect", "x y width height")):
    def centre(self):
        return self.x + self.width // 2, self.y + self.height // 2

    def inset(self, n):
        return Rect(self.x + n, self.y + n, self.width - 2 * n, self.height - 2 * n)


class Desktop:
    """Xvfb, a session bus and the accessibility bus, private to this run and stopped on every exit path."""

    def __init__(self):
        self.root = tempfile.mkdtemp(prefix="tintwise-e2e-")
        self.runtime = os.path.join(self.root, "runtime")
        os.mkdir(self.runtime, 0o700)
        self.processes, self.env = [], {}
        # Opening an address runs the first xdg-open on PATH: this one only notes the address.
        self.fake_bin, self.opened = os.path.join(self.root, "bin"), os.path.join(self.root, "opened.txt")
        os.mkdir(self.fake_bin)
        with open(os.path.join(self.fake_bin, "xdg-open"), "w") as fake:
            fake.write(f'#!/bin/sh\nprintf "%s\\n" "$*" >> "{self.opened}"\n')
        os.chmod(os.path.join(self.fake_bin, "xdg-open"), 0o755)

    def spawn(self, argv, **options):
        # Each child leads a process group of its own, so stopping it also stops what it started:
        # the launcher's dbus-daemon and the registry that daemon activates.
        process = subprocess.Popen(argv, start_new_session=True, stdin=subprocess.DEVNULL, **options)
        self.processes.append(process)
        return process

    def start(self):
        # -noreset: with the default reset when its last client leaves, the server would drop the
        # connection of a client that comes in between two launches while it regenerates.
        read_end, write_end = os.pipe()
        self.spawn(["Xvfb", "-displayfd", str(write_end), "-nolisten", "tcp", "-noreset", "-screen", "0",
                    "1280x1024x24"], pass_fds=[write_end], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end, "rb") as pipe:
            display = ":" + read_line(pipe, "Xvfb")
        env = {"PATH": "/usr/bin:/bin", "HOME": self.root, "XDG_RUNTIME_DIR": self.runtime, "LANG": "C.UTF-8",
               "DISPLAY": display}
        config = os.path.join(self.root, "session.conf")
        with open(config, "w") as out:
            out.write(SESSION_BUS_CONFIG.format(self.runtime))
        bus = self.spawn(["dbus-daemon", f"--config-file={config}", "--nofork", "--print-address=1"],
                         env=env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        self.env = dict(env, DBUS_SESSION_BUS_ADDRESS=read_line(bus.stdout, "dbus-daemon"))
        # The launcher keeps its bus socket under our XDG_RUNTIME_DIR and, with the memory backend,
        # writes no settings. It starts with accessibility off; setting the org.a11y.Status
        # properties is how a screen reader switches it on, and Qt only looks at them on start-up.
        self.spawn(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately", "--a11y=0", "--screen-reader=0"],
                   env=dict(self.env, GSETTINGS_BACKEND="memory"), stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL)
        wait_for("org.a11y.Bus on the session bus", lambda: self.a11y_status("IsEnabled"), 20)
        for name in ("IsEnabled", "ScreenReaderEnabled"):
            self.a11y_status(name, "true")
        wait_for("accessibility to be on", lambda: self.a11y_status("ScreenReaderEnabled") == "true")
        return self

    def a11y_status(self, name, value=None):
        """Reads, or sets, one org.a11y.Status property of the accessibility bus launcher."""
        call = ["Get"] if value is None else ["Set", f"variant:boolean:{value}"]
        reply = subprocess.run(["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
                                f"org.freedesktop.DBus.Properties.{call[0]}", "string:org.a11y.Status",
                                f"string:{name}", *call[1:]], env=self.env, capture_output=True, text=True)
        return reply.stdout.split()[-1] if reply.returncode == 0 and value is None else None

    def opened_addresses(self):
        return open(self.opened).read().split() if os.path.exists(self.opened) else []

    def stop(self):
        while self.processes:
            stop_group(self.processes.pop())
        shutil.rmtree(self.root, ignore_errors=True)


class Game:
    """The built game copied alone into a fresh directory and started from another, as a player starts it.
    It notes when each of its windows is mapped, from the X server's own MapNotify events."""

    def __init__(self, desktop, executable, frozen_clock=None):
        self.program_dir = tempfile.mkdtemp(prefix="program-", dir=desktop.root)
        work_dir = tempfile.mkdtemp(prefix="cwd-", dir=desktop.root)
        env = dict(desktop.env, PATH=f"{desktop.fake_bin}:/usr/bin:/bin")
        if frozen_clock:
            # Only the wall clock stands still, so each launch draws the same first secret; the
            # monotonic clock runs on, so the splash timer still fires.
            env.update(LD_PRELOAD=LIBFAKETIME, FAKETIME=frozen_clock, DONT_FAKE_MONOTONIC="1", TZ="UTC")
        self.maps, self.x = [], xdisplay.Display(env["DISPLAY"])
        self.x.screen().root.change_attributes(event_mask=X.SubstructureNotifyMask)
        self.x.sync()  # listening before the game starts, so no map is missed
        self.watching = threading.Thread(target=self._watch_maps, daemon=True)
        self.watching.start()
        with open(os.path.join(work_dir, "output.txt"), "wb") as log:
            self.process = desktop.spawn([shutil.copy2(executable, self.program_dir)], cwd=work_dir, env=env,
                                         stdout=log, stderr=log)

    def _watch_maps(self):
        name = self.x.intern_atom("_NET_WM_NAME")
        try:
            while self.x is not None:
                if self.x.pending_events() or select.select([self.x], [], [], 0.05)[0]:
                    event = self.x.next_event()
                    if event.type == X.MapNotify:
                        seen = time.monotonic()
                        try:
                            self.maps.append((seen, event.window.get_full_text_property(name)))
                        except Exception:  # a popup menu may be gone already
                            pass
        except Exception:  # the X server went away: nothing more to watch
            pass

    def first_map(self, title, timeout):
        return wait_for(f"a window titled {title!r}", lambda: [t for t, name in self.maps if name == title],
                        timeout)[0]

    def record_file(self, name):
        """The bytes of a record file beside the program, or None when there is none."""
        path = os.path.join(self.program_dir, name)
        return open(path, "rb").read() if os.path.exists(path) else None

    def stop(self):
        stop_group(self.process)
        x, self.x = self.x, None
        self.watching.join(2)
        x.close()


class Player:
    """Plays a launched game: XTEST input through xdotool; reading back through AT-SPI, screen grabs,
    and the pointer's image from XFixes (a grab of an Xvfb screen does not show the pointer)."""

    def __init__(self, desktop, game):
        import pyatspi  # imported late: it finds the accessibility bus through our session bus
        from gi.repository import Atspi

        self.atspi, self.env, self.game = pyatspi, desktop.env, game
        self.x = xdisplay.Display(desktop.env["DISPLAY"])
        self.x.xfixes_query_version()  # XFixes serves only clients that have told their version
        registry = pyatspi.Registry.getDesktop(0)
        self.app = wait_for("the game on the accessibility bus", lambda: [
            a for a in registry if a is not None and a.get_process_id() == game.process.pid], 15)[0]
        self.app.set_cache_mask(Atspi.Cache.NONE)  # read states afresh: a cached focus could lag behind

    def close(self):
        self.x.close()

    # --- input ---

    def key(self, *keys):
        subprocess.run(["xdotool", "key", *keys], env=self.env, check=True, timeout=10)

    def click(self, accessible):
        x, y = self.rect(accessible).centre()
        subprocess.run(["xdotool", "mousemove", "--sync", str(x), str(y), "click", "1"], env=self.env, check=True,
                       timeout=10)

    def focus_window(self, title):
        """Gives a window the keyboard, as a window manager would. None runs here, so nothing hands the
        focus to a window that appears or is uncovered, and `xdotool windowactivate` fails: it asks a
        window manager. `windowfocus` sets the X input focus itself, which Qt takes as activation."""
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{title}$"], env=self.env,
                               capture_output=True, text=True, timeout=10).stdout.split()
        assert found, f"no window titled {title!r} on screen"
        subprocess.run(["xdotool", "windowfocus", "--sync", found[0]], env=self.env, check=True, timeout=10)
        window = self.window(title)
        wait_for(f"{title!r} to be active", lambda: self.has(window, "active"))
        return window

    # --- what a screen reader reads ---

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

    def text(self, accessible):
        """What a screen reader reads as a box's contents: its Text interface."""
        try:
            return accessible.queryText().getText(0, -1)
        except NotImplementedError:
            return NO_TEXT

    # --- what a player sees ---

    def grab(self, rect):
        """The pixels of rect, 4 bytes each, row by row."""
        return self.x.screen().root.get_image(*rect, X.ZPixmap, 0xFFFFFFFF).data

    @staticmethod
    def crop(data, outer, inner):
        stride, left, top = outer.width * 4, (inner.x - outer.x) * 4, inner.y - outer.y
        return b"".join(data[row * stride + left:row * stride + left + inner.width * 4]
                        for row in range(top, top + inner.height))

    @staticmethod
    def contrasting(before, after, ratio):
        """How many pixels changed between two grabs with at least this contrast ratio (WCAG's measure)."""
        count = 0
        for i in range(0, len(before), 4):
            if before[i:i + 3] != after[i:i + 3]:
                lighter, darker = sorted((luminance(before[i:i + 3]), luminance(after[i:i + 3])), reverse=True)
                count += (lighter + 0.05) / (darker + 0.05) >= ratio
        return count

    def colours(self, rect):
        data = self.grab(rect)
        return Counter((data[i + 2], data[i + 1], data[i]) for i in range(0, len(data), 4))

    def fill(self, rect):
        """The one colour, as (r, g, b), of the middle third of a box; None if it is not one colour."""
        colours = self.colours(rect.inset(max(4, min(rect.width, rect.height) // 3)))
        return next(iter(colours)) if len(colours) == 1 else None

    def cursor(self):
        """The pointer's image: width, height and (r, g, b, alpha) pixels, row by row."""
        image = self.x.xfixes_get_cursor_image(self.x.screen().root)
        pixels = [((p >> 16) & 255, (p >> 8) & 255, p & 255, p >> 24) for p in image.cursor_image]
        return image.width, image.height, pixels
