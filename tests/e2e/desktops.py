"""desktops.py: window managers and a Wayland compositor on the suite's X server, and what they say of a window."""

import os
import subprocess
import time

from Xlib import X

import harness

NORMAL, ICONIC = 1, 3  # WM_STATE values
WESTON_SIZE = (1024, 768)
# Qt's own frame on Wayland: margins (left, top, right, bottom), its background, and where its minimise
# button sits, measured from the frame's right edge and top.
QT_FRAME, QT_FRAME_COLOUR, QT_MINIMISE = (3, 30, 3, 3), (0xEF, 0xEF, 0xEF), (-63, 15)


def start_window_manager(desktop, name):
    # Starts openbox or metacity on the desktop's X server and waits until it manages the screen.
    screen = Screen(desktop.env["DISPLAY"])
    for stale in ("_NET_SUPPORTING_WM_CHECK", "_NET_CLIENT_LIST", "_NET_ACTIVE_WINDOW", "_NET_WORKAREA"):  # one before
        screen.root.delete_property(screen.atom(stale))
    screen.x.sync()
    process = desktop.spawn([name], env=desktop.env)
    # The work area comes last of what it sets up, once it answers requests.
    harness.wait_for(f"{name} to manage the screen", lambda: screen.prop(screen.root, "_NET_WORKAREA"), 10)
    screen.x.close()
    return process


def start_weston(desktop):
    # Weston as a window of the X server: xdotool's keys and clicks reach its clients, and a grab of
    # that window shows what they draw. Gives the process and the WAYLAND_DISPLAY to reach it.
    # No panel, whose launcher a stray click would start, and no locking of an idle screen.
    socket, config = f"wayland-e2e-{os.getpid()}", os.path.join(desktop.root, "weston.ini")
    with open(config, "w") as ini:
        ini.write("[core]\nidle-time=0\n[shell]\npanel-position=none\nlocking=false\n")
    process = desktop.spawn(["weston", "--backend=x11-backend.so", "--use-pixman", f"--config={config}",
                             f"--socket={socket}", f"--width={WESTON_SIZE[0]}", f"--height={WESTON_SIZE[1]}"],
                            env=desktop.env)
    path = os.path.join(desktop.env["XDG_RUNTIME_DIR"], socket)
    harness.wait_for("weston's socket", lambda: os.path.exists(path), 15)
    return process, socket


class Screen:
    """The X server as a window manager has described it: clients, their properties and frames."""

    def __init__(self, display_name):
        from Xlib import display
        self.x = display.Display(display_name)
        self.root = self.x.screen().root
        self.x.xfixes_query_version()  # XFixes serves only clients that have told their version

    def atom(self, name):
        return self.x.intern_atom(name)

    def prop(self, window, name):
        reply = window.get_full_property(self.atom(name), X.AnyPropertyType)
        return list(reply.value) if reply else None

    def states(self, window):  # _NET_WM_STATE, by name
        return {self.x.get_atom_name(a) for a in self.prop(window, "_NET_WM_STATE") or []}

    def client(self, pid, title, timeout=10.0, exclude=None):
        # The top-level window of process pid titled title, once the window manager lists it.
        def find():
            seen = []
            for id in self.prop(self.root, "_NET_CLIENT_LIST") or []:
                window = self.x.create_resource_object("window", id)
                seen.append((self.prop(window, "_NET_WM_PID"), window.get_full_text_property(self.atom("_NET_WM_NAME"))))
                if seen[-1] == ([pid], title) and id != exclude:
                    return window
            raise LookupError(f"process {pid}'s windows are not listed; listed: {seen}")
        return harness.wait_for(f"a window titled {title!r}", find, timeout)

    def active(self):
        return (self.prop(self.root, "_NET_ACTIVE_WINDOW") or [None])[0]

    def wm_state(self, window):
        return (self.prop(window, "WM_STATE") or [None])[0]

    def frame(self, window):
        # The window with the frame the window manager drew around it, in root coordinates.
        left, right, top, bottom = self.prop(window, "_NET_FRAME_EXTENTS") or (0, 0, 0, 0)
        where = self.root.translate_coords(window, 0, 0)
        size = window.get_geometry()
        return harness.Rect(where.x - left, where.y - top, size.width + left + right, size.height + top + bottom)

    def work_area(self):
        return harness.Rect(*(self.prop(self.root, "_NET_WORKAREA") or [0, 0, *self.size()])[:4])

    def size(self):
        return self.x.screen().width_in_pixels, self.x.screen().height_in_pixels

    def cursor(self):
        # The pointer's image: its size, hot spot, and the box around its opaque pixels (x, y, width, height).
        image = self.x.xfixes_get_cursor_image(self.root)
        opaque = [(i % image.width, i // image.width) for i, p in enumerate(image.cursor_image) if p >> 24 == 255]
        xs, ys = [x for x, _ in opaque], [y for _, y in opaque]
        disc = harness.Rect(min(xs), min(ys), max(xs) - min(xs) + 1, max(ys) - min(ys) + 1) if opaque else None
        return (image.width, image.height), (image.xhot, image.yhot), disc

    def pixels(self, rect):  # rows of (r, g, b)
        data = self.root.get_image(*rect, X.ZPixmap, 0xFFFFFFFF).data
        row = 4 * rect.width
        return [[(data[i + 2], data[i + 1], data[i]) for i in range(y * row, (y + 1) * row, 4)]
                for y in range(rect.height)]


def centre(rect):
    return rect.x + rect.width / 2, rect.y + rect.height / 2


def off_centre(inner, outer):
    # How far inner's centre lies from outer's, the larger of the two axes, in pixels.
    (ix, iy), (ox, oy) = centre(inner), centre(outer)
    return max(abs(ix - ox), abs(iy - oy))


def text_width(text, font):
    # The width in pixels of text set in font, as Pango sets a window manager's title.
    import gi
    gi.require_version("Pango", "1.0")
    gi.require_version("PangoCairo", "1.0")
    from gi.repository import Pango, PangoCairo
    layout = Pango.Layout.new(PangoCairo.FontMap.get_default().create_context())
    layout.set_font_description(Pango.FontDescription.from_string(font))
    layout.set_text(text, -1)
    return layout.get_pixel_size()[0]


def title_text_width(screen, window):
    # How wide the title drawn in the frame above window is: the span of its light pixels, the frame's
    # icon and buttons at both ends left out (they stand apart from the text by more than a letter gap).
    frame, client = screen.frame(window), screen.root.translate_coords(window, 0, 0)
    bar = screen.pixels(harness.Rect(frame.x, frame.y, frame.width, client.y - frame.y))
    light = [x for x in range(frame.width) if any(sum(row[x]) > 600 for row in bar[2:-2])]
    runs, start = [], None
    for x, nxt in zip(light, light[1:] + [None]):
        start = x if start is None else start
        if nxt is None or nxt - x > 8:
            runs.append((start, x))
            start = None
    middle = frame.width / 2
    first, last = min(runs, key=lambda run: abs((run[0] + run[1]) / 2 - middle))
    return last - first + 1


def qt_frame_on_weston(screen, content):
    # Finds a window of the given content size in weston's output by the plain band of Qt's frame around
    # it, the pointer kept off it: gives the frame's rectangle, or None.
    (left, top, right, bottom), (w, h) = QT_FRAME, WESTON_SIZE
    width, height = content[0] + left + right, content[1] + top + bottom
    data = screen.root.get_image(0, 0, w, h, X.ZPixmap, 0xFFFFFFFF).data
    planes = [data[channel::4] for channel in (2, 1, 0)]

    def plain(x, y, n, step=1):  # n pixels of the frame's colour from (x, y), rightwards or down
        at = y * w + x
        return all(plane[at:at + n * step:step] == bytes([value]) * n for plane, value in zip(planes, QT_FRAME_COLOUR))

    for y in range(h - height):
        x = -1
        while (x := planes[0].find(bytes([QT_FRAME_COLOUR[0]]) * content[0], y * w + x + 1, (y + 1) * w) - y * w) >= 0:
            frame = harness.Rect(x - left, y, width, height)
            if (frame.x >= 0 and plain(x, y, content[0]) and plain(x, y + height - 1, content[0])
                    and plain(frame.x + 1, y + top, content[1], w) and plain(frame.x + width - 2, y + top, content[1], w)):
                return frame
    return None


def run(argv, **options):
    return subprocess.run(argv, check=True, capture_output=True, text=True, timeout=60, **options)


def installed_entry(build, prefix):
    # Installs the build under prefix and reads its desktop entry's keys.
    run(["cmake", "--install", build, "--prefix", prefix])
    path = os.path.join(prefix, "share", "applications", "org.example.Tintwise.desktop")
    with open(path) as entry:
        return dict(line.rstrip("\n").split("=", 1) for line in entry if "=" in line)


def exit_time(process, limit, started):
    # Seconds from started until process ends, waiting at most limit and a little more; None if it runs on.
    try:
        process.wait(limit + 2)
    except subprocess.TimeoutExpired:
        return None
    return time.monotonic() - started
