"""test_orca.py: a blind player's game, by keyboard alone, as Orca speaks it."""
# Usage: /usr/bin/python3 -B test_orca.py PATH/TO/tintwise [unittest arguments]
# Orca listens on a private desktop; the test presses keys as a player would (Tab, Space, Alt+C and
# Orca's own keypad commands) and reads back what Orca said. Guess g picks the g-th colour before
# Guess cell 1 in the Tab order and paints that cell with it; the tenth guess loses.

import contextlib
import os
import re
import sys
import unittest

import harness
import orca_session

COLOURS = ["Light Green", "Light Blue", "Gray", "White", "Yellow", "Magenta", "Red", "Cyan", "Green", "Blue"]
NAMES = "|".join(COLOURS + ["Black"])
COUNTS = r"Guess {}: (\d) Correct, (\d) Out of Place"
SECRET = rf"Secret: ({NAMES}), ({NAMES}), ({NAMES}), ({NAMES})"
LOSS = r"Sorry, You Lose! To Play Again, Push Start\."
ROW = r"^{} Empty Empty Empty (\d) (\d)"  # a history row in flat review: guess g paints only its first cell
WAIT = 3.0  # seconds for a result to be spoken, with no key pressed meanwhile
EXECUTABLE, DESKTOP = None, None


class HeardByEar(unittest.TestCase):
    def press(self, *keys):  # at a brisk player's pace; gives how much Orca had said before the keys
        since = len(orca_session.spoken())
        self.game.xdotool("key", "--delay", 50, *keys)
        return since

    def heard(self, what, since, timeout=WAIT):  # the first utterance since then that matches, or None
        with contextlib.suppress(AssertionError):
            return harness.wait_for(what, lambda: next(
                (line for line in orca_session.spoken()[since:] if re.search(what, line)), None), timeout)

    def move(self, keys, name):  # then waits for Orca to name the control reached, as a player listens
        self.assertTrue(self.heard(rf"^{name}\b", self.press(*keys), 10), orca_session.spoken()[-8:])

    def test_a_lost_game_by_keyboard_alone(self):
        self.game = harness.Game(DESKTOP, EXECUTABLE)
        self.addCleanup(harness.stop_group, self.game.process)
        self.heard("^Start push button", 0, 30)  # the main window is up, Start has the focus
        hidden = self.heard(".", self.press("KP_Page_Up"))  # flat review, the line below Start's
        self.move(["shift+Tab"] * 6, "Guess cell 1")
        counts = []
        for g, colour in enumerate(COLOURS, 1):
            self.move(["shift+Tab"] * g, colour)
            since = self.press("space")
            if g == 1:  # the pick, then Orca's "where am I" on the button just picked
                picked = self.heard(f"^notification Picked {colour}", since)
                since = self.press("KP_Enter")
                where = self.heard(f"^{colour} radio button", since) and self.heard("^selected", since)
            self.move(["Tab"] * g, "Guess cell 1")
            since = self.press("space")
            if g == 1:
                painted = self.heard(f"^notification Guess cell 1: {colour}", since)
            since = self.press("alt+c")
            if g < len(COLOURS):
                counts.append(self.heard("^notification " + COUNTS.format(g), since))
        loss, end = self.heard(LOSS, since, 10), self.heard(f"^notification {COUNTS.format(10)}. {SECRET}", since)
        told, secret = orca_session.spoken()[since:], re.search(SECRET, end).groups() if end else ()
        self.heard("^Start push button", self.press("Return"))  # the box closes, the focus goes back to Start
        # Flat review: the line below Start's (the secret's), Orca+KP_Page_Up to the bottom line, the one above.
        looked = [self.heard(line, self.press(key)) for key, line in (
            ("KP_Page_Up", re.escape(" ".join(secret)) or "^$."), ("KP_Insert+KP_Page_Up", ROW.format(COLOURS[0])),
            ("KP_Home", ROW.format(COLOURS[1])))]

        wanted = [(str(int(secret[:1] == (c,))), str(int(c in secret[1:]))) if secret else "?" for c in COLOURS]
        with self.subTest("a pick and a paint are spoken, and where am I finds the picked button selected"):
            self.assertTrue(picked and where and painted, f"{picked!r}, {where!r}, {painted!r}")
        with self.subTest("every guess's counts are spoken at once"):
            self.assertEqual(wanted, [re.search(COUNTS.format(g), c).groups() if c else None
                                      for g, c in enumerate(counts + [end], 1)])
        with self.subTest("the loss is read out, then the secret"):
            self.assertTrue(loss and end and told.index(loss) < told.index(end), told)
        with self.subTest("flat review reads the secret, once shown, and two history rows with their counts"):
            self.assertNotRegex(hidden, NAMES)
            self.assertEqual([" ".join(secret) or "the secret", *wanted[:2]], looked[:1] + [
                line and re.search(ROW.format(c), line).groups() for c, line in zip(COLOURS, looked[1:])])


def main():
    global EXECUTABLE, DESKTOP
    if os.geteuid() != 0:  # CTest counts 77 as skipped
        print("skipped: Orca's PID namespace needs root, as CI has; without one Orca would replace yours")
        sys.exit(77)
    EXECUTABLE, DESKTOP = os.path.abspath(sys.argv.pop(1)), harness.Desktop()
    sys.exit(0 if harness.run(DESKTOP, 80, lambda: orca_session.start(DESKTOP)) else 1)  # 80 s: before CTest's 90


if __name__ == "__main__":
    main()
