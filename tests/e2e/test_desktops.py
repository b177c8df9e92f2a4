"""test_desktops.py: the game under real window managers, on Wayland, and at high-density scales."""
# Usage: /usr/bin/python3 -B test_desktops.py PATH/TO/tintwise BUILD_DIR [unittest arguments]
# Under openbox (which adds least of its own) and metacity, read from the window manager's X
# properties; on weston, a Wayland compositor inside the same X server; the disc cursor read through
# XFixes at scales 1.5 and 2. TINTWISE_WAYLAND_LAUNCHES sets the number of Wayland launches (3).

import os
import subprocess
import sys
import tempfile
import time
import unittest

import desktops
import harness

SPLASH_LEAST, SPLASH_MOST, END_LIMIT, CENTRED_WITHIN = 5.0, 8.0, 1.0, 2  # seconds, seconds, seconds, pixels
OPENBOX_TITLE_FONT = "Sans Bold 8"  # as openbox's own configuration sets titles
DISC, IMAGE = 26, 32  # the disc's diameter and its image's side, in logical pixels
WAYLAND_LAUNCHES = int(os.environ.get("TINTWISE_WAYLAND_LAUNCHES", "3"))
EXECUTABLE, BUILD, DESKTOP, ENTRY, EXIT_TIMES = None, None, None, {}, []


class OnRealDesktops(unittest.TestCase):
    def launch(self, session, **env_changes):
        self.addCleanup(harness.stop_group, session)
        self.p = harness.Game(DESKTOP, EXECUTABLE, env_changes=env_changes)
        self.addCleanup(harness.stop_group, self.p.process)
        return self.p

    def ctl(self, window, name):
        return self.p.atspi.findDescendant(window, lambda o: o.name == name and o.getRoleName() != "label")

    def lose_by_keyboard(self, window):  # nine wrong guesses with Alt+C, each waited for, and the tenth
        for row in range(1, 10):
            self.p.key("alt+c")
            harness.wait_for(f"guess {row}", lambda: self.p.has(self.ctl(window, f"History row {row}, cell 1"), "showing"))
        self.p.key("alt+c")

    def end_with_ctrl_x(self):
        pressed = time.monotonic()
        self.p.key("ctrl+x")
        with self.subTest("Ctrl+X ends the process at once"):
            try:
                self.p.process.wait(END_LIMIT + 2)
            finally:
                EXIT_TIMES.append(time.monotonic() - pressed if self.p.process.poll() is not None else None)
            self.assertLessEqual(EXIT_TIMES[-1], END_LIMIT)
            self.assertEqual((0, None), (self.p.process.returncode, harness.SANITIZER_REPORT.search(self.p.errors())),
                             f"exit status and a sanitizer's report; standard error:\n{self.p.errors()}")

    # --- X11 ---

    def check_frames(self, windows, out_of_task_bar):
        # Centred by the frame on the free area, out of the task bar or not, of the installed entry's class.
        if not ENTRY:
            prefix = tempfile.mkdtemp(dir=DESKTOP.root)
            subprocess.run(["cmake", "--install", BUILD, "--prefix", prefix], check=True, capture_output=True)
            with open(os.path.join(prefix, "share/applications/org.example.Tintwise.desktop")) as entry:
                ENTRY.update(line.strip().split("=", 1) for line in entry if "=" in line)
        area = harness.Rect(*self.screen.prop(self.screen.root, "_NET_WORKAREA")[:4])
        for name, window in windows.items():
            with self.subTest(window=name):
                frame = self.screen.frame(window)
                self.assertEqual((True, name in out_of_task_bar, ENTRY["StartupWMClass"]),
                                 (desktops.off_centre(frame, area) <= CENTRED_WITHIN,
                                  "_NET_WM_STATE_SKIP_TASKBAR" in self.screen.states(window), window.get_wm_class()[1]),
                                 f"{name}: centred ({frame} on {area}), out of the task bar, WM_CLASS")

    def under(self, wm, **env_changes):
        # The splash for five seconds, then the main window, both in place.
        self.screen = screen = desktops.Screen(DESKTOP.env["DISPLAY"])
        p = self.launch(desktops.start_window_manager(DESKTOP, wm), **env_changes)
        shown = time.monotonic()
        self.check_frames({"splash": screen.client(p.process.pid, " ")}, {"splash"})
        self.main = screen.client(p.process.pid, "Tintwise")
        self.assertGreaterEqual(time.monotonic() - shown, SPLASH_LEAST - 0.5, "the splash's time on screen")
        self.check_frames({"main": self.main}, ())
        p.find_on_bus()
        self.scale = self.main.get_geometry().width / p.rect(p.window("Tintwise")).width  # AT-SPI is logical
        self.wait_active(self.main)
        return p.window("Tintwise")

    def wait_active(self, window):
        harness.wait_for(f"window {window.id:#x} to have the keyboard",
                         lambda: self.screen.prop(self.screen.root, "_NET_ACTIVE_WINDOW", True), want=window.id)

    def device(self, accessible):
        return harness.Rect(*(round(v * self.scale) for v in self.p.rect(accessible)))

    def check_message(self, owner, title):
        # Centred on its owner, its whole title shown (openbox), the keyboard back to its owner after Return.
        box = self.screen.client(self.p.process.pid, title, exclude=self.main.id)  # the main window's title
        self.wait_active(box)
        with self.subTest(f"{title!r} in place"):
            self.assertEqual((True, True), (
                desktops.off_centre(self.screen.frame(box), self.screen.frame(owner)) <= CENTRED_WITHIN,
                not self.screen.prop(self.screen.root, "_OB_VERSION") or desktops.title_fits(self.screen, box, title,
                                                                                             OPENBOX_TITLE_FONT)),
                "centred on its owner, its whole title shown")
        self.p.key("Return")
        with self.subTest(f"{title!r} gives the keyboard back"):
            self.wait_active(owner)

    def check_about(self):
        # Out of the task bar and transient for the main window; minimised, it comes back when asked for;
        # its system-information box gives the keyboard back to it.
        self.p.key("ctrl+h")
        about = self.screen.client(self.p.process.pid, "About Tintwise")
        self.check_frames({"about": about}, {"about"})
        with self.subTest("the about window is transient for the main window"):
            self.assertEqual(self.main.id, about.get_wm_transient_for().id)
        with self.subTest("the about window, minimised, comes back when asked for"):
            self.p.xdotool("windowminimize", about.id)
            harness.wait_for("it minimised", lambda: self.screen.prop(about, "WM_STATE", True), want=desktops.ICONIC)
            self.p.xdotool("windowactivate", "--sync", self.main.id)  # openbox minimises a transient's owner too
            self.wait_active(self.main)
            self.p.key("ctrl+h")
            harness.wait_for("it back", lambda: self.screen.prop(about, "WM_STATE", True), want=desktops.NORMAL)
            self.wait_active(about)
        self.p.key("alt+s")
        self.check_message(about, "Tintwise")
        self.p.key("Escape")
        self.wait_active(self.main)

    def test_openbox_a_keyboard_game_and_every_window_in_its_place(self):
        window = self.under("openbox")
        self.p.key(*["Tab"] * 3, "space", *["Tab"] * 11, "space")  # Black, then the first guess cell
        harness.wait_for("a cell painted", lambda: self.p.text(self.ctl(window, "Guess cell 1")), want="Black")
        self.lose_by_keyboard(window)
        self.check_message(self.main, "Game Over!")
        with open(os.path.join(self.p.dir, "Begin.txt"), "wb") as record:  # the narrowest box
            record.write(b'"3"\r\n')
        self.p.key("alt+f", "v", "e")
        self.check_message(self.main, "Fastest Beginner Time")
        self.check_about()
        self.end_with_ctrl_x()

    def test_metacity_at_scale_2_and_openbox_at_1_5(self):
        for wm, scale in (("metacity", 2), ("openbox", 1.5)):
            with self.subTest(wm=wm, scale=scale):
                self.check_disc_and_cells(wm, scale)
            self.doCleanups()

    def check_disc_and_cells(self, wm, scale):
        # The disc keeps its logical size with its hot spot at its centre, so a click aimed with the disc's
        # centre just inside a cell's corner paints it; a cell's edges stay one colour change each.
        window = self.under(wm, QT_SCALE_FACTOR=str(scale))
        box = self.device(self.ctl(window, "Light Blue"))
        self.p.xdotool("mousemove", "--sync", box.x + box.width // 2, box.y + box.height // 2, "click", "1")
        cell, plain = (self.device(self.ctl(window, f"Guess cell {n}")) for n in (3, 4))
        self.p.xdotool("mousemove", "--sync", cell.x - 20, cell.y - 20)
        harness.wait_for("the Light Blue disc", lambda: self.screen.cursor()[2].width > 1)
        size, hot, disc = self.screen.cursor()
        self.assertEqual((round(IMAGE * scale),) * 2, size, "the cursor's size")
        self.assertLessEqual(abs(disc.width - DISC * scale), 1, f"the disc: {disc}")
        self.assertLessEqual(max(abs(hot[0] - disc.x - disc.width / 2), abs(hot[1] - disc.y - disc.height / 2)), 1,
                             f"hot spot {hot}, disc {disc}")
        aim = (cell.x + 3 + hot[0] - disc.x - disc.width // 2, cell.y + 3 + hot[1] - disc.y - disc.height // 2)
        self.p.xdotool("mousemove", "--sync", *aim, "click", "1", "mousemove", "--sync", 0, 0)
        harness.wait_for("the cell under the disc's centre painted",
                         lambda: self.p.text(self.ctl(window, "Guess cell 3")), want="Light Blue", timeout=2)
        across = self.screen.plane(harness.Rect(plain.x - 3, plain.y + plain.height // 2, plain.width + 6, 1))
        down = self.screen.plane(harness.Rect(plain.x + plain.width // 2, plain.y - 3, 1, plain.height + 6))
        for line in (across, down):
            self.assertEqual(4, sum(a != b for a, b in zip(line, line[1:])), f"a cell's edges: {list(line)}")
        self.check_about()
        self.end_with_ctrl_x()

    # --- Wayland ---

    def test_wayland_the_keyboard_keeps_the_game_and_ctrl_x_ends_it_at_once(self):
        self.screen = desktops.Screen(DESKTOP.env["DISPLAY"])
        weston, socket = desktops.start_weston(DESKTOP)
        self.addCleanup(harness.stop_group, weston)
        for launch in range(WAYLAND_LAUNCHES):
            with self.subTest(launch=launch + 1):
                self.play_on_wayland(socket)

    def play_on_wayland(self, socket):
        # The splash, the main window, a game lost by keyboard; its box minimised from Qt's frame comes back
        # and closes with Return; Ctrl+X ends the game at once.
        whole = harness.Rect(0, 0, *desktops.WESTON)
        empty = self.screen.plane(whole)
        shows = lambda: sum(a != b for a, b in zip(empty, self.screen.plane(whole)))  # noqa: E731
        p = harness.Game(DESKTOP, EXECUTABLE, env_changes=dict(WAYLAND_DISPLAY=socket, DISPLAY=None))
        self.p = p
        self.addCleanup(harness.stop_group, p.process)
        p.find_on_bus()
        harness.wait_for("the splash", lambda: p.windows(" ") and shows() > 303 * 321 // 2, 10)
        shown = time.monotonic()
        main = harness.wait_for("the main window", lambda: p.windows("Tintwise"), SPLASH_MOST + 2)[0]
        self.assertGreaterEqual(time.monotonic() - shown, SPLASH_LEAST - 0.5, "the splash's time on screen")
        harness.wait_for("it on screen with the keyboard", lambda: p.has(main, "active") and shows() > 490 * 490 // 2)
        self.lose_by_keyboard(main)
        box = p.window("Game Over!")
        harness.wait_for("the box with the keyboard", lambda: p.has(box, "active"))
        # Weston follows the pointer only from its entry on, and draws it in its output: the box is looked
        # for with the pointer in one corner, then the other.
        outside = [v + 10 for v in desktops.WESTON]
        for corner in ((2, 2), [v - 2 for v in desktops.WESTON]) * 2:
            p.xdotool("mousemove", *outside, "sleep", "0.1", "mousemove", "--sync", *corner, "sleep", "0.2")
            if frame := desktops.qt_frame_on_weston(self.screen, p.rect(box)[2:]):
                break
        self.assertIsNotNone(frame, "the box in weston's output")
        p.xdotool("mousemove", "--sync", frame.x + frame.width + desktops.QT_MINIMISE[0], frame.y + desktops.QT_MINIMISE[1],
                  "click", "1", "mousemove", *outside)
        time.sleep(0.5)  # minimised, the box comes back at once or never
        harness.wait_for("the box back with the keyboard", lambda: p.has(p.window("Game Over!"), "active"))
        p.key("Return")
        harness.wait_for("the main window with the keyboard", lambda: not p.windows("Game Over!") and p.has(main, "active"))
        self.end_with_ctrl_x()


def main():
    global EXECUTABLE, BUILD, DESKTOP
    EXECUTABLE, BUILD, DESKTOP = *map(os.path.abspath, sys.argv[1:3]), harness.Desktop()
    del sys.argv[1:3]
    started = time.monotonic()
    passed = harness.run(DESKTOP, 300)
    print("Ctrl+X to the end: " + ", ".join("hung" if t is None else f"{t:.3f}" for t in EXIT_TIMES) + " s")
    print(f"desktops run: {time.monotonic() - started:.1f} s", flush=True)
    sys.exit(0 if passed else 1)


if __name__ == "__main__":
    main()
