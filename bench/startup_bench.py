#!/usr/bin/python3
"""Start-up and quiet benchmark of the real game under Xvfb, beside the floor of its own
stack: an empty window (floor_window) set up as the game sets Allegro up, asleep on its
event queue, once silent and once streaming the game's music. Both floors run beside the
game all through a run, each in its own Xvfb, and are measured over the same spans as
the game, so that whatever else the machine does weighs on both alike. The bare window
(Allegro and a window, nothing else: no audio, so no voice mixing silence) is measured
too, for the first frame and the memory, and runs beside the game with its music off as
the truly silent floor.

Each run measures:
- the time from starting the process to its first presented frame (the first
  al_flip_display, noted by the preloaded probe), the game's and the floors';
- the peak resident memory and the private memory, the game's at its main menu;
- the processor share of the process (every thread) and of its X server over SPAN
  seconds while nothing moves and the pointer rests, and the pictures it presented per
  second meanwhile (flips counted by the probe): the floors asleep; the game at its main
  menu, on the list of results, the options, the bonus table and the rules; a timed game
  waiting for a move with its music playing, the same with both volumes at 0, the
  relaxed game; the timed game on a 60 Hz display that holds its flips and on a 144 Hz
  display whose flips cost nothing (bench/display_shim.c);
- the same with the music off (its volume 0, the effects on, so the menu's cues play and
  end) at the main menu, on the bonus table and the rules, beside the bare window too:
  once nothing sounds the game stops its sound device's voice, and should then cost what
  a window without audio costs;
- the same over the CASCADE seconds after a swap that makes a line whose fall makes
  another and drops a star that completes the level (a stored game laid out for it);
- the same over SWEEP seconds while the pointer sweeps back and forth across the board of
  the waiting relaxed game, SWEEP_RATE motion events a second and no button pressed, with
  the same sweep over both floors' windows at the same moments: a floor woken by the
  motion it is not listening to is what any window pays for a moving pointer. The sweep is
  driven from this process through one XTest connection a display, opened before and
  closed after the span, so neither the game's figure nor its X server's holds the
  driver's own work (its share is printed apart) beyond the motion requests themselves,
  which the floors' X servers receive alike.
Full screen on a 1920 x 1080 screen under a window manager, beside the same game and the
same floor in an 800 x 600 window on that screen:
- the peak resident memory at the main menu, and the processor share there (the game's
  and its X server's) over SPAN seconds with the pointer resting;
- the pictures per second over the first BURST seconds of the cascading swap's motion,
  whose steps come faster than any display shows them (swap, vanish, fall), on Xvfb's
  own display (taken as 60 Hz) and on a 144 Hz one whose flips cost nothing, where only
  the cost of a picture limits them; and how long the motion lasts (the flips less than
  MOVING_GAP apart, from the probe's record of every flip's time): the same length in
  both sizes means the animations keep their pace however costly a picture is.
The targets are printed beside the figures; nothing fails on a figure.
With --start-only, only the first frame and the memory are measured; with --full-screen,
only the full-screen figures; with --pointer-only, only the waiting relaxed game and the
pointer swept over it, beside both floors; with --quiet-only, only the main menu, the
bonus table and the rules with the music off, beside the bare window and the silent floor.

Windows are found by their title in the X server's own tree, the process's own window
first, again and again until a deadline; a window that vanishes while it is looked at (a
process closing) is passed over, and one that cannot be found leaves its process to be
killed, its figures already taken.

Usage: startup_bench.py BINARY ASSETS FLOOR PROBE SHIM [RUNS]
                        [--start-only|--full-screen|--pointer-only|--quiet-only]
"""

import os
import statistics
import struct
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "e2e"))
sys.dont_write_bytecode = True  # no __pycache__ in the source tree
from board_view import BOARD_BOX, BOARD_X, PITCH, SIDE, cell_centre  # noqa: E402
from e2e_game import CASCADE_FILES, CASCADE_PASSWORD, CASCADE_SWAP  # noqa: E402
from e2e_records import BONUS_STILL, INFO_STILL, OPTIONS_BOX  # noqa: E402
from flows import (LIST_BOX, LIST_RETURN, MENU_BOX, PAGE_RETURN, SLOW, choose,  # noqa: E402
                   reach_menu, resume, wait_for_board)
from picture import Picture  # noqa: E402
from player import E2EFailure, Session, check, named_windows, send_close  # noqa: E402

SPAN = 10.0  # seconds each processor share and picture rate is measured over
CASCADE = 3.0  # seconds measured from the swap on
SETTLE = 1.0  # seconds left after a screen has settled, before measuring
CORNER = (795, 595)  # where the pointer rests, over nothing that reacts
FADING = 10  # pictures presented within 0.5 s by a menu that has begun to fade out
WINDOW_WAIT = 15.0  # seconds a window is looked for by its title before giving up
CLOSE_WAIT = 5.0  # the same when closing it: a window gone by then is not coming back
CLOCK_TICKS = os.sysconf("SC_CLK_TCK")

# The player's options: music volume, effects volume, mode (1 timed, 0 relaxed).
TIMED = "0.5\n0.5\n1\n"
TIMED_SILENT = "0\n0\n1\n"
MUSIC_OFF = "0\n0.5\n1\n"
RELAXED = "0.5\n0.5\n0\n"

# The displays the game is measured on beside Xvfb's own, which presents at once.
HELD_60 = {"ORBELIUM_DISPLAY_HZ": "60", "ORBELIUM_DISPLAY_FLIPS": "held"}
FAST_144 = {"ORBELIUM_DISPLAY_HZ": "144", "ORBELIUM_DISPLAY_FLIPS": "fast"}

# The full-screen figures: the screen, the game's screen choice, the floor's argument.
FULL_SCREEN = (1920, 1080)
SIZES = {"window": ("0\n", "window"), "full": ("1\n", "full")}
DISPLAYS = {"60": None, "144": FAST_144}
MOVING_GAP = 0.1  # seconds without a picture that end a stretch of motion
BURST = 0.5  # seconds from the motion's first picture, all of them faster steps
FULL_MEMORY = 40.0  # MB the full-screen game may hold above its window's
MOVING_RATE = 60.0  # pictures per second while the board moves, full screen

# The pages reached from the menu: the item, the return button, the part of the page
# that stands still once it has faded in (the bonus table's and the rules' stars pulse).
PAGES = [
    ("results", LIST_RETURN, LIST_BOX),
    ("options", PAGE_RETURN, OPTIONS_BOX),
    ("bonus", PAGE_RETURN, BONUS_STILL),
    ("info", PAGE_RETURN, INFO_STILL),
]

# What a quiet screen may cost: (the game's share, the X server's share), in %.
QUIET = (2.0, 0.5)
QUIET_SILENT = (1.0, 0.5)

# The pointer swept across the board: for how long, how many motion events a second (a
# quick hand's pace on a 100 Hz mouse), how many of them from one side of the board to the
# other, and what the game may spend meanwhile above the floor, in % of a processor.
SWEEP = 5.0
SWEEP_RATE = 100.0
SWEEP_LEG = 50
SWEEP_ABOVE = 2.0
# The floors' figures over the sweep are noted apart from their figures at rest.
SWEPT = " swept"


class Above(float):
    """A target relative to the floor: the game's share may exceed the floor's by this."""


# What a quiet screen with the music off may cost above the bare window, in % of a
# processor: with nothing sounding, nothing of the audio should be left running.
QUIET_OFF = Above(0.5)
# The screens measured with the music off: the key of each row is the item's and this.
OFF = " off"


class Probe:
    """The files the probe writes: the first frame's time and the count of flips."""

    def __init__(self):
        self.stamp = tempfile.mktemp(prefix="orbelium-first-frame-")
        self.counter = tempfile.mktemp(prefix="orbelium-flips-")
        self.times = tempfile.mktemp(prefix="orbelium-flip-times-")

    def env(self, libraries):
        return {"LD_PRELOAD": " ".join(libraries), "ORBELIUM_PROBE_FILE": self.stamp,
                "ORBELIUM_FLIP_COUNT_FILE": self.counter, "ORBELIUM_FLIP_TIMES_FILE": self.times}

    def flip_times(self, since):
        """The times of the flips from `since` on (time.monotonic()'s clock)."""
        if not os.path.exists(self.times):
            return []
        with open(self.times) as text:
            return [t for t in (float(line) for line in text if line.strip()) if t >= since]

    def first_frame(self, session, timeout=60):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if os.path.exists(self.stamp):
                with open(self.stamp) as text:
                    value = text.read().strip()
                if value:
                    return float(value) - session.started
            if session.game.poll() is not None:
                raise E2EFailure(f"{session.name} ended before its first frame")
            time.sleep(0.01)
        raise E2EFailure(f"{session.name} presented nothing within {timeout} s")

    def flips(self):
        with open(self.counter, "rb") as count:
            data = count.read(8)
        return struct.unpack("<Q", data)[0] if len(data) == 8 else 0

    def remove(self):
        for path in (self.stamp, self.counter, self.times):
            if os.path.exists(path):
                os.remove(path)


def launch(session, argv):
    session.stderr_path = os.path.join(session.folder, "stderr.txt")
    session.stderr_file = open(session.stderr_path, "w")
    session.started = time.monotonic()
    session.game = subprocess.Popen(argv, cwd=session.folder, env=session.env,
                                    stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                    stderr=session.stderr_file)


def processor_ticks(pid):
    with open(f"/proc/{pid}/stat") as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    return int(fields[11]) + int(fields[12])  # utime and stime, every thread


class Span:
    """Processor shares (%) of the process and of its X server, and pictures per second,
    from its start to its end."""

    def __init__(self, session, probe):
        self.pids = (session.game.pid, session.xvfb.pid)
        self.probe = probe
        self.ticks = [processor_ticks(pid) for pid in self.pids]
        self.flips, self.begin = probe.flips(), time.monotonic()

    def end(self):
        elapsed = time.monotonic() - self.begin
        flips = self.probe.flips() - self.flips
        own, server = (100.0 * (processor_ticks(pid) - t) / CLOCK_TICKS / elapsed
                       for pid, t in zip(self.pids, self.ticks))
        return own, server, flips / elapsed


def memory(pid):
    """Peak resident and private memory in MB."""
    with open(f"/proc/{pid}/status") as status:
        peak_kb = next(int(line.split()[1]) for line in status if line.startswith("VmHWM"))
    private_kb = 0
    with open(f"/proc/{pid}/smaps_rollup") as rollup:
        for line in rollup:
            if line.startswith(("Private_Clean", "Private_Dirty")):
                private_kb += int(line.split()[1])
    return peak_kb / 1024.0, private_kb / 1024.0


def moving(times):
    """Pictures per second over the first BURST seconds of motion (from the first of the
    flips less than MOVING_GAP apart), and the seconds from that flip to the last of them."""
    close = [(t, u) for t, u in zip(times, times[1:]) if u - t < MOVING_GAP]
    if not close:
        return 0.0, 0.0
    first = close[0][0]
    burst = sum(1 for t in times if first < t <= first + BURST) / BURST
    return burst, close[-1][1] - first


def find_window(display, title, pid, timeout=WINDOW_WAIT, alive=lambda: True):
    """The id of the window titled `title` that process `pid` owns, looked for until
    `timeout` seconds have passed or `alive()` turns false; None when there is none by then.
    A window that does not say whose it is will do when the process's own is not there; one
    that says it belongs to another process (one still closing) never does. Shown windows
    come first: a window manager's frame or a switch to full screen may hide one a moment."""
    from Xlib import error

    deadline = time.monotonic() + timeout
    while True:
        try:
            found = named_windows(display, title)
        except (error.DisplayError, error.ConnectionClosedError, OSError):
            found = []  # the server is going or gone; ask again until the deadline
        ranked = sorted((owner != pid, not shown, window) for window, owner, shown in found
                        if pid is None or owner in (pid, None))
        if ranked:
            return ranked[0][2]
        if time.monotonic() >= deadline or not alive():
            return None
        time.sleep(0.1)


class BenchSession(Session):
    """A session whose window is found as find_window finds it: every place the benchmark
    looks for a window (following it on a screen under a window manager, closing it) goes
    through window_id."""

    TITLE = "ORBELIUM"  # the game's title, and the start of the floor's

    def window_id(self, timeout=None):
        """The process's window; fails when the process has ended or no window shows
        within `timeout` seconds (WINDOW_WAIT)."""
        wait = WINDOW_WAIT if timeout is None else timeout
        pid = self.game.pid if self.game else None
        alive = (lambda: self.game.poll() is None) if self.game else (lambda: True)
        window = find_window(self.display, self.TITLE, pid, wait, alive)
        if window is None and not alive():
            raise E2EFailure(f"{self.name} ended (exit code {self.game.returncode}) while its "
                             f"window was looked for: {self.stderr()}")
        check(window is not None, f"no window of {self.name} within {wait:.0f} s")
        return window

    def close_window(self, timeout=None):
        """Asks the process to close as a window manager's close button does; returns once
        the X server has passed the message on. A window that closed before the message
        reached it is looked for anew; with no window left to ask, nothing is sent and the
        process is killed when the session closes."""
        deadline = time.monotonic() + (WINDOW_WAIT if timeout is None else timeout)
        while True:
            try:
                window_id = self.window_id(max(0.0, deadline - time.monotonic()))
            except E2EFailure:
                return
            if send_close(self.display, window_id) is None or time.monotonic() >= deadline:
                return
            time.sleep(0.1)


def sweep_path():
    """The picture pixels the pointer passes, one a motion event: back and forth across the
    board's width, SWEEP_LEG events a way, each way along the next row's middle (down to the
    last row and up again), never leaving the board and never resting."""
    left, right = BOARD_X + 2, BOARD_X + PITCH * SIDE - 3
    points = []
    for i in range(int(SWEEP * SWEEP_RATE)):
        leg, step = divmod(i, SWEEP_LEG)
        along = left + (right - left) * step // (SWEEP_LEG - 1)
        bounce = leg % (2 * SIDE - 2)
        row = 1 + (bounce if bounce < SIDE else 2 * SIDE - 2 - bounce)
        points.append((along if leg % 2 == 0 else left + right - along, cell_centre(1, row)[1]))
    return points


class Sweep:
    """The pointer swept along sweep_path() on several displays at once, SWEEP_RATE motion
    events a second on each, no button pressed. Each display gets one XTest connection,
    opened before the measured span and closed after it, and one request a motion: what the
    measured processes and X servers do meanwhile is the motion's doing, not the driver's.
    The driver runs in this process, which no figure counts; its own share is kept apart."""

    def __init__(self, sessions):
        from Xlib import display as xdisplay

        self.sessions = sessions
        self.connections = [xdisplay.Display(session.display) for session in sessions]
        for connection in self.connections:
            check(connection.has_extension("XTEST"), "the X server has no XTest")
        self.rate = self.driver = self.last = None

    def __enter__(self):
        return self

    def __exit__(self, *failure):
        for connection in self.connections:
            connection.close()

    def run(self):
        from Xlib import X
        from Xlib.ext import xtest

        path = sweep_path()
        driver, begin = time.process_time(), time.monotonic()
        for i, point in enumerate(path):
            wait = begin + i / SWEEP_RATE - time.monotonic()
            if wait > 0:
                time.sleep(wait)
            for connection, session in zip(self.connections, self.sessions):
                x, y = session.on_screen(*point)
                xtest.fake_input(connection, X.MotionNotify, x=x, y=y)
                connection.flush()
        time.sleep(max(0.0, begin + SWEEP - time.monotonic()))
        elapsed = time.monotonic() - begin
        self.rate = len(path) / elapsed
        self.driver = 100.0 * (time.process_time() - driver) / elapsed
        self.last = path[-1]

    def check_arrived(self):
        """That every motion reached its server: the pointer stands where the path ends.
        Asked once the span is over, so that the question costs none of its figures."""
        for connection, session in zip(self.connections, self.sessions):
            where = connection.screen().root.query_pointer()
            check((where.root_x, where.root_y) == session.on_screen(*self.last),
                  f"the pointer on {session.name} stands at {(where.root_x, where.root_y)}, "
                  "not where the sweep ended")


def end(session):
    """Closes the window as a player would; a process that hangs on its way out (a known
    X11 hang inside Allegro and Mesa) is killed, its figures are already taken."""
    try:
        session.close_window(CLOSE_WAIT)
        session.game.wait(timeout=10)
    except Exception:  # noqa: BLE001 - a close that fails changes no figure
        pass
    session.close()


def start_game(session, probe):
    """Clicks the menu's first item until the menu fades out (the fade presents dozens of
    pictures; a menu that missed the click presents none), then waits for the board."""
    for _ in range(3):
        flips = probe.flips()
        choose(session, "new")
        time.sleep(0.5)
        if probe.flips() - flips >= FADING:
            wait_for_board(session, "board")
            return
    raise E2EFailure("no game started from the menu")


def open_page(session, item, still):
    """Clicks a menu item and waits until its page has faded in and stands still."""
    menu = Picture(session.screenshot("menu-before-page"))
    choose(session, item)
    time.sleep(1.0)
    page = session.wait_still(item, still, SLOW)
    check(page.differing(menu, MENU_BOX, 8) > 500, f"the menu's {item} opened no page")


class Runner:
    def __init__(self, binary, assets, floor, probe, shim):
        self.binary, self.assets, self.floor = binary, assets, floor
        self.probe_library, self.shim = probe, shim
        self.artifacts = tempfile.mkdtemp(prefix="orbelium-bench-")
        self.figures = {}
        self.sessions = 0
        # The floors asleep beside the game, each in its own Xvfb, measured over the
        # same spans as the game: a machine shared with other work weighs on both alike.
        self.floors = {}

    def note(self, name, value):
        self.figures.setdefault(name, []).append(value)

    def note_span(self, key, figures):
        for suffix, value in zip(("cpu", "x cpu", "fps"), figures):
            self.note(f"{key} {suffix}", value)

    def session(self, name, display=None, files=None, screen=None):
        self.sessions += 1  # each its own name: a session clears its name's screenshots
        probe = Probe()
        libraries = [self.probe_library] + ([self.shim] if display else [])
        env = probe.env(libraries)
        env.update(display or {})
        place = {"screen": screen, "window_manager": True} if screen else {}
        session = BenchSession(self.binary, self.assets, self.artifacts,
                               f"{name}-{self.sessions}", env=env, files=files, **place)
        return session, probe

    def floor_start(self, mode, note=True):
        """Starts a floor; notes the first frame and the memory of the `wait` and `bare`
        ones, unless told not to. Returns its session and probe."""
        session, probe = self.session(f"floor-{mode}")
        try:
            launch(session, [self.floor, mode])
            first_frame = probe.first_frame(session)
            time.sleep(SETTLE)
            check(session.game.poll() is None, f"the floor ({mode}) ended: {session.stderr()}")
            if note and mode in ("wait", "bare"):
                self.note(f"{mode} first frame", first_frame)
                peak, private = memory(session.game.pid)
                self.note(f"{mode} peak", peak)
                self.note(f"{mode} private", private)
        except BaseException:
            end(session)
            probe.remove()
            raise
        return session, probe

    @staticmethod
    def floor_end(floor):
        session, probe = floor
        end(session)
        probe.remove()

    def measure(self, key, session, probe, seconds=SPAN, during=None, floors_as=""):
        """Measures the game and, over the same span, both floors; `during` is what the
        player does at its start; the floors' own figures are noted with `floors_as` after
        their names (their figures at rest are kept apart from those under a sweep)."""
        spans = {key: Span(session, probe)}
        spans.update({mode: Span(*floor) for mode, floor in self.floors.items()})
        begin = time.monotonic()
        if during:
            during()
        time.sleep(max(0.0, seconds - (time.monotonic() - begin)))
        for mode, span in spans.items():
            figures = span.end()
            self.note_span(key if mode == key else f"floor {mode}{floors_as}", figures)
            if mode != key:
                self.note(f"{key} floor {mode} cpu", figures[0])

    def game(self, name, files, display=None, first=False, start_only=False, then=None,
             screen=None, size=None):
        """Starts the game (on a `screen` of its own under a window manager, its window at
        `size`, when given), waits for its menu and runs `then` on it."""
        session, probe = self.session(name, display, files, screen)
        try:
            launch(session, [self.binary])
            first_frame = probe.first_frame(session)
            if size:
                session.follow_window(size)
            reach_menu(session)
            session.move(*CORNER)
            time.sleep(SETTLE)
            if first:
                self.note("game first frame", first_frame)
                peak, private = memory(session.game.pid)
                self.note("game peak", peak)
                self.note("game private", private)
            if not start_only:
                then(session, probe)
        finally:
            end(session)
            probe.remove()

    def quiet(self, key, session, probe):
        session.move(*CORNER)
        time.sleep(SETTLE)
        self.measure(key, session, probe)

    def menu_and_pages(self, session, probe):
        self.quiet("menu", session, probe)
        for item, back, still in PAGES:
            open_page(session, item, still)
            self.quiet(item, session, probe)
            session.click(*back)
            reach_menu(session, f"menu-after-{item}")
        self.waiting_game("timed")(session, probe)

    def quiet_pages(self, session, probe):
        """The main menu, the bonus table and the rules, each measured as a quiet screen."""
        self.quiet("menu" + OFF, session, probe)
        for item, back, still in PAGES:
            if item in ("bonus", "info"):
                open_page(session, item, still)
                self.quiet(item + OFF, session, probe)
                session.click(*back)
                reach_menu(session, f"menu-after-{item}")

    def music_off(self):
        """The game with its music off at its menu and pages, with the bare window beside
        it as a floor for those spans only."""
        self.floors["bare"] = self.floor_start("bare", note=False)
        try:
            self.game("music-off", {"opc.txt": MUSIC_OFF}, then=self.quiet_pages)
        finally:
            self.floor_end(self.floors.pop("bare"))

    def waiting_game(self, key):
        def run(session, probe):
            start_game(session, probe)
            self.quiet(key, session, probe)
        return run

    def relaxed_and_sweep(self, session, probe):
        """The relaxed game waiting, then the pointer swept over its board."""
        self.waiting_game("relaxed")(session, probe)
        self.sweep(session, probe)

    def sweep(self, session, probe, key="sweep"):
        """The pointer swept back and forth across the board for SWEEP seconds, and over
        both floors' windows at the same moments, measured as a quiet screen is."""
        session.move(*CORNER)
        time.sleep(SETTLE)
        floors = [floor for floor, _ in self.floors.values()]
        with Sweep([session] + floors) as sweep:
            self.measure(key, session, probe, SWEEP, during=sweep.run, floors_as=SWEPT)
            sweep.check_arrived()
        self.note(f"{key} rate", sweep.rate)
        self.note(f"{key} driver cpu", sweep.driver)
        check(session.game.poll() is None, f"the game ended under the sweep: {session.stderr()}")
        for floor in floors:
            check(floor.game.poll() is None, f"a floor ended under the sweep: {floor.stderr()}")
        session.move(*CORNER)

    def cascade(self, session, probe, key="cascade"):
        resume(session, CASCADE_PASSWORD)
        session.move(*CORNER)
        time.sleep(SETTLE)
        before = Picture(session.screenshot("before-swap"))

        def swap():
            a, b = CASCADE_SWAP
            session.drag(cell_centre(*a), cell_centre(*b))
            time.sleep(0.6)  # the button held while the swap runs, as a hand holds it
            session.release()
            session.move(*CORNER)

        swapped_at = time.monotonic()
        self.measure(key, session, probe, CASCADE, during=swap)
        rate, span = moving(probe.flip_times(swapped_at))
        self.note(f"{key} burst fps", rate)
        self.note(f"{key} moving span", span)
        after = Picture(session.screenshot("after-swap"))
        check(after.differing(before, BOARD_BOX, 8) > 1000, "the swap changed nothing")

    def floor_memory(self, size):
        """The silent floor's peak memory on the full-screen figures' screen."""
        session, probe = self.session(f"floor-{size}", screen=FULL_SCREEN)
        try:
            launch(session, [self.floor, "wait", SIZES[size][1]])
            probe.first_frame(session)
            time.sleep(2 * SETTLE)
            check(session.game.poll() is None, f"the floor ({size}) ended: {session.stderr()}")
            self.note(f"floor {size} peak", memory(session.game.pid)[0])
        finally:
            end(session)
            probe.remove()

    def sized_game(self, size, hz):
        """The game on the full-screen figures' screen: its memory at the menu, then the
        cascading swap, on Xvfb's own display or the 144 Hz one."""
        def then(session, probe):
            if hz == "60":
                self.note(f"game {size} peak", memory(session.game.pid)[0])
                self.quiet(f"menu {size}", session, probe)
            self.cascade(session, probe, f"cascade {size} {hz}")
        files = dict(CASCADE_FILES, **{"ekran.txt": SIZES[size][0]})
        shown = FULL_SCREEN if size == "full" else (800, 600)
        self.game(f"game-{size}-{hz}", files, display=DISPLAYS[hz], then=then,
                  screen=FULL_SCREEN, size=shown)

    def run_full_screen(self):
        steps = [lambda size=size: self.floor_memory(size) for size in SIZES]
        steps += [lambda size=size, hz=hz: self.sized_game(size, hz)
                  for size in SIZES for hz in DISPLAYS]
        for step in steps:
            try:
                step()
            except E2EFailure as failure:
                print(f"left out: {failure}", flush=True)

    def run(self, only=None):
        """One run: everything, or only "start", "full", "pointer" or "quiet" (see ONLY)."""
        if only == "full":
            self.run_full_screen()
            return
        try:
            if only not in ("pointer", "quiet"):
                self.floor_end(self.floor_start("bare"))
            self.floors["wait"] = self.floor_start("wait")
            if only not in ("start", "quiet"):
                self.floors["music"] = self.floor_start("music")
            self.run_game(only)
        except E2EFailure as failure:
            print(f"run left out: {failure}", flush=True)
        finally:
            for mode in list(self.floors):
                self.floor_end(self.floors.pop(mode))
        if only is None:
            self.run_full_screen()

    def run_game(self, only):
        relaxed = lambda: self.game("relaxed", {"opc.txt": RELAXED},  # noqa: E731
                                    then=self.relaxed_and_sweep)
        steps = [
            lambda: self.game("game", {"opc.txt": TIMED}, first=True,
                              start_only=only == "start", then=self.menu_and_pages),
        ]
        if only == "pointer":
            steps = [relaxed]
        elif only == "quiet":
            steps = [self.music_off]
        elif only is None:
            steps += [
                lambda: self.game("silent", {"opc.txt": TIMED_SILENT},
                                  then=self.waiting_game("timed silent")),
                relaxed,
                lambda: self.game("held60", {"opc.txt": TIMED}, display=HELD_60,
                                  then=self.waiting_game("timed 60")),
                lambda: self.game("fast144", {"opc.txt": TIMED}, display=FAST_144,
                                  then=self.waiting_game("timed fast 144")),
                lambda: self.game("cascade", CASCADE_FILES, then=self.cascade),
                self.music_off,
            ]
        for step in steps:
            # A step that goes wrong is told and its figures left out; the others go on.
            try:
                step()
            except E2EFailure as failure:
                print(f"left out: {failure}", flush=True)


def column(figures, name, fmt):
    values = figures.get(name, []) if name else []
    if not values:
        return "-"
    return " / ".join(fmt.format(v) for v in
                      (min(values), statistics.median(values), max(values)))


def median(figures, name):
    values = figures.get(name)
    return statistics.median(values) if values else None


def report_start(figures):
    rows = [
        ("time to first presented frame (s)", "first frame", "{:.3f}", "target <= 0.15 s"),
        ("peak resident memory (MB)", "peak", "{:.1f}", "target <= floor + 20 MB"),
        ("private memory at the menu (MB)", "private", "{:.1f}", ""),
    ]
    width = max(len(row[0]) for row in rows)
    print(f"{'':{width}}  {'game':>23}  {'floor':>23}  {'bare':>23}")
    for label, name, fmt, note in rows:
        print(f"{label:{width}}  {column(figures, 'game ' + name, fmt):>23}  "
              f"{column(figures, 'wait ' + name, fmt):>23}  "
              f"{column(figures, 'bare ' + name, fmt):>23}  {note}")
    for name, label in (("wait", "floor"), ("bare", "bare window")):
        peak, floor = median(figures, "game peak"), median(figures, f"{name} peak")
        if peak is not None and floor is not None:
            print(f"game's peak resident memory above the {label} (medians): "
                  f"{peak - floor:.1f} MB")


def report_quiet(figures, keys=None):
    """The processor shares and pictures per second, of the rows whose keys are in `keys`
    (every row when None)."""
    # label, key, the floor beside it, target
    rows = [
        ("floor asleep, silent", "floor wait", None, None),
        ("floor asleep, music streaming", "floor music", None, None),
        ("main menu", "menu", "wait", QUIET),
        ("the list of results", "results", "wait", QUIET),
        ("the options (its music playing)", "options", "music", QUIET),
        ("the bonus table", "bonus", "wait", QUIET),
        ("the rules", "info", "wait", QUIET),
        ("timed game waiting, music on", "timed", "music", QUIET),
        ("timed game waiting, both volumes 0", "timed silent", "wait", QUIET_SILENT),
        ("relaxed game waiting, music on", "relaxed", "music", QUIET),
        ("timed game waiting, 60 Hz held flips", "timed 60", "music", QUIET),
        ("timed game waiting, 144 Hz fast flips", "timed fast 144", "music", QUIET),
        (f"the {CASCADE:.0f} s after a cascading swap", "cascade", "music", None),
        ("floor, pointer swept, silent", "floor wait" + SWEPT, None, None),
        ("floor, pointer swept, music streaming", "floor music" + SWEPT, None, None),
        (f"pointer swept over a relaxed game, {SWEEP:.0f} s", "sweep", "music",
         Above(SWEEP_ABOVE)),
        ("floor asleep, no audio (bare window)", "floor bare", None, None),
        ("main menu, music off", "menu" + OFF, "bare", QUIET_OFF),
        ("the bonus table, music off", "bonus" + OFF, "bare", QUIET_OFF),
        ("the rules, music off", "info" + OFF, "bare", QUIET_OFF),
    ]
    rows = [row for row in rows if keys is None or row[1] in keys]
    width = max(len(row[0]) for row in rows)
    print(f"\n{'':{width}}  {'process (%)':>20}  {'X server (%)':>20}  "
          f"{'pictures per second':>23}  {'floor meanwhile (%)':>20}  {'above it':>8}  "
          "target")
    for label, key, floor, target in rows:
        own = median(figures, f"{key} cpu")
        beside = f"{key} floor {floor} cpu"
        pairs = list(zip(figures.get(f"{key} cpu", []), figures.get(beside, [])))
        gap = statistics.median(g - f for g, f in pairs) if pairs else None
        above = f"{gap:+.1f}" if pairs else "-"
        if target is None:
            goal = ""
        elif isinstance(target, Above):
            goal = (f"game within {target:g} % of a core above the floor: "
                    + ("-" if gap is None else "met" if gap <= target else "NOT met"))
        else:
            server = median(figures, f"{key} x cpu")
            met = own is not None and server is not None and own <= target[0] and \
                server <= target[1]
            goal = (f"game <= {target[0]:.0f} %, X <= {target[1]:.1f} %: "
                    + ("met" if met else "NOT met" if own is not None else "-"))
        print(f"{label:{width}}  {column(figures, key + ' cpu', '{:.1f}'):>20}  "
              f"{column(figures, key + ' x cpu', '{:.2f}'):>20}  "
              f"{column(figures, key + ' fps', '{:.1f}'):>23}  "
              f"{column(figures, beside if floor else None, '{:.1f}'):>20}  {above:>8}  "
              f"{goal}")
    if "sweep rate" in figures and (keys is None or "sweep" in keys):
        print(f"the sweep: {column(figures, 'sweep rate', '{:.1f}')} motion events a second on "
              f"each display; its driver's own share, counted in no figure above: "
              f"{column(figures, 'sweep driver cpu', '{:.1f}')} %")


def report_full_screen(figures):
    width, height = FULL_SCREEN
    print(f"\non a {width} x {height} screen under openbox: the game and the floor in an "
          "800 x 600 window and full screen")
    rows = [
        ("game's peak resident memory at the menu (MB)", "game {} peak", "{:.1f}"),
        ("floor's peak resident memory (MB)", "floor {} peak", "{:.1f}"),
        ("game's processor share at the menu (%)", "menu {} cpu", "{:.1f}"),
        ("its X server's share meanwhile (%)", "menu {} x cpu", "{:.2f}"),
        ("pictures per second at the menu", "menu {} fps", "{:.1f}"),
        (f"pictures per second, first {BURST} s of the swap", "cascade {} 60 burst fps",
         "{:.1f}"),
        ("the same on a 144 Hz display", "cascade {} 144 burst fps", "{:.1f}"),
        ("seconds the cascade moves", "cascade {} 60 moving span", "{:.2f}"),
        ("the same on a 144 Hz display", "cascade {} 144 moving span", "{:.2f}"),
    ]
    label_width = max(len(row[0]) for row in rows)
    print(f"{'':{label_width}}  {'window':>23}  {'full screen':>23}")
    for label, key, fmt in rows:
        print(f"{label:{label_width}}  {column(figures, key.format('window'), fmt):>23}  "
              f"{column(figures, key.format('full'), fmt):>23}")
    game = [median(figures, f"game {size} peak") for size in SIZES]
    floor = [median(figures, f"floor {size} peak") for size in SIZES]
    if None not in game:
        grown = game[1] - game[0]
        print(f"the game full screen holds {grown:.1f} MB more than in its window (medians); "
              f"target <= {FULL_MEMORY:.0f} MB: " + ("met" if grown <= FULL_MEMORY else "NOT met"))
    if None not in game and None not in floor:
        print(f"the floor alone grows by {floor[1] - floor[0]:.1f} MB; the game beyond it "
              f"by {(game[1] - game[0]) - (floor[1] - floor[0]):.1f} MB")
    rate = median(figures, "cascade full 144 burst fps")
    if rate is not None:
        print(f"full screen, while the board moves on a display that takes every picture: "
              f"{rate:.1f} pictures per second; target >= {MOVING_RATE:.0f}: "
              + ("met" if rate >= MOVING_RATE else "NOT met"))


def report(figures, runs, only=None):
    if only == "full":
        print(f"\nruns: {runs}; each figure min / median / max.")
        report_full_screen(figures)
        return
    print(f"\nruns: {runs}; each figure min / median / max. floor: an empty window set up as "
          "the game sets Allegro up (input, add-ons, audio), asleep on its event queue; bare: "
          "Allegro and a window only. Processor shares are of one processor, over "
          f"{SPAN:.0f} s unless told, with the pointer resting unless told. Both floors run "
          "beside the game, "
          "each in its own Xvfb, over the same spans, and the bare window too beside the game "
          "with its music off; 'above it' is the median of the game's "
          "share less its floor's, span by span; the targets compare medians.")
    if only == "pointer":
        report_quiet(figures, ("floor wait", "floor music", "relaxed", "floor wait" + SWEPT,
                               "floor music" + SWEPT, "sweep"))
        return
    if only == "quiet":
        report_quiet(figures, ("floor wait", "floor bare", "menu" + OFF, "bonus" + OFF,
                               "info" + OFF))
        return
    report_start(figures)
    if only is None:
        report_quiet(figures)
        report_full_screen(figures)


# The flags that measure a part alone, and the part each names.
ONLY = {"--start-only": "start", "--full-screen": "full", "--pointer-only": "pointer",
        "--quiet-only": "quiet"}


def main():
    args = [a for a in sys.argv[1:] if not a.startswith("--")]
    flags = [a for a in sys.argv[1:] if a.startswith("--")]
    unknown = [a for a in flags if a not in ONLY]
    if len(args) < 5 or unknown or len(flags) > 1:
        sys.exit("usage: " + __doc__.split("Usage: ")[1].strip())
    only = ONLY[flags[0]] if flags else None
    binary, assets, floor, probe, shim = (os.path.abspath(p) for p in args[:5])
    runs = int(args[5]) if len(args) > 5 else 3
    runner = Runner(binary, assets, floor, probe, shim)
    for run in range(1, runs + 1):
        print(f"== run {run} of {runs}", flush=True)
        runner.run(only)
    report(runner.figures, runs, only)


if __name__ == "__main__":
    main()
