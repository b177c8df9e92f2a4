"""test_e2e.py: the game as a player and a screen reader meet it on a real X server."""
# Usage: /usr/bin/python3 -B test_e2e.py PATH/TO/tintwise [unittest arguments]
# Three launches, each costing five seconds of splash: a game lost with the mouse on a frozen wall
# clock; a game played with the keyboard alone, its records menu and about window too, lost and
# ended with Ctrl+X; then a first-guess win of the secret the first showed, painted with the mouse
# and ended by SIGTERM while its box is open. The keyboard game's clock runs: under the sanitizers,
# any program the game starts (the browser, here a stand-in) hangs with libfaketime preloaded.

import os
import signal
import sys
import time
import unittest

import harness

# The Intermediate palette, where every launch starts, by the names a screen reader speaks, with its colours.
PALETTE = {"Black": (0, 0, 0), "Blue": (0, 0, 128), "Green": (0, 128, 0), "Cyan": (0, 128, 128), "Red": (128, 0, 0),
           "Magenta": (128, 0, 128), "Yellow": (128, 128, 0), "White": (192, 192, 192), "Gray": (128, 128, 128),
           "Light Blue": (0, 0, 255), "Light Green": (0, 255, 0)}
NAME_OF = {rgb: name for name, rgb in dict(PALETTE, Empty=(255, 255, 255)).items()}
CELLS = [f"Guess cell {n}" for n in range(1, 5)]
TAB_ORDER = ["Start", "Correct?", "Exit", *PALETTE, *CELLS]
MARKED = set(TAB_ORDER[3:])  # the controls whose focus mark the game draws itself
FOCUS_CONTRAST = 3.0  # WCAG's least contrast for a focus indicator against the unfocused look
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
PAINT_KEYS = ["space", "Return", "KP_Enter", "space"]  # the key that paints each focused guess cell
# The about window: the key pressed and the control it focuses, from "OK"; then Enter opens the link.
ABOUT_KEYS = [("Tab", "System Info..."), ("Tab", WEB_ADDRESS), ("Tab", "Support"), ("shift+Tab", WEB_ADDRESS)]
CTRL_X_LIMIT = 1.0  # seconds from the key to the end of the process
SIGNAL_LIMIT = 3.0  # seconds from SIGTERM to the end of the process
WATCHDOG = 240  # seconds; stops everything before CTest's TIMEOUT would kill this process alone
EXECUTABLE, DESKTOP, SPLASH_GAPS = None, None, []


class PlayedOnScreen(unittest.TestCase):
    secret = None  # shown by the game lost in the first launch; the third launch wins with it

    def launch(self, frozen_clock=None):
        self.p = p = harness.Game(DESKTOP, EXECUTABLE, frozen_clock)
        # Cleanups run last first: the game is stopped, then what it wrote to standard error is logged.
        self.addCleanup(lambda: p.errors() and print(f"\n--- the game's standard error in {self.id()}:\n"
                                                     f"{p.errors()}--- end", file=sys.stderr))
        self.addCleanup(harness.stop_group, p.process)
        maps = [(seen, title) for seen, title in p.come_up("Tintwise", 25) if title]
        SPLASH_GAPS.append(maps[-1][0] - maps[0][0])
        with self.subTest("the splash comes first, for at least five seconds"):
            self.assertEqual(" ", maps[0][1], "the first window on screen")
            self.assertTrue(SPLASH_LEAST <= SPLASH_GAPS[-1] <= SPLASH_MOST,
                            f"main window mapped {SPLASH_GAPS[-1]:.3f} s after the splash")
        self.main, self.controls, self.judged = p.focus_window("Tintwise"), {}, set()
        return p

    def ctl(self, name):
        # A main-window control by accessible name; the heading "Correct" is a label, the count box not.
        if name not in self.controls:
            found = self.p.atspi.findAllDescendants(
                self.main, lambda o: o.name == name and o.getRoleName() not in ("label", "menu item"))
            self.assertEqual(1, len(found), f"controls named {name!r}")
            self.controls[name] = found[0]
        return self.controls[name]

    def wait_fill(self, name, colour, timeout=3.0):
        box = self.p.rect(self.ctl(name))
        harness.wait_for(f"{name} to show {colour}", lambda: NAME_OF.get(self.p.fill(box)), timeout, want=colour)

    def press(self, name, key=None):
        # Clicks a control, or Tabs to it and presses the key.
        if key:
            self.walk_to(name)
            self.p.key(key)
        else:
            self.p.click(self.ctl(name))

    def paint(self, guess, keys=(None,) * 4):
        # Picks each colour of the guess and paints its cells, by mouse or by keyboard.
        for colour in dict.fromkeys(guess):
            self.press(colour, keys[0] and "space")
            harness.wait_for(f"the pointer to become the {colour} disc",
                             lambda: NAME_OF.get(self.p.pointer(), "not a disc of one colour"), want=colour)
            for cell, wanted, key in zip(CELLS, guess, keys):
                if wanted == colour:
                    self.press(cell, key)
                    self.wait_fill(cell, colour)

    def walk_to(self, target):
        # Tabs the short way to target. The focus mark of each palette button and guess cell passed must
        # stand out at 3:1 over at least a side's worth of pixels, on each colour the cell takes.
        p = self.p
        here = TAB_ORDER.index(harness.wait_for("a focused control", lambda: next(
            (name for name in TAB_ORDER if p.has(self.ctl(name), "focused")), None)))
        step = 1 if TAB_ORDER.index(target) > here else -1
        while TAB_ORDER[here] != target:
            here += step
            name = TAB_ORDER[here]
            box = p.rect(self.ctl(name)).inset(1)  # neighbouring palette buttons overlap by a pixel
            before, look = p.grab(box), (name, NAME_OF.get(p.fill(box)))
            p.key("Tab" if step == 1 else "shift+Tab")
            harness.wait_for(f"Tab to focus {name!r}", lambda: p.has(self.ctl(name), "focused"), 3)
            if name in MARKED and look not in self.judged:
                harness.wait_for(f"{name} on {look[1]} to show its focus", lambda: harness.contrasting(
                    before, p.grab(box), FOCUS_CONTRAST) >= min(box.width, box.height), 2)
                self.judged.add(look)

    def expect_message(self, title, text, while_open=lambda: None, close=True):
        box = self.p.window(title)
        labels, buttons = ([o.name for o in self.p.all(box, role) if o.name] for role in ("label", "push button"))
        self.assertEqual(([text], ["OK"]), (labels, buttons), f"the {title!r} box")
        while_open()
        if close:  # with no window manager here, only the game itself can give the keyboard back
            self.p.key("Return")
            harness.wait_for(f"{title!r} to close", lambda: not self.p.windows(title))
            harness.wait_for("the keyboard back on the main window", lambda: self.p.has(self.main, "active"))

    def ends_cleanly(self, started, limit, how):
        # The game ends within limit seconds of started, with status 0, and no sanitizer has anything to report.
        status = self.p.process.wait(limit + 2)
        took = time.monotonic() - started
        self.assertLessEqual(took, limit, f"{how} took {took:.2f} s")
        self.assertEqual(0, status, f"exit status after {how}")
        self.assertIsNone(harness.SANITIZER_REPORT.search(self.p.errors()), "a sanitizer's report")

    def ctrl_x_ends_game(self, control):
        self.walk_to(control)
        pressed = time.monotonic()
        self.p.key("ctrl+x")
        self.ends_cleanly(pressed, CTRL_X_LIMIT, f"Ctrl+X with {control!r} focused")

    def lost_shows_the_secret(self):
        # The board is drawn before the box opens, so the secret shows behind it.
        cells = [self.ctl(f"Secret cell {n}") for n in range(1, 5)]
        shown = lambda: [NAME_OF.get(self.p.fill(self.p.rect(cell))) for cell in cells]  # noqa: E731
        behind_the_box = []
        self.expect_message(*GAME_OVER, while_open=lambda: behind_the_box.extend(shown()))
        secret = shown()
        self.assertEqual(secret, behind_the_box, "the secret while the box was open")
        self.assertEqual(4, len(set(secret) & set(PALETTE)), f"the secret on screen: {secret}")
        return secret

    def test_1_game_lost_with_the_mouse_shows_the_secret(self):
        p = self.launch(FROZEN_CLOCK)
        for number, guess in enumerate(MOUSE_GUESSES, 1):
            self.paint(guess)
            p.click(self.ctl("Correct?"))
            if number == 1:  # the guess moves into history row One, its counts drawn, and the cells empty
                for n, colour in enumerate(guess, 1):
                    self.wait_fill(f"History row 1, cell {n}", colour)
                for cell in CELLS:
                    self.wait_fill(cell, "Empty")
                for name in ("Correct", "Out of Place"):
                    self.assertIsNone(p.fill(p.rect(self.ctl(f"History row 1, {name}"))), f"row One's {name}")
        PlayedOnScreen.secret = self.lost_shows_the_secret()
        self.ctrl_x_ends_game("Blue")

    def test_2_keyboard_alone_plays_a_game_to_its_end(self):
        p = self.launch()
        p.key("ctrl+h")
        about = p.window("About Tintwise")
        labels = [o.name for o in p.all(about, "label")]
        self.assertIn("Version 3.1", labels)
        self.assertTrue(any(t.startswith("Tintwise is a game that requires concentration")
                            and t.endswith("That\u2019s it.  Have Fun!") for t in labels), labels)
        controls = {o.name: o for o in p.all(about, "push button") + p.all(about, "link")}  # the link by its address
        harness.wait_for("OK to have the focus", lambda: p.has(controls["OK"], "focused"))
        for key, name in ABOUT_KEYS:
            p.key(key)
            harness.wait_for(f"{key} to focus {name!r}", lambda: p.has(controls[name], "focused"))
        p.key("Return")
        harness.wait_for("the link to be opened", lambda: open(DESKTOP.opened).read().split(), want=[WEB_ADDRESS])
        p.key("Escape")
        harness.wait_for("the about window to close", lambda: not p.windows("About Tintwise"))
        self.main = p.focus_window("Tintwise")
        with open(os.path.join(p.dir, "Advance.txt"), "wb") as edited:  # a hand-edited line is shown as it is
            edited.write(b"<b>9</b>\xe9\r\n")
        p.key("alt+f", "v", "d")  # File > View Fastest Times > Advanced
        self.expect_message("Fastest Advanced Time", "The Fastest Advanced Time is <b>9</b>\u00e9")
        p.key("alt+f", "r")  # File > Reset Fastest Times, which says nothing when it works
        for name in ("Begin.txt", "Interm.txt", "Advance.txt"):
            harness.wait_for(f"{name} to be reset", lambda: p.record(name), want=NO_RECORD)
        p.key("alt+f", "Down", "Down", "Right", "Down", "Return")  # Intermediate, by the arrow keys
        self.expect_message("Fastest Intermediate Time", "No Fastest Intermediate Time has been Established.")
        for number, (first, second) in enumerate(KEYBOARD_GUESSES, 1):
            guess = (first, first, second, second)
            self.paint(guess, PAINT_KEYS)
            if number == len(KEYBOARD_GUESSES):
                break
            p.key("alt+c")
            harness.wait_for(f"guess {number} in the history",
                             lambda: p.has(self.ctl(f"History row {number}, cell 1"), "showing"))
        self.press("Correct?", "space")
        secret = self.lost_shows_the_secret()
        # The losing guess stays in its cells, with its counts against the secret.
        counts = [sum(s == g for g, s in zip(guess, secret)), sum(s in guess and s != g for g, s in zip(guess, secret))]
        self.assertEqual([str(n) for n in counts], [p.text(self.ctl(n)) for n in ("Correct", "Out of Place")])
        self.ctrl_x_ends_game("Guess cell 1")
        self.assertEqual(set(), MARKED - {name for name, _ in self.judged}, "never seen focused")

    def test_3_a_first_guess_win_is_kept_though_ended_while_announced(self):
        if not PlayedOnScreen.secret:
            self.skipTest("the first launch showed no secret to win with")
        p = self.launch(FROZEN_CLOCK)
        self.paint(PlayedOnScreen.secret)  # by mouse, the same clock having drawn the same secret
        p.click(self.ctl("Correct?"))
        # A logout or a shutdown sends SIGTERM, which may come while the box is open.
        self.expect_message("Fastest Time", "Congratulations! You Have the New Fastest Intermediate Time of 1",
                            close=False)
        sent = time.monotonic()
        p.process.send_signal(signal.SIGTERM)
        self.ends_cleanly(sent, SIGNAL_LIMIT, "SIGTERM with the box open")
        self.assertEqual(b'"1"\r\n', p.record("Interm.txt"), "the record the box announced")


def main():
    global EXECUTABLE, DESKTOP
    EXECUTABLE, DESKTOP, started = os.path.abspath(sys.argv.pop(1)), harness.Desktop(), time.monotonic()
    passed = harness.run(DESKTOP, WATCHDOG)
    print("splash to main window: " + ", ".join(f"{gap:.3f}" for gap in SPLASH_GAPS) + " s")
    print(f"end-to-end run: {time.monotonic() - started:.1f} s", flush=True)
    sys.exit(0 if passed else 1)


if __name__ == "__main__":
    main()
