"""test_orca.py: a blind player's game, by keyboard alone, as Orca speaks it."""
# Usage: /usr/bin/python3 -B test_orca.py PATH/TO/tintwise [unittest arguments]
# Orca listens on a private desktop; the test presses keys as a player would (Tab, Space, Alt+C and
# Orca's own keypad commands) and reads back what Orca said. Guess g picks the g-th colour before
# Guess cell 1 in the Tab order and paints that cell with it; the tenth guess loses.

import os
import re
import signal
import sys
import threading
import time
import unittest

import harness
import orca_session

COLOURS = ["Light Green", "Light Blue", "Gray", "White", "Yellow", "Magenta", "Red", "Cyan", "Green", "Blue"]
NAMES = "|".join(COLOURS + ["Black"])
COUNTS = r"Guess {}: (\d) Correct, (\d) Out of Place"
SECRET = rf"Secret: ({NAMES}), ({NAMES}), ({NAMES}), ({NAMES})"
LOSS = r"^Sorry, You Lose! To Play Again, Push Start\.$"
WAIT = 3.0  # seconds for a result to be spoken, with no key pressed meanwhile
WATCHDOG = 80  # seconds; stops everything before CTest's TIMEOUT would kill this process alone
EXECUTABLE, DESKTOP, SPOKEN = None, None, None


class HeardByEar(unittest.TestCase):
    def press(self, *keys):  # gives how much Orca had said before the keys
        since = len(SPOKEN())
        self.game.key(*keys)
        return since

    def heard(self, what, since, timeout=WAIT):  # the first utterance since then that matches, or None
        deadline = time.monotonic() + timeout
        while True:
            line = next((line for line in SPOKEN()[since:] if re.search(what, line)), None)
            if line or time.monotonic() > deadline:
                return line
            time.sleep(0.05)

    def move(self, keys, name):  # then waits for Orca to name the control reached, as a player listens
        self.assertTrue(self.heard(rf"^{name}\b", self.press(*keys), 10), f"focus on {name}")

    def test_a_lost_game_by_keyboard_alone(self):
        self.game = harness.Game(DESKTOP, EXECUTABLE)
        self.addCleanup(harness.stop_group, self.game.process)
        self.heard("^Start push button", 0, 30)  # the main window is up, Start has the focus
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
        told = SPOKEN()[since:]
        since = self.press("Return")  # closes the box; the focus goes back to Start
        self.heard("^Start push button", since)
        # Flat review: the line below Start's (the secret's), Orca+KP_Page_Up to the bottom line, the one above.
        for key in ("KP_Page_Up", "KP_Insert+KP_Page_Up", "KP_Home"):
            self.heard(".", self.press(key))
        review = SPOKEN()[since:]

        secret = re.search(SECRET, end).groups() if end else ()
        wanted = [(str(int(secret[:1] == (c,))), str(int(c in secret[1:]))) for c in COLOURS]
        with self.subTest("a pick is spoken, and where am I finds the picked button selected"):
            self.assertTrue(picked and where, f"pick: {picked!r}, where am I: {where!r}")
        with self.subTest("a paint is spoken"):
            self.assertTrue(painted)
        with self.subTest("every guess's counts are spoken at once"):
            self.assertEqual(wanted, [re.search(COUNTS.format(g), c).groups() if c else None
                                      for g, c in enumerate(counts + [end], 1)])
        with self.subTest("the loss is read out, then the secret"):
            self.assertTrue(loss and end and told.index(loss) < told.index(end), told)
        with self.subTest("flat review reads the secret and two history rows with their counts"):
            self.assertIn(" ".join(secret) or "the secret", review)
            self.assertEqual([(c, *n) for c, n in zip(COLOURS, wanted)][:2],
                             re.findall(rf"({NAMES}) Empty Empty Empty (\d) (\d)", "\n".join(review)), review)


def main():
    global EXECUTABLE, DESKTOP, SPOKEN
    if os.geteuid() != 0:  # CTest counts 77 as skipped
        print("skipped: Orca's PID namespace needs root, as CI has; without one Orca would replace yours")
        sys.exit(77)
    EXECUTABLE, DESKTOP, started = os.path.abspath(sys.argv.pop(1)), harness.Desktop(), time.monotonic()

    def stop(signum=None, frame=None):  # on a signal, or when a hung run outlasts the watchdog (124)
        DESKTOP.stop()
        os._exit(128 + signum if signum else 124)

    for signum in (signal.SIGTERM, signal.SIGINT, signal.SIGHUP):
        signal.signal(signum, stop)
    threading.Thread(target=lambda: time.sleep(WATCHDOG) or stop(), daemon=True).start()
    try:
        DESKTOP.start()
        SPOKEN = orca_session.start(DESKTOP)
        result = unittest.main(exit=False, verbosity=2, warnings="ignore").result
    finally:
        DESKTOP.stop()
    print(f"Orca run: {time.monotonic() - started:.1f} s", flush=True)
    sys.exit(0 if result.wasSuccessful() else 1)


if __name__ == "__main__":
    main()
