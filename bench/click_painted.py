#!/usr/bin/python3
"""Click -> painted, as a user waits, in the real program on an X server (run it under Xvfb with a window
manager): presses the mouse (XTest) on a file's entry in the Calculation tab's list and times from the press
to the last drawing into any window (Damage on the root window, which reports drawing into all its children)
before a quiet span; nothing is subtracted. The presses alternate between the large file and a small one, so
that each totals its file anew; then the same with the History window open. The anchor, in the same run:
`cat LARGE >/dev/null` with a warm cache, between the presses.

  click_painted.py --pid PID --geometry FILE --large NAME --small NAME --cat PATH [--presses N] [--quiet MS]
                   [--trace]

PID is the running program's; FILE holds calculation_geometry's lines for its window (the window's size, the
Calculation tab's tab, the History button, the list's entries); NAME an entry of the list. Prints each
series' median and, last, one line "compare: name=milliseconds ...".
"""
import argparse
import select
import statistics
import subprocess
import sys
import time

from Xlib import X, display
from Xlib.ext import damage, xtest


class Screen:
    """The display, its root window's Damage, and the mouse."""

    def __init__(self):
        self.d = display.Display()
        if not self.d.has_extension("DAMAGE") or not self.d.has_extension("XTEST"):
            sys.exit("click_painted: the X server has no DAMAGE or XTEST extension")
        self.d.damage_query_version()
        self.root = self.d.screen().root
        self.damage_event = self.d.query_extension("DAMAGE").first_event + damage.DamageNotifyCode
        self.root.damage_create(damage.DamageReportRawRectangles)
        self.d.sync()
        self.last = None  # when the last damage was read (time.perf_counter)
        self.areas = []  # the damaged rectangles read since the last take_areas, root coordinates
        self.stamps = []  # when each of them was read

    def atom(self, name):
        return self.d.intern_atom(name)

    def read(self, timeout):
        """Reads what the server sent within `timeout` seconds; True when any damage came."""
        came = False
        if self.d.pending_events() == 0:
            ready, _, _ = select.select([self.d.fileno()], [], [], max(0.0, timeout))
            if not ready:
                return False
        now = time.perf_counter()
        while self.d.pending_events():
            event = self.d.next_event()
            if event.type == self.damage_event:
                came = True
                self.last = now
                a = event.area
                self.areas.append((a.x, a.y, a.width, a.height))
                self.stamps.append(now)
        return came

    def quiet(self, span, limit=60.0):
        """Waits until nothing was drawn for `span` seconds; returns when the last drawing was read."""
        start = time.perf_counter()
        since = start
        while True:
            now = time.perf_counter()
            if now - since >= span:
                return self.last
            if now - start > limit:
                sys.exit("click_painted: the screen never went quiet")
            if self.read(span - (now - since)):
                since = time.perf_counter()

    def take_areas(self):
        areas, self.areas, self.stamps = self.areas, [], []
        return areas

    def trace(self, t0):
        """The drawings since the last take_areas, one line each: milliseconds after t0 and the rectangle."""
        return "\n".join(f"  {(t - t0) * 1000:7.1f} ms {a}" for t, a in zip(self.stamps, self.areas))

    def move(self, x, y):
        xtest.fake_input(self.d, X.MotionNotify, x=x, y=y)
        self.d.sync()

    def press(self):
        """A press and its release on the pointer's spot; returns when the press was sent."""
        t0 = time.perf_counter()
        xtest.fake_input(self.d, X.ButtonPress, 1)
        xtest.fake_input(self.d, X.ButtonRelease, 1)
        self.d.flush()
        return t0

    def clients(self, pid):
        """The window manager's client windows of process `pid`: (window, name)."""
        listed = self.root.get_full_property(self.atom("_NET_CLIENT_LIST"), X.AnyPropertyType)
        found = []
        for wid in listed.value if listed else []:
            window = self.d.create_resource_object("window", wid)
            owner = window.get_full_property(self.atom("_NET_WM_PID"), X.AnyPropertyType)
            if owner and owner.value[0] == pid:
                name = window.get_full_property(self.atom("_NET_WM_NAME"), X.AnyPropertyType)
                found.append((window, name.value.decode() if name and isinstance(name.value, bytes) else ""))
        return found

    def origin(self, window):
        """Where the window's client area begins on the screen."""
        at = self.root.translate_coords(window, 0, 0)
        return at.x, at.y


def read_geometry(path):
    geometry = {"rows": {}}
    with open(path) as lines:
        for line in lines:
            words = line.split()
            if not words:
                continue
            if words[0] == "window":
                geometry["window"] = tuple(map(int, words[1:3]))
            elif words[0] == "row":
                geometry["rows"][" ".join(words[1:-4])] = tuple(map(int, words[-4:]))
            else:
                geometry[words[0]] = tuple(map(int, words[1:5]))
    return geometry


def spot(rect, origin):
    """A point inside `rect` (client coordinates) on the screen: near its left end, halfway down."""
    x, y, w, h = rect
    return origin[0] + x + min(20, w // 4), origin[1] + y + h // 2


def overlaps(a, b):
    return a[0] < b[0] + b[2] and b[0] < a[0] + a[2] and a[1] < b[1] + b[3] and b[1] < a[1] + a[3]


def wait_for(what, find, limit=20.0, seen=None):
    start = time.perf_counter()
    while time.perf_counter() - start < limit:
        found = find()
        if found:
            return found
        time.sleep(0.05)
    sys.exit(f"click_painted: {what} did not come" + (f" (windows seen: {', '.join(sorted(seen))})" if seen else ""))


def cat_ms(path):
    t0 = time.perf_counter()
    subprocess.run(["cat", path], stdout=subprocess.DEVNULL, check=True)
    return (time.perf_counter() - t0) * 1000


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--pid", type=int, required=True)
    parser.add_argument("--geometry", required=True)
    parser.add_argument("--large", required=True)
    parser.add_argument("--small", required=True)
    parser.add_argument("--cat", required=True)
    parser.add_argument("--presses", type=int, default=15)
    parser.add_argument("--quiet", type=int, default=500, help="milliseconds without drawing that end a wait")
    parser.add_argument("--trace", action="store_true", help="print each press's drawings to stderr")
    args = parser.parse_args()
    quiet = args.quiet / 1000
    geometry = read_geometry(args.geometry)
    for name in (args.large, args.small):
        if name not in geometry["rows"]:
            sys.exit(f"click_painted: {name} is not listed in the Calculation tab ({args.geometry})")

    screen = Screen()
    size = geometry["window"]

    seen = set()

    def main_window():
        for window, name in screen.clients(args.pid):
            g = window.get_geometry()
            if (g.width, g.height) == size and window.get_attributes().map_state == X.IsViewable:
                return window
            seen.add(f"{name!r} {g.width}x{g.height}")
        return None

    window = wait_for("the main window", main_window, limit=60.0, seen=seen)
    origin = screen.origin(window)
    screen.quiet(quiet)

    def click(rect):
        screen.move(*spot(rect, origin))
        screen.quiet(quiet)
        screen.take_areas()
        t0 = screen.press()
        last = screen.quiet(quiet)
        if args.trace:
            print(f"press at {rect}:\n{screen.trace(t0)}", file=sys.stderr)
        return (last - t0) * 1000 if last is not None and last > t0 else 0.0, screen.take_areas()

    # The Calculation tab, then a first pair of presses that read the files into the cache and settle the focus.
    click(geometry["tab"])
    large, small = geometry["rows"][args.large], geometry["rows"][args.small]
    large_on_screen = (origin[0] + large[0], origin[1] + large[1], large[2], large[3])

    def series(label):
        click(small)
        click(large)
        cat_ms(args.cat)
        larges, smalls, cats = [], [], []
        for _ in range(args.presses):
            ms, _ = click(small)
            smalls.append(ms)
            cats.append(cat_ms(args.cat))
            ms, areas = click(large)
            if not any(overlaps(area, large_on_screen) for area in areas):
                sys.exit(f"click_painted: the press on {args.large} drew nothing into its entry ({label})")
            larges.append(ms)
        print(
            f"{label}: {args.large} {statistics.median(larges):.1f} ms, {args.small} {statistics.median(smalls):.1f} ms"
            f", cat {statistics.median(cats):.1f} ms (medians of {args.presses}; {args.large}: "
            + " ".join(f"{v:.1f}" for v in sorted(larges))
            + ")"
        )
        return statistics.median(larges), statistics.median(smalls), statistics.median(cats)

    alone = series("History window closed")

    # The History window, beside the main window so that neither hides the other.
    before = {w.id for w, _ in screen.clients(args.pid)}
    click(geometry["history"])

    def history_window():
        for w, name in screen.clients(args.pid):
            if w.id not in before and name == "History" and w.get_attributes().map_state == X.IsViewable:
                return w
        return None

    history = wait_for("the History window", history_window)
    main_rect = origin + size
    history.configure(x=main_rect[0] + main_rect[2] + 40, y=max(0, main_rect[1]))
    screen.d.sync()
    screen.quiet(quiet)
    hg = history.get_geometry()
    history_rect = screen.origin(history) + (hg.width, hg.height)
    if overlaps((main_rect[0] - 8, main_rect[1] - 40, main_rect[2] + 16, main_rect[3] + 48), history_rect):
        sys.exit(f"click_painted: the History window {history_rect} covers the main window {main_rect}")
    shown = series("History window open")

    print(
        f"compare: click_ms={alone[0]:.2f} small_ms={alone[1]:.2f} cat_ms={alone[2]:.2f} "
        f"history_click_ms={shown[0]:.2f} history_small_ms={shown[1]:.2f} history_cat_ms={shown[2]:.2f}"
    )


if __name__ == "__main__":
    main()
