"""orca_session.py: Orca listening on a harness desktop, speaking into nothing, its speech read back."""

import os
import shutil

import desktops
import harness

# Orca loads this at start: every utterance it sends to the synthesizer also goes to the log, a
# line each and written at once, so nothing is lost when Orca is killed. Its own debug log would
# hold them too, but describing every event slows Orca down until it drops events as a flood.
CUSTOMIZATIONS = """import orca.speech
log, speak = open({!r}, "w", buffering=1), orca.speech._speak
orca.speech._speak = lambda text, *args: (log.write(" ".join(text.split()) + "\\n"), speak(text, *args))
"""
spoken = None  # set by start()
FILES = {"config/speech-dispatcher/speechd.conf": 'AudioOutputMethod "libao"\nDefaultModule espeak-ng\n',
         ".libao": "default_driver=null\n",  # eSpeak NG really speaks, into nothing
         "data/orca/orca-customizations.py": CUSTOMIZATIONS}


def start(desktop):
    # Starts a window manager and Orca, with a home and settings of their own; then spoken() gives
    # everything Orca has said so far, an utterance a line. Without a window manager Orca stays
    # silent until a window is given the focus by hand. Orca refuses to start beside another Orca and
    # ends on SIGTERM only when an event comes after it: in a PID namespace of its own it sees no
    # other, and stopping unshare ends it and the speech-dispatcher it started.
    home = os.path.join(desktop.root, "orca-home")
    log = os.path.join(home, "spoken.txt")
    for name, text in FILES.items():
        os.makedirs(os.path.dirname(os.path.join(home, name)), exist_ok=True)
        with open(os.path.join(home, name), "w") as file:
            file.write(text.format(log) if name.endswith(".py") else text)
    env = dict(desktop.env, HOME=home, XDG_CONFIG_HOME=f"{home}/config", XDG_DATA_HOME=f"{home}/data")
    desktops.start_window_manager(desktop, "metacity")
    desktop.spawn(["unshare", "--pid", "--fork", "--mount-proc", "--kill-child", shutil.which("orca")], env=env)

    global spoken

    def spoken():
        with open(log, errors="replace") as said:
            return said.read().splitlines()

    harness.wait_for("Orca to speak", spoken, 30)
