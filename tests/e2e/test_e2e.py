"""test_e2e.py: the game as a player and a screen reader meet it on a real X server.

Usage: /usr/bin/python3 -B test_e2e.py PATH/TO/tintwise [unittest arguments]
Three launches, each costing five seconds of splash: a game lost with the mouse, a first-guess
win of its secret, and a game played with the keyboard alone; each ends with Ctrl+X.
"""

import os
import signal
import statistics
import subprocess
import sys
import threading
import time
import unittest

import harness

# The palette buttons in order, by the names a screen reader speaks, with the colours they show.
PALETTE = [("Black", (0, 0, 0)), ("Blue", (0, 0, 128)), ("Green", (0, 128, 0)), ("Cyan", (0, 128, 128)),
           ("Red", (128, 0, 0)), ("Magenta", (128, 0, 128)), ("Yellow", (128, 128, 0)),
           ("White", (192, 192, 192)), ("Gray", (128, 128, 128)), ("Light Blue", (0, 0, 255)),
           ("Light Green", (0, 255, 0)), ("Light Cyan", (0, 255, 255)), ("Light Red", (255, 0, 0)),
           ("Light Magenta", (255, 0, 255)), ("Light Yellow", (255, 255, 0))]
COLOUR = dict(PALETTE, Empty=(255, 255, 255))
NAME_OF = {rgb: name for name, rgb in COLOUR.items()}
SHOWN = [name for name, _ in PALETTE[:11]]  # every launch starts at Intermediate
CELLS = [f"Guess cell {n}" for n in range(1, 5)]
FOCUS_CONTRAST = 3.0  # WCAG's least contrast for a focus indicator against the unfocused look
TAB_ORDER = ["Start", "Correct?", "Exit", *SHOWN, *CELLS]  # picks Tab or Shift+Tab; a walk ends either way

FROZEN_CLOCK = "2026-03-14 15:09:26"
SPLASH_LEAST, SPLASH_MOST = 5.0, 8.0  # seconds; the most leaves room for a loaded machine
NO_RECORD = b'"11"\r\n'
WEB_ADDRESS = "https://www.example.com/tintwise/"
GAME_OVER = ("Game Over!", "Sorry, You Lose!  To Play Again, Push Start.")

# Ten wrong guesses by mouse: each repeats a colour, which a secret never does.
MOUSE_GUESSES = [("Red", "Blue", "Red", "Green"), ("Yellow", "Yellow", "Cyan", "Magenta"),
                 ("Gray", "White", "Black", "White"), ("Light Blue", "Light Green", "Light Blue", "Red"),
                 ("Blue", "Green", "Cyan", "Blue"), ("Magenta", "Black", "Black", "Yellow"),
                 ("Green", "Gray", "Light Green", "Light Green"), ("Cyan", "Red", "White", "Cyan"),
                 ("Black", "Light Blue", "Gray", "Gray"), ("White", "Magenta", "Light Green", "Magenta")]
# Ten wrong guesses by keyboard: cells 1 and 2 take the first colour, 3 and 4 the second.
KEYBOARD_GUESSES = [("Black", "Light Green"), ("Gray", "Blue"), ("White", "Red"), ("Light Blue", "Green"),
                    ("Yellow", "Cyan"), ("Magenta", "Black"), ("Light Green", "Gray"), ("Cyan", "White"),
                    ("Red", "Yellow"), ("Blue", "Magenta")]
PAINT_KEYS = {1: "space", 2: "Return", 3: "KP_Enter", 4: "space"}

# The record menus by keyboard: keys; the box they bring (title, text) or None; record files after.
MENU_ON_A_FRESH_DIRECTORY = [
    (("alt+f", "v", "e"), ("Fastest Beginner Time", "No Fastest Beginner Time has been Established."),
     {"Begin.txt": NO_RECORD})]
MENU_AFTER_THE_WIN = [
    (("alt+f", "v", "n"), ("Fastest Intermediate Time", 'The Fastest Intermediate Time is "1"'), {}),
    (("alt+f", "r"), None, {"Begin.txt": NO_RECORD, "Interm.txt": NO_RECORD, "Advance.txt": NO_RECORD}),
    (("alt+f", "Down", "Down", "Right", "Down", "Return"),
     ("Fastest Intermediate Time", "No Fastest Intermediate Time has been Established."), {})]
# The about window: the key pressed and the control it focuses, from "OK"; then Enter opens the link.
ABOUT_KEYS = [("Tab", "System Info..."), ("Tab", WEB_ADDRESS), ("Tab", "Support"), ("shift+Tab", WEB_ADDRESS)]
# The control focused when Ctrl+X ends each launch; each must end the game within CTRL_X_LIMIT.
CTRL_X_FOCUS = {"mouse": "Blue", "win": "Correct?", "keyboard": "Guess cell 1"}
CTRL_X_LIMIT = 1.0
WATCHDOG = 240  # seconds; stops everything before CTest's TIMEOUT would kill this process alone

EXECUTABLE, DESKTOP, SPLASH_GAPS = None, None, []


def score(secret, guess):
    """The counts a guess earns, as its boxes show them."""
    correct = sum(s == g for s, g in zip(secret, guess))
    return str(correct), str(len(set(secret) & set(guess)) - correct)


class PlayedOnScreen(unittest.TestCase):
    secret = None  # shown by the game lost in the first launch; the second launch wins with it

    def launch(self, frozen_clock=None):
        game = harness.Game(DESKTOP, EXECUTABLE, frozen_clock)
        self.addCleanup(game.stop)
        splash, main = game.first_map(" ", 15), game.first_map("Tintwise", 20)
        SPLASH_GAPS.append(main - splash)
        with self.subTest("the splash comes first, for at least five seconds"):
            self.assertEqual(" ", next(name for _, name in game.maps if name), "first window on screen")
            self.assertTrue(SPLASH_LEAST <= main - splash <= SPLASH_MOST,
                            f"main window mapped {main - splash:.3f} s after the splash")
        self.p = p = harness.Player(DESKTOP, game)
        self.addCleanup(p.close)
        self.main, self.controls, self.seen_focus, self.unseen_focus = p.focus_window("Tintwise"), {}, set(), []
        self.focusable = p.atspi.findAllDescendants(self.main, lambda o: p.has(o, "focusable"))
        return p

    def ctl(self, name):
        """A main-window control by accessible name; of the two named "Correct" (the heading and the
        guess row's count box), the count box."""
        if name not in self.controls:
            found = self.p.atspi.findAllDescendants(
                self.main, lambda o: o.name == name and o.getRoleName() != "menu item")
            if len(found) > 1:
                row = self.p.rect(self.ctl("Guess cell 3"))
                found = [o for o in found if row.y <= self.p.rect(o).centre()[1] < row.y + row.height]
            self.assertEqual(1, len(found), f"controls named {name!r}")
            self.controls[name] = found[0]
        return self.controls[name]

    def wait_fill(self, name, colour, timeout=3.0):
        rect = self.p.rect(self.ctl(name))
        harness.wait_for(f"{name} to show {colour}", lambda: self.p.fill(rect) == COLOUR[colour], timeout)

    def cursor_colour(self):
        """The colour of the pointer if it is a disc of one colour, else what it is."""
        width, height, pixels = self.p.cursor()
        opaque = {pixel[:3] for pixel in pixels if pixel[3] == 255}
        centre = pixels[height // 2 * width + width // 2]
        corners = [pixels[0], pixels[width - 1], pixels[-width], pixels[-1]]
        if len(opaque) == 1 and centre[3] == 255 and not any(alpha for *_, alpha in corners):
            return NAME_OF.get(centre[:3])
        return f"{width}x{height} image in {sorted(opaque)[:3]}"

    def pick_with_mouse(self, colour):
        self.p.click(self.ctl(colour))
        harness.wait_for(f"the pointer to become the {colour} disc", lambda: self.cursor_colour() == colour)

    def focused(self, hint=None):
        """The focused control of the main window, looked for first where it is expected."""
        candidates = ([self.ctl(hint)] if hint else []) + self.focusable
        return harness.wait_for("a focused control", lambda: next(
            (o.name for o in candidates if self.p.has(o, "focused")), None), 3)

    def walk_to(self, target):
        """Tab or Shift+Tab to target, noting whether each control the focus lands on shows it."""
        p, window, current = self.p, self.p.rect(self.main), self.focused()
        order = {name: i for i, name in enumerate(TAB_ORDER)}
        step = 1 if order.get(target, 99) > order.get(current, -1) else -1
        for _ in range(60):
            if current == target:
                return
            at = order.get(current, -99) + step
            before = p.grab(window)
            p.key("Tab" if step == 1 else "shift+Tab")
            hint = TAB_ORDER[at] if 0 <= at < len(TAB_ORDER) else None

            def moved():
                landed = self.focused(hint)
                return landed if landed != current else None

            now = harness.wait_for(f"the focus to leave {current!r}", moved)
            box = p.rect(self.ctl(now)).inset(1)  # neighbouring palette buttons overlap by a pixel
            # The game's own focus marks must stand out at 3:1 over at least a side's worth of pixels;
            # the platform's buttons need only change.
            ratio, least = (FOCUS_CONTRAST, min(box.width, box.height)) if now in SHOWN + CELLS else (1, 1)
            unfocused = p.crop(before, window, box)
            look = f"{now} painted {NAME_OF.get(p.fill(box))}" if now in CELLS else now
            if look not in self.unseen_focus:  # judged once: waiting again for the same look would only cost time
                try:
                    harness.wait_for(f"{now} to show its focus",
                                     lambda: p.contrasting(unfocused, p.grab(box), ratio) >= least, 2)
                    self.seen_focus.add(now)
                except AssertionError:
                    self.unseen_focus.append(look)
            current = now
        self.fail(f"Tab never brought the focus to {target!r}")

    def expect_message(self, title, text):
        box = self.p.window(title)
        self.assertEqual([text], [o.name for o in self.p.all(box, "label") if o.name], f"the {title!r} box")
        self.assertEqual(["OK"], [o.name for o in self.p.all(box, "push button")], f"the {title!r} box")
        self.p.key("Return")
        harness.wait_for(f"{title!r} to close", lambda: not self.p.windows(title))
        self.main = self.p.focus_window("Tintwise")

    def use_record_menu(self, keys, box, files):
        self.p.key(*keys)
        if box:
            self.expect_message(*box)
        for name, content in files.items():
            harness.wait_for(f"{name} to hold {content!r}", lambda: self.p.game.record_file(name) == content)

    def ctrl_x_ends_game(self, control):
        self.walk_to(control)
        pressed = time.monotonic()
        self.p.key("ctrl+x")
        try:
            self.p.game.process.wait(CTRL_X_LIMIT + 2)
        except subprocess.TimeoutExpired:
            self.fail(f"Ctrl+X with {control!r} focused left the game running")
        took = time.monotonic() - pressed
        self.assertLessEqual(took, CTRL_X_LIMIT, f"Ctrl+X with {control!r} focused took {took:.2f} s")

    def test_1_game_lost_with_the_mouse_shows_the_secret(self):
        p = self.launch(FROZEN_CLOCK)
        for row in MENU_ON_A_FRESH_DIRECTORY:
            self.use_record_menu(*row)
        for number, guess in enumerate(MOUSE_GUESSES, 1):
            for colour in dict.fromkeys(guess):
                self.pick_with_mouse(colour)
                for cell in (c for c, wanted in zip(CELLS, guess) if wanted == colour):
                    p.click(self.ctl(cell))
                    self.wait_fill(cell, colour)
            p.click(self.ctl("Correct?"))
            if number == len(MOUSE_GUESSES):
                break
            row = f"History row {number}"
            harness.wait_for(f"{row} to show", lambda: p.has(self.ctl(f"{row}, cell 1"), "showing"))
            for n, colour in enumerate(guess, 1):
                self.wait_fill(f"{row}, cell {n}", colour)
            for cell in CELLS:
                self.wait_fill(cell, "Empty")
            counts = [self.ctl(f"{row}, Correct"), self.ctl(f"{row}, Out of Place")]
            self.assertTrue(all(len(p.colours(p.rect(box).inset(3))) > 1 for box in counts), f"{row}'s counts")
            if number == 1:
                with self.subTest("history row 1 through AT-SPI, as drawn"):
                    spoken = [p.text(box) for box in counts]
                    self.assertTrue(all(t in "01234" and len(t) == 1 for t in spoken) and sum(map(int, spoken)) <= 4,
                                    f"{row}'s counts read {spoken}")
                    self.assertEqual(list(guess), [p.text(self.ctl(f"{row}, cell {n}")) for n in range(1, 5)])
                    self.assertEqual(["Empty"] * 4 + ["", ""],
                                     [p.text(self.ctl(name)) for name in CELLS + ["Correct", "Out of Place"]])
        self.expect_message(*GAME_OVER)
        secret_cells = [self.ctl(f"Secret cell {n}") for n in range(1, 5)]
        self.assertTrue(all(p.has(cell, "showing") for cell in secret_cells), "the secret is not shown")
        secret = [NAME_OF.get(p.fill(p.rect(cell))) for cell in secret_cells]
        self.assertEqual(4, len(set(secret) & set(SHOWN)), f"the secret on screen: {secret}")
        PlayedOnScreen.secret = secret
        with self.subTest("the secret's colours through AT-SPI"):
            self.assertEqual(secret, [p.text(cell) for cell in secret_cells])
        with self.subTest("every history row's counts through AT-SPI"):
            self.assertEqual([score(secret, guess) for guess in MOUSE_GUESSES[:9]],
                             [(p.text(self.ctl(f"History row {r}, Correct")),
                               p.text(self.ctl(f"History row {r}, Out of Place"))) for r in range(1, 10)])
        self.ctrl_x_ends_game(CTRL_X_FOCUS["mouse"])

    def test_2_first_guess_wins_the_same_secret(self):
        if not PlayedOnScreen.secret:
            self.skipTest("the first launch showed no secret to win with")
        p = self.launch(FROZEN_CLOCK)
        for cell, colour in zip(CELLS, PlayedOnScreen.secret):
            self.pick_with_mouse(colour)
            p.click(self.ctl(cell))
            self.wait_fill(cell, colour)
        p.click(self.ctl("Correct?"))
        self.expect_message("Fastest Time", "Congratulations! You Have the New Fastest Intermediate Time of 1")
        harness.wait_for("Interm.txt to hold the record", lambda: p.game.record_file("Interm.txt") == b'"1"\r\n')
        with self.subTest("the winning counts through AT-SPI"):
            self.assertEqual(["4", "0"], [p.text(self.ctl(n)) for n in ("Correct", "Out of Place")])
        for keys, box, files in MENU_AFTER_THE_WIN:
            with self.subTest(menu=" ".join(keys)):
                self.use_record_menu(keys, box, files)
        self.ctrl_x_ends_game(CTRL_X_FOCUS["win"])

    def test_3_keyboard_alone_plays_a_game_to_its_end(self):
        p = self.launch()
        with self.subTest("How To Play and the about window, by keyboard"):
            self.about_window_by_keyboard()
        if p.windows("About Tintwise"):  # left open by a failure above
            p.focus_window("About Tintwise")
            p.key("Escape")
            self.main = p.focus_window("Tintwise")
        unpainted = []
        for number, (first, second) in enumerate(KEYBOARD_GUESSES, 1):
            for colour, cells in ((first, (1, 2)), (second, (3, 4))):
                self.walk_to(colour)
                p.key("space")
                harness.wait_for(f"the pointer to become the {colour} disc", lambda: self.cursor_colour() == colour)
                for n in cells:
                    self.walk_to(CELLS[n - 1])
                    p.key(PAINT_KEYS[n])
                    try:  # once a key has failed to paint, the rest fail alike: no long waits for them
                        self.wait_fill(CELLS[n - 1], colour, 0.2 if unpainted else 3.0)
                    except AssertionError:
                        unpainted.append(f"guess {number} cell {n} by {PAINT_KEYS[n]}")
            if number < len(KEYBOARD_GUESSES):
                p.key("alt+c")
                harness.wait_for(f"guess {number} in the history",
                                 lambda: p.has(self.ctl(f"History row {number}, cell 1"), "showing"))
            else:
                self.walk_to("Correct?")
                p.key("space")
        self.expect_message(*GAME_OVER)
        self.ctrl_x_ends_game(CTRL_X_FOCUS["keyboard"])
        with self.subTest("Space and Enter paint a focused guess cell"):
            if unpainted:
                self.fail(f"{len(unpainted)} of 40 cells left unpainted, first {unpainted[:2]}")
        with self.subTest(f"the focus shows at {FOCUS_CONTRAST}:1 on every palette button and guess cell"):
            self.assertEqual([], self.unseen_focus, "focused, but not visibly")
            self.assertEqual(set(), set(SHOWN + CELLS) - self.seen_focus, "never seen focused")

    def about_window_by_keyboard(self):
        p = self.p
        p.key("ctrl+h")
        about = p.window("About Tintwise")
        labels = [o.name for o in p.all(about, "label")]
        self.assertIn("Version 3.1", labels)
        self.assertEqual(1, len([t for t in labels if t.startswith("Tintwise is a game that requires concentration")
                                 and t.endswith("That\u2019s it.  Have Fun!")]), labels)
        buttons = {o.name: o for o in p.all(about, "push button")}
        harness.wait_for("OK to have the focus", lambda: p.has(buttons["OK"], "focused"))
        links = p.all(about, "link")
        self.assertEqual([WEB_ADDRESS], [link.name for link in links], "links of the about window")
        controls = dict(buttons, **{WEB_ADDRESS: links[0]})
        for key, name in ABOUT_KEYS:
            p.key(key)
            harness.wait_for(f"{key} to focus {name!r}", lambda: p.has(controls[name], "focused"))
        p.key("Return")
        harness.wait_for("the link to be opened", lambda: DESKTOP.opened_addresses() == [WEB_ADDRESS])
        p.key("Escape")
        harness.wait_for("the about window to close", lambda: not p.windows("About Tintwise"))
        self.main = p.focus_window("Tintwise")


def main():
    global EXECUTABLE, DESKTOP
    EXECUTABLE, DESKTOP, started = os.path.abspath(sys.argv[1]), harness.Desktop(), time.monotonic()

    def stop(signum=None, frame=None):
        print(f"stopping on signal {signum}" if signum else f"stopping after {WATCHDOG} s", file=sys.stderr)
        DESKTOP.stop()
        os._exit(128 + signum if signum else 124)

    for signum in (signal.SIGTERM, signal.SIGINT, signal.SIGHUP):
        signal.signal(signum, stop)
    watchdog = threading.Timer(WATCHDOG, stop)
    watchdog.daemon = True
    watchdog.start()
    try:
        DESKTOP.start()
        os.environ.update(DESKTOP.env)  # AT-SPI finds the accessibility bus through these
        os.environ.pop("AT_SPI_BUS_ADDRESS", None)
        result = unittest.main(argv=sys.argv[:1] + sys.argv[2:], exit=False, verbosity=2, warnings="ignore").result
    finally:
        DESKTOP.stop()
    if SPLASH_GAPS:
        print("splash to main window: " + ", ".join(f"{gap:.3f}" for gap in SPLASH_GAPS) +
              f" s (median {statistics.median(SPLASH_GAPS):.3f} s)")
    print(f"end-to-end run: {time.monotonic() - started:.1f} s", flush=True)
    sys.exit(0 if result.wasSuccessful() else 1)


if __name__ == "__main__":
    main()
