"""desktops.py: window managers and weston on the suite's X server, and what they say of the game's windows."""

import os
import subprocess

from Xlib import X, display

import harness

NORMAL, ICONIC = 1, 3  # WM_STATE
WESTON = (1024, 768)
# Qt's own frame on Wayland: its margins (left, top, right, bottom) in its plain colour, and its
# minimise button's middle, from the frame's top right corner.
QT_FRAME, QT_FRAME_GREY, QT_MINIMISE = (3, 30, 3, 3), 0xEF, (-63, 15)


def start_window_manager(desktop, name):
    screen = Screen(desktop.env["DISPLAY"])
    for stale in ("_NET_SUPPORTING_WM_CHECK", "_NET_CLIENT_LIST", "_NET_ACTIVE_WINDOW", "_NET_WORKAREA"):
        screen.root.delete_property(screen.x.intern_atom(stale))  # a window manager's before
    screen.x.sync()
    process = desktop.spawn([name], env=desktop.env)
    # The work area comes last of what it sets up, once it answers requests.
    harness.wait_for(f"{name} to manage the screen", lambda: screen.prop(screen.root, "_NET_WORKAREA"), 10)
    return process


def start_weston(desktop):
    # Weston as a window of the X server, whose keys and clicks it passes on; no panel (whose launcher a
    # stray click would start) and no locking. Gives the process and the WAYLAND_DISPLAY.
    socket, config = f"wayland-e2e-{os.getpid()}", os.path.join(desktop.root, "weston.ini")
    with open(config, "w") as ini:
        ini.write("[core]\nidle-time=0\n[shell]\npanel-position=none\nlocking=false\n")
    process = desktop.spawn(["weston", "--backend=x11-backend.so", "--use-pixman", f"--config={config}",
                             f"--socket={socket}", *(f"--{k}={v}" for k, v in zip(("width", "height"), WESTON))],
                            env=desktop.env)
    harness.wait_for("weston", lambda: os.path.exists(os.path.join(desktop.env["XDG_RUNTIME_DIR"], socket)), 15)
    # The keyboard stays with weston's window wherever the pointer goes.
    window = harness.wait_for("weston's window", lambda: subprocess.run(
        ["xdotool", "search", "--classname", "^weston"], env=desktop.env, capture_output=True, text=True).stdout.split())
    subprocess.run(["xdotool", "windowfocus", "--sync", window[0]], env=desktop.env, check=True)
    return process, socket


class Screen:
    """The X server as the window manager describes it."""

    def __init__(self, name):
        self.x = display.Display(name)
        self.root = self.x.screen().root
        self.x.xfixes_query_version()  # XFixes serves only clients that have told their version

    def prop(self, window, name, first=False):
        reply = window.get_full_property(self.x.intern_atom(name), X.AnyPropertyType)
        values = list(reply.value) if reply else []
        return (values or [None])[0] if first else values

    def states(self, window):
        return {self.x.get_atom_name(a) for a in self.prop(window, "_NET_WM_STATE")}

    def client(self, pid, title, exclude=None):
        # The top-level window of process pid titled title, once the window manager lists it.
        def find():
            seen = []
            for window in map(lambda id: self.x.create_resource_object("window", id),
                              self.prop(self.root, "_NET_CLIENT_LIST")):
                seen.append((self.prop(window, "_NET_WM_PID"), window.get_full_text_property(self.x.intern_atom(
                    "_NET_WM_NAME"))))
                if seen[-1] == ([pid], title) and window.id != exclude:
                    return window
            raise LookupError(f"not listed; listed: {seen}")
        return harness.wait_for(f"a window titled {title!r}", find, 10)

    def frame(self, window):  # the window with the frame the window manager drew, in root coordinates
        left, right, top, bottom = self.prop(window, "_NET_FRAME_EXTENTS") or (0, 0, 0, 0)
        at, size = self.root.translate_coords(window, 0, 0), window.get_geometry()
        return harness.Rect(at.x - left, at.y - top, size.width + left + right, size.height + top + bottom)

    def cursor(self):  # the pointer's image: size, hot spot, and the box around its opaque pixels
        image = self.x.xfixes_get_cursor_image(self.root)
        opaque = [(i % image.width, i // image.width) for i, p in enumerate(image.cursor_image) if p >> 24 == 255]
        (x0, y0), (x1, y1) = map(min, zip(*opaque)), map(max, zip(*opaque))
        return (image.width, image.height), (image.xhot, image.yhot), harness.Rect(x0, y0, x1 - x0 + 1, y1 - y0 + 1)

    def plane(self, rect, channel=0):  # one colour channel (0 blue, 1 green, 2 red) of rect, row by row
        return self.root.get_image(*rect, X.ZPixmap, 0xFFFFFFFF).data[channel::4]


def off_centre(inner, outer):  # the larger of the two axes' distances between the centres, in pixels
    return max(abs(i + n / 2 - o - m / 2) for i, n, o, m in ((inner.x, inner.width, outer.x, outer.width),
                                                            (inner.y, inner.height, outer.y, outer.height)))


def title_fits(screen, window, title, font):
    # Whether the frame above window shows its whole title: the span of its light pixels nearest the
    # middle (the icon and buttons stand apart by more than a letter's gap) is as wide as Pango sets it.
    import gi
    gi.require_version("PangoCairo", "1.0")
    from gi.repository import Pango, PangoCairo
    layout = Pango.Layout.new(PangoCairo.FontMap.get_default().create_context())
    layout.set_font_description(Pango.FontDescription.from_string(font))
    layout.set_text(title, -1)
    frame = screen.frame(window)
    bar = harness.Rect(frame.x, frame.y + 2, frame.width, screen.root.translate_coords(window, 0, 0).y - frame.y - 4)
    red = screen.plane(bar, 2)
    light = [x for x in range(bar.width) if any(red[y * bar.width + x] > 200 for y in range(bar.height))]
    runs = [[light[0], light[0]]]
    for x in light[1:]:
        runs += [[x, x]] if x - runs[-1][1] > 8 else []
        runs[-1][1] = x
    first, last = min(runs, key=lambda run: abs(run[0] + run[1] - bar.width))
    return last - first + 3 >= layout.get_pixel_size()[0]


def qt_frame_on_weston(screen, content):
    # Finds the frame Qt draws around a window of the given size in weston's output, by its plain grey
    # bands (top and bottom, left and right): its rectangle, or None.
    (left, top, right, bottom), (w, h) = QT_FRAME, WESTON
    width, height = content[0] + left + right, content[1] + top + bottom
    planes, band = [screen.plane(harness.Rect(0, 0, w, h), c) for c in range(3)], bytes([QT_FRAME_GREY])

    def plain(x, y, n, step=1):
        return all(p[y * w + x:y * w + x + n * step:step] == band * n for p in planes)

    for y in range(h - height):
        x = -1
        while (x := planes[0].find(band * content[0], y * w + x + 1, (y + 1) * w) - y * w) >= 0:
            if (x >= left and plain(x, y + height - 1, content[0]) and plain(x - left + 1, y + top, content[1], w)
                    and plain(x + content[0] + 1, y + top, content[1], w)):
                return harness.Rect(x - left, y, width, height)
    return None
