"""test_desktops.py: the game under real window managers, on Wayland and at high-density scales."""
# Usage: /usr/bin/python3 -B test_desktops.py PATH/TO/tintwise BUILD_DIR [unittest arguments]
# X11 launches under openbox (which adds least of its own) and metacity, read back from the window
# manager's X properties; launches on weston, a Wayland compositor, inside the same X server; the disc
# cursor read through XFixes at scale 1.5 and 2. TINTWISE_WAYLAND_LAUNCHES sets how many Wayland
# launches to make (3 by default); each must end at once on Ctrl+X.

import os
import signal
import sys
import tempfile
import threading
import time
import unittest

import desktops
import harness

TABS_TO = {"Black": 3, "Guess cell 1": 14}  # Tab presses from "Start"
GAME_OVER = "Game Over!"
SYSINFO = ("Tintwise", "System Information Is Unavailable At This Time")
SPLASH_LEAST, SPLASH_MOST = 5.0, 8.0
CENTRED_WITHIN = 2  # pixels
END_LIMIT = 1.0  # seconds from Ctrl+X to the end of the process
OPENBOX_TITLE_FONT = "Sans Bold 8"  # openbox's own configuration draws titles in it
DISC_LOGICAL, IMAGE_LOGICAL = 26, 32  # the disc's diameter and its image's side, in logical pixels
WAYLAND_LAUNCHES = int(os.environ.get("TINTWISE_WAYLAND_LAUNCHES", "3"))
WATCHDOG = 300
EXECUTABLE, BUILD, DESKTOP, ENTRY, EXIT_TIMES = None, None, None, None, []


class OnRealDesktops(unittest.TestCase):
    def start(self, session):
        self.addCleanup(harness.stop_group, session)

    def launch(self, **env_changes):
        self.p = p = harness.Game(DESKTOP, EXECUTABLE, env_changes=env_changes)
        self.addCleanup(harness.stop_group, p.process)
        return p

    def ctl(self, window, name):
        found = self.p.atspi.findAllDescendants(window, lambda o: o.name == name and o.getRoleName() != "label")
        return found[0]

    def end_with_ctrl_x(self):
        pressed = time.monotonic()
        self.p.key("ctrl+x")
        took = desktops.exit_time(self.p.process, END_LIMIT, pressed)
        EXIT_TIMES.append(took)
        self.assertIsNotNone(took, "the game still runs after Ctrl+X")
        self.assertLessEqual(took, END_LIMIT, "seconds from Ctrl+X to the end")

    def lose_by_keyboard(self, window):
        # Nine guesses with Alt+C, each waited for, and the tenth that loses.
        for row in range(1, 10):
            self.p.key("alt+c")
            harness.wait_for(f"guess {row} in the history",
                             lambda: self.p.has(self.ctl(window, f"History row {row}, cell 1"), "showing"))
        self.p.key("alt+c")

    # --- X11 under a window manager ---

    def come_up_on_x(self, screen):
        # The splash first, centred by its frame, out of the task bar; then the main window, centred.
        splash = screen.client(self.p.process.pid, " ", 10)
        shown = time.monotonic()
        self.check_frames(screen, {"splash": splash}, {"splash"})
        main = screen.client(self.p.process.pid, "Tintwise", SPLASH_MOST + 2)
        self.assertGreaterEqual(time.monotonic() - shown, SPLASH_LEAST - 0.5, "the splash's time on screen")
        self.check_frames(screen, {"main": main}, set())
        self.p.find_on_bus()
        return main

    def check_frames(self, screen, windows, skip_taskbar):
        global ENTRY
        ENTRY = ENTRY or desktops.installed_entry(BUILD, tempfile.mkdtemp(dir=DESKTOP.root))
        area = screen.work_area()
        for name, window in windows.items():
            with self.subTest(window=name):
                self.assertLessEqual(desktops.off_centre(screen.frame(window), area), CENTRED_WITHIN,
                                     f"{name}: frame {screen.frame(window)} on {area}")
                self.assertEqual(name in skip_taskbar, "_NET_WM_STATE_SKIP_TASKBAR" in screen.states(window),
                                 f"{name} out of the task bar")
                self.assertEqual(ENTRY["StartupWMClass"], window.get_wm_class()[1], "the class the dock matches")

    def check_message(self, screen, owner, title, main):
        # A box centred on its owner, wide enough for its title, with the keyboard; Return closes it and
        # the keyboard goes back to the owner.
        box = screen.client(self.p.process.pid, title, exclude=main.id)  # the main window has a box's title
        harness.wait_for(f"{title!r} to have the keyboard", screen.active, want=box.id)
        with self.subTest(f"{title!r} centred on its owner"):
            self.assertLessEqual(desktops.off_centre(screen.frame(box), screen.frame(owner)), CENTRED_WITHIN,
                                 f"frame {screen.frame(box)} on {screen.frame(owner)}")
        if screen.wm_name == "Openbox":
            with self.subTest(f"{title!r} shows its whole title"):
                self.assertGreaterEqual(desktops.title_text_width(screen, box) + 2,
                                        desktops.text_width(title, OPENBOX_TITLE_FONT), "pixels")
        self.p.key("Return")
        with self.subTest(f"{title!r} gives the keyboard back"):
            harness.wait_for(f"{title!r} to close and give the keyboard back", screen.active, want=owner.id)

    def check_about(self, screen, main):
        # Out of the task bar, transient for the main window, centred; minimised and asked for again it
        # comes back with the keyboard; its system-information box gives the keyboard back to it.
        self.p.key("ctrl+h")
        about = screen.client(self.p.process.pid, "About Tintwise")
        with self.subTest("the about window is transient for the main window"):
            self.assertEqual(main.id, about.get_wm_transient_for().id, "WM_TRANSIENT_FOR")
        self.check_frames(screen, {"about": about}, {"about"})
        with self.subTest("the about window minimised comes back when asked for"):
            self.p.xdotool("windowminimize", about.id)
            harness.wait_for("the about window to be minimised", lambda: screen.wm_state(about), want=desktops.ICONIC)
            # As the player would, through the window manager: openbox minimises a transient's owner too.
            self.p.xdotool("windowactivate", "--sync", main.id)
            harness.wait_for("the main window to have the keyboard", screen.active, want=main.id)
            self.p.key("ctrl+h")
            harness.wait_for("the about window to come back", lambda: screen.wm_state(about), want=desktops.NORMAL)
            harness.wait_for("the about window to have the keyboard", screen.active, want=about.id)
        self.p.key("alt+s")
        self.check_message(screen, about, SYSINFO[0], main)
        self.p.key("Escape")
        harness.wait_for("the main window to have the keyboard", screen.active, want=main.id)

    def under(self, wm, **env_changes):
        self.start(desktops.start_window_manager(DESKTOP, wm))
        screen = desktops.Screen(DESKTOP.env["DISPLAY"])
        screen.wm_name = wm.capitalize()
        self.launch(**env_changes)
        main = self.come_up_on_x(screen)
        # AT-SPI counts logical pixels; the X server, device pixels.
        self.scale = main.get_geometry().width / self.p.rect(self.p.window("Tintwise")).width
        return screen, main

    def device(self, accessible):
        return harness.Rect(*(round(v * self.scale) for v in self.p.rect(accessible)))

    def click(self, accessible):
        box = self.device(accessible)
        self.p.xdotool("mousemove", "--sync", box.x + box.width // 2, box.y + box.height // 2, "click", "1")

    def test_openbox_a_keyboard_game_and_every_window_in_its_place(self):
        screen, main = self.under("openbox")
        harness.wait_for("the main window to have the keyboard", screen.active, want=main.id)
        window = self.p.window("Tintwise")
        self.p.key(*["Tab"] * TABS_TO["Black"], "space", *["Tab"] * (TABS_TO["Guess cell 1"] - TABS_TO["Black"]),
                   "space")
        harness.wait_for("guess cell 1 painted black", lambda: self.p.text(self.ctl(window, "Guess cell 1")),
                         want="Black")
        self.lose_by_keyboard(window)
        self.check_message(screen, main, GAME_OVER, main)
        with open(os.path.join(self.p.dir, "Begin.txt"), "wb") as record:  # the narrowest box, for its title
            record.write(b'"3"\r\n')
        self.p.key("alt+f", "v", "e")
        self.check_message(screen, main, "Fastest Beginner Time", main)
        self.check_about(screen, main)
        self.end_with_ctrl_x()

    def check_cursor_and_cells(self, screen, scale):
        # The disc keeps its logical size with its hot spot at its centre, so a click aimed with the
        # disc's centre just inside a cell's corner paints it; the cells' edges stay one pixel sharp.
        window = self.p.window("Tintwise")
        self.click(self.ctl(window, "Light Blue"))
        cell, plain = (self.device(self.ctl(window, f"Guess cell {n}")) for n in (3, 4))
        self.p.xdotool("mousemove", "--sync", cell.x - 20, cell.y - 20)
        harness.wait_for("the Light Blue disc", lambda: screen.cursor()[2] and screen.cursor()[2].width > 1)
        size, hot, disc = screen.cursor()
        disc_centre = desktops.centre(disc)
        with self.subTest(f"the disc at scale {scale}: its size, and its hot spot at its centre"):
            self.assertEqual((round(IMAGE_LOGICAL * scale),) * 2, size, "the cursor image's size")
            self.assertLessEqual(abs(disc.width - DISC_LOGICAL * scale), 1, f"the disc's width: {disc}")
            self.assertLessEqual(max(abs(h - c) for h, c in zip(hot, disc_centre)), 1, f"hot spot {hot}, disc {disc}")
        with self.subTest(f"a click aimed with the disc's centre at scale {scale}"):
            aim = (cell.x + 3 - (disc_centre[0] - hot[0]), cell.y + 3 - (disc_centre[1] - hot[1]))
            self.p.xdotool("mousemove", "--sync", round(aim[0]), round(aim[1]), "click", "1")
            harness.wait_for("the cell under the disc's centre painted",
                             lambda: self.p.text(self.ctl(window, "Guess cell 3")), want="Light Blue", timeout=2)
        self.p.xdotool("mousemove", "--sync", 0, 0)
        row = screen.pixels(harness.Rect(plain.x - 3, plain.y + plain.height // 2, plain.width + 6, 1))[0]
        column = [line[0] for line in screen.pixels(harness.Rect(plain.x + plain.width // 2, plain.y - 3, 1, plain.height + 6))]
        for name, line in (("across", row), ("down", column)):
            with self.subTest(f"one sharp edge each side {name} a cell at scale {scale}"):
                edges = [i for i in range(1, len(line)) if line[i] != line[i - 1]]
                self.assertEqual(4, len(edges), f"colour changes: {line}")

    def test_metacity_at_scale_2(self):
        screen, main = self.under("metacity", QT_SCALE_FACTOR="2")
        self.check_cursor_and_cells(screen, 2)
        self.check_about(screen, main)
        self.end_with_ctrl_x()

    def test_openbox_at_scale_1_5(self):
        screen, main = self.under("openbox", QT_SCALE_FACTOR="1.5")
        self.check_cursor_and_cells(screen, 1.5)
        self.end_with_ctrl_x()

    # --- Wayland ---

    def test_wayland_the_keyboard_keeps_the_game_and_ctrl_x_ends_it_at_once(self):
        weston, socket = desktops.start_weston(DESKTOP)
        self.start(weston)
        screen = desktops.Screen(DESKTOP.env["DISPLAY"])
        for launch in range(WAYLAND_LAUNCHES):
            with self.subTest(launch=launch + 1):
                self.play_on_wayland(screen, socket)

    def minimise_on_weston(self, screen, window):
        # Clicks the minimise button of Qt's frame around window, found in weston's output.
        # The pointer leaves weston's window and comes back: weston follows it only from an entry.
        outside = [v + 10 for v in desktops.WESTON_SIZE]
        self.p.xdotool("mousemove", "--sync", *outside)
        size = self.p.rect(window)[2:]
        frame = harness.wait_for(f"{window.name!r} in weston's output", lambda: desktops.qt_frame_on_weston(screen, size))
        x, y = desktops.QT_MINIMISE
        self.p.xdotool("mousemove", "--sync", frame.x + frame.width + x, frame.y + y, "click", "1")
        # Off the window, yet inside weston's, where the keys go with no X window manager.
        self.p.xdotool("mousemove", "--sync", *outside, "mousemove", "--sync", *(v - 2 for v in desktops.WESTON_SIZE))
        time.sleep(0.5)  # the box, minimised, comes back at once or not at all

    def play_on_wayland(self, screen, socket):
        before = screen.pixels(harness.Rect(0, 0, *desktops.WESTON_SIZE))
        changed = lambda: sum(a != b for was, now in zip(before, screen.pixels(harness.Rect(0, 0, *desktops.WESTON_SIZE)))  # noqa: E731
                              for a, b in zip(was, now))
        p = self.launch(WAYLAND_DISPLAY=socket, DISPLAY=None)
        self.addCleanup(setattr, self, "p", None)
        p.find_on_bus()
        harness.wait_for("the splash on the accessibility bus", lambda: p.windows(" "), 10)
        shown = time.monotonic()
        harness.wait_for("the splash on screen", lambda: changed() > 303 * 321 // 2)
        main = harness.wait_for("the main window", lambda: p.windows("Tintwise"), SPLASH_MOST + 2)[0]
        self.assertGreaterEqual(time.monotonic() - shown, SPLASH_LEAST - 0.5, "the splash's time on screen")
        harness.wait_for("the main window on screen, with the keyboard", lambda: p.has(main, "active")
                         and not p.windows(" ") and changed() > 490 * 490 // 2)
        self.lose_by_keyboard(main)
        box = p.window(GAME_OVER)
        harness.wait_for("the box with the keyboard", lambda: p.has(box, "active"))
        self.minimise_on_weston(screen, box)
        harness.wait_for("the box back with the keyboard", lambda: p.has(p.window(GAME_OVER), "active"))
        p.key("Return")
        harness.wait_for("Return to close the box", lambda: not p.windows(GAME_OVER), 3)
        harness.wait_for("the main window with the keyboard", lambda: p.has(main, "active"))
        self.end_with_ctrl_x()


def main():
    global EXECUTABLE, BUILD, DESKTOP
    EXECUTABLE, BUILD = os.path.abspath(sys.argv.pop(1)), os.path.abspath(sys.argv.pop(1))
    DESKTOP, started = harness.Desktop(), time.monotonic()

    def stop(signum=None, frame=None):
        DESKTOP.stop()
        os._exit(128 + signum if signum else 124)

    for signum in (signal.SIGTERM, signal.SIGINT, signal.SIGHUP):
        signal.signal(signum, stop)
    threading.Thread(target=lambda: time.sleep(WATCHDOG) or stop(), daemon=True).start()
    try:
        DESKTOP.start()
        result = unittest.main(exit=False, verbosity=2, warnings="ignore").result
    finally:
        DESKTOP.stop()
    print("Ctrl+X to the end of the process: " + ", ".join("hung" if t is None else f"{t:.3f}" for t in EXIT_TIMES)
          + " s")
    print(f"desktops run: {time.monotonic() - started:.1f} s", flush=True)
    sys.exit(0 if result.wasSuccessful() else 1)


if __name__ == "__main__":
    main()
