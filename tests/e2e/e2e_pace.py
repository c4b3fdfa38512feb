"""The pace of the timed game's clock on four displays, each its own Xvfb with its own
game, watched at the same time: Xvfb's own, which takes every picture at once; a 60 Hz
and a 144 Hz display that hold every flip until their refresh; and a display whose flips
cost nothing and reach the screen once a 60 Hz refresh (a preloaded shim around the
flip, bench/display_shim.c). On every one of them, level 1's clock bar empties one row a
step of 641 frames of 1/750 s: 750/641 rows per second, within 1 %.

The game does not make up a stall beyond 50 ms (its frames would otherwise race to
catch up), and on a machine shared with other work the game, its renderer or its X
server may wait that long for a processor, or the whole machine for memory. Such spells
are read from the kernel's counts of the time each of their threads waited to run and
of the time everything waited for memory or a disk, and the time lost in them beyond
50 ms is allowed for; on a quiet machine there are none."""

import os
import threading
import time
from concurrent.futures import ThreadPoolExecutor

from flows import CLOCK_BAR, SLOW, reach_menu, start_new_game
from player import Session, check

STEP = 641 / 750  # seconds a step of level 1's clock lasts: one row of the bar
TOLERANCE = 0.01  # of the nominal pace
WATCH = 30.0  # seconds the four clocks are watched, side by side
POLL = 0.02  # seconds between two looks at a bar
ENDS = 5  # rows at each end of the watch whose times place the watch's ends
LONGEST_LAG = 0.05  # the longest stall the game makes up
RESTING = (795, 595)  # the pointer rests over nothing that reacts
DISPLAYS = [
    ("free", {}),
    ("60hz", {"ORBELIUM_DISPLAY_HZ": "60", "ORBELIUM_DISPLAY_FLIPS": "held"}),
    ("144hz", {"ORBELIUM_DISPLAY_HZ": "144", "ORBELIUM_DISPLAY_FLIPS": "held"}),
    ("fast", {"ORBELIUM_DISPLAY_HZ": "60", "ORBELIUM_DISPLAY_FLIPS": "fast"}),
]
PACE_FILES = {"opc.txt": "1\n1\n1\n"}


def row_changed(before, after, tolerance=8):
    return any(abs(a - b) > tolerance for a, b in zip(before, after))


def waited(pids):
    """Seconds the threads a picture of the game waits for have waited for a processor,
    by thread: the main thread of each process (the game's keeps its clock and draws; the
    X server's takes the pictures) and the game's renderer threads."""
    times = {}
    for pid in pids:
        try:
            threads = os.listdir(f"/proc/{pid}/task")
        except OSError:
            continue
        for thread in threads:
            try:
                with open(f"/proc/{pid}/task/{thread}/comm") as name:
                    if thread != str(pid) and not name.read().startswith("llvmpipe"):
                        continue
                with open(f"/proc/{pid}/task/{thread}/schedstat") as stat:
                    times[thread] = int(stat.read().split()[1]) / 1e9
            except OSError:
                pass  # a thread that ended meanwhile
    return times


def machine_stood():
    """Seconds so far in which every task that had work waited for memory or for a disk
    (the kernel's pressure counts), the whole machine standing still."""
    total = 0.0
    for kind in ("memory", "io"):
        try:
            with open(f"/proc/pressure/{kind}") as pressure:
                full = pressure.read().split("full ")[1].split()
        except (OSError, IndexError):
            continue
        total += int(dict(field.split("=") for field in full)["total"]) / 1e6
    return total


class Stalls:
    """Spells in which the game could not go on: a look at the bar is starved when one of
    the threads its pictures wait for waited for a processor at least half the time since
    the last look, or the whole machine stood that long. Consecutive starved looks make a
    spell; the time spells lasted beyond LONGEST_LAG is the time the clock may lose."""

    def __init__(self, pids):
        self.pids = pids
        self.last = waited(pids)
        self.stood = machine_stood()
        self.spell = 0.0
        self.beyond = 0.0
        self.longest = 0.0

    def look(self, since):
        now, stood = waited(self.pids), machine_stood()
        starved = max([now[t] - self.last[t] for t in now if t in self.last] +
                      [stood - self.stood])
        self.last, self.stood = now, stood
        if starved >= since / 2:
            self.spell += starved
            return
        self.end()

    def end(self):
        self.beyond += max(0.0, self.spell - LONGEST_LAG)
        self.longest = max(self.longest, self.spell)
        self.spell = 0.0


def emptying_times(session, seconds, stalls):
    """When each row of the clock bar emptied, looked at every POLL seconds for `seconds`:
    {row: the middle of the span between the last look that showed it full and the first
    that showed it changed}. Read straight from the X server, a look takes a millisecond
    or so, where a screenshot takes a tenth of a second."""
    from Xlib import X, display as xdisplay

    connection = xdisplay.Display(session.display)
    try:
        root = connection.screen().root
        x, top, width, height = CLOCK_BAR

        def look():
            return root.get_image(x, top, width, height, X.ZPixmap, 0xFFFFFFFF).data

        full = look()
        stride = len(full) // height
        emptied = {}
        previous = time.monotonic()
        end = previous + seconds
        while previous < end:
            time.sleep(POLL)
            now = time.monotonic()
            bar = look()
            stalls.look(now - previous)
            for row in range(height):
                part = slice(row * stride, (row + 1) * stride)
                if row not in emptied and bar[part] != full[part] and \
                        row_changed(full[part], bar[part]):
                    emptied[row] = (previous + now) / 2
            previous = now
        stalls.end()
        return emptied
    finally:
        connection.close()


def watch_clock(session, label, together):
    """Starts a timed game, waits for the other lanes, and watches its clock bar; returns
    what it saw: the rows emptied, the time the clock lost against its nominal pace over
    the watch, and the time stalls beyond LONGEST_LAG allow it to lose."""
    session.start()
    reach_menu(session)
    start_new_game(session, f"{label}-board")
    session.move(*RESTING)
    # The lanes watch at the same time, so no lane's reading of text loads the machine
    # under another's watch.
    together.wait(timeout=4 * SLOW)
    stalls = Stalls((session.game.pid, session.xvfb.pid))
    emptied = emptying_times(session, WATCH, stalls)
    # The first close asks whether to store the game; the second ends it unstored.
    session.close_window()
    time.sleep(0.5)
    session.close_window()
    check(session.wait_exit(10.0) == 0, f"the {label} game did not end cleanly")
    rows = sorted(emptied)
    check(len(rows) > 2 * ENDS, f"{label}: the clock hardly moved, rows {rows}")
    # Each row's time less its nominal one; the ends of the watch averaged over a few rows
    # so that one row seen late does not tip the reading.
    behind = [emptied[r] - r * STEP for r in rows]
    lost = sum(behind[-ENDS:]) / ENDS - sum(behind[:ENDS]) / ENDS
    span = (sum(rows[-ENDS:]) - sum(rows[:ENDS])) / ENDS * STEP
    rate = span / (span + lost) / STEP
    session.note(f"{label}: rows {rows[0]}..{rows[-1]} ({len(rows)}) emptied at {rate:.4f} "
                 f"rows/s (nominal {1 / STEP:.4f}), {lost * 1000:+.0f} ms off their nominal "
                 f"{span:.1f} s ({lost / span:+.2%}); stalls {stalls.beyond * 1000:.0f} ms "
                 f"beyond {LONGEST_LAG * 1000:.0f} ms, the longest {stalls.longest * 1000:.0f} ms")
    return label, rows, lost, span, stalls.beyond


def scenario_pace(session):
    lanes = [session]
    for label, env in DISPLAYS[1:]:
        lanes.append(Session(session.binary, session.assets, session.artifacts,
                             f"{session.name}-{label}", env=env, files=PACE_FILES))
    shim = os.environ["ORBELIUM_DISPLAY_SHIM"]
    for lane, (_, env) in zip(lanes, DISPLAYS):
        if env:
            lane.env["LD_PRELOAD"] = shim
    together = threading.Barrier(len(lanes))

    def lane_run(lane, label):
        try:
            return watch_clock(lane, label, together)
        except BaseException:
            together.abort()  # the others stop waiting for this one
            raise

    try:
        with ThreadPoolExecutor(len(lanes)) as pool:
            readings = list(pool.map(lane_run, lanes, [label for label, _ in DISPLAYS]))
    finally:
        for lane in lanes[1:]:
            lane.close()
    expected = int(WATCH / STEP)
    for label, rows, lost, span, allowed in readings:
        # Every step shows its row: a missing row is a step whose picture never came.
        check(rows[-1] - rows[0] + 1 == len(rows) and len(rows) >= expected - 1 -
              int(allowed / STEP), f"{label}: rows {rows} emptied in {WATCH:.0f} s, "
              f"about {expected} expected")
        check(-TOLERANCE * span <= lost <= TOLERANCE * span + allowed,
              f"{label}: over {span:.1f} s the clock ran {lost * 1000:+.0f} ms off its "
              f"nominal pace ({lost / span:+.2%}); stalls allow it to lose "
              f"{allowed * 1000:.0f} ms beyond {TOLERANCE:.0%}")


SCENARIOS = {
    "pace": (scenario_pace, {"files": PACE_FILES}),
}
