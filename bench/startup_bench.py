#!/usr/bin/python3
"""Start-up and pace benchmark of the real game under Xvfb, beside the floor of its own
stack: an empty window (floor_window) set up as the game sets Allegro up, measured in the
same run on the same machine. The bare window (Allegro and a window, nothing else) is
measured too, for the first frame and the memory.

Each run measures, for the game and for the floor:
- the time from starting the process to its first presented frame (the first
  al_flip_display, noted by the preloaded probe);
- the peak resident memory and the private memory, the game's at its main menu;
- the processor share over 5 s while nothing moves: the game idle at its main menu, the
  floor asleep (it presents nothing) and the floor flipping black frames at the game
  loop's pace; the X server's share beside each;
- the frames presented per second over 5 s: the game in a timed game, the floor
  flipping; both free and with every flip held to 60 Hz by the vsync60 shim.
With --start-only, only the first frame and the memory are measured.

Usage: startup_bench.py BINARY ASSETS FLOOR PROBE SHIM [RUNS] [--start-only]
"""

import os
import statistics
import struct
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "e2e"))
from flows import menu_item, reach_menu, wait_for_board  # noqa: E402
from player import E2EFailure, Session  # noqa: E402

SPAN = 5.0  # seconds each processor share and frame rate is measured over
SETTLE = 1.0  # seconds left after a screen has settled, before measuring
CORNER = (795, 595)  # where the pointer rests, over nothing that reacts
FADING = 10  # frames presented within 0.5 s by a screen that has begun to fade out
# A timed game (mode 1) with the music playing, as a player would have it.
TIMED_OPTIONS = "0.5\n0.5\n1\n"
CLOCK_TICKS = os.sysconf("SC_CLK_TCK")


class Probe:
    """The files the probe writes: the first frame's time and the count of flips."""

    def __init__(self):
        self.stamp = tempfile.mktemp(prefix="orbelium-first-frame-")
        self.counter = tempfile.mktemp(prefix="orbelium-flips-")

    def env(self, libraries):
        return {"LD_PRELOAD": " ".join(libraries), "ORBELIUM_PROBE_FILE": self.stamp,
                "ORBELIUM_FLIP_COUNT_FILE": self.counter}

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
        for path in (self.stamp, self.counter):
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


def measure_span(session, probe):
    """Processor shares (%) of the process and of the X server, and frames per second,
    over SPAN seconds."""
    pids = (session.game.pid, session.xvfb.pid)
    ticks = [processor_ticks(pid) for pid in pids]
    flips, begin = probe.flips(), time.monotonic()
    time.sleep(SPAN)
    elapsed = time.monotonic() - begin
    flips = probe.flips() - flips
    shares = [100.0 * (processor_ticks(pid) - t) / CLOCK_TICKS / elapsed
              for pid, t in zip(pids, ticks)]
    return shares[0], shares[1], flips / elapsed


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


def end(session):
    """Closes the window as a player would; a process that hangs on its way out (a known
    X11 hang inside Allegro and Mesa) is killed, its figures are already taken."""
    try:
        session.close_window()
        session.game.wait(timeout=10)
    except Exception:  # noqa: BLE001 - a close that fails changes no figure
        pass
    session.close()


def start_timed_game(session, probe):
    """Clicks the menu's first item until the menu fades out (the fade presents dozens of
    frames; a menu that missed the click presents none), then waits for the board."""
    for _ in range(3):
        flips = probe.flips()
        session.click(*menu_item("new"))
        time.sleep(0.5)
        if probe.flips() - flips >= FADING:
            wait_for_board(session, "board")
            return
    raise E2EFailure("no game started from the menu")


class Runner:
    def __init__(self, binary, assets, floor, probe, shim):
        self.binary, self.assets, self.floor = binary, assets, floor
        self.probe_library, self.shim = probe, shim
        self.artifacts = tempfile.mkdtemp(prefix="orbelium-bench-")
        self.figures = {}
        self.game_runs = 0

    def note(self, name, value):
        self.figures.setdefault(name, []).append(value)

    def session(self, name, paced, files=None):
        probe = Probe()
        libraries = [self.probe_library] + ([self.shim] if paced else [])
        session = Session(self.binary, self.assets, self.artifacts, name,
                          env=probe.env(libraries), files=files)
        return session, probe

    def floor_run(self, mode, paced=False, start_only=False):
        session, probe = self.session(f"floor-{mode}", paced)
        try:
            launch(session, [self.floor, mode])
            first_frame = probe.first_frame(session)
            time.sleep(SETTLE)
            if mode in ("wait", "bare"):
                name = "floor" if mode == "wait" else "bare"
                self.note(f"{name} first frame", first_frame)
                peak, private = memory(session.game.pid)
                self.note(f"{name} peak", peak)
                self.note(f"{name} private", private)
            if start_only or mode == "bare":
                return
            own, server, rate = measure_span(session, probe)
            key = f"floor {mode}" + (" 60" if paced else "")
            self.note(f"{key} cpu", own)
            self.note(f"{key} x cpu", server)
            self.note(f"{key} fps", rate)
        finally:
            end(session)
            probe.remove()

    def game_session(self, paced, start_only):
        self.game_runs += 1  # each its own name: a session clears its name's screenshots
        session, probe = self.session(f"game-{self.game_runs}", paced,
                                      files={"opc.txt": TIMED_OPTIONS})
        key = "game" + (" 60" if paced else "")
        try:
            launch(session, [self.binary])
            first_frame = probe.first_frame(session)
            if not paced:
                self.note("game first frame", first_frame)
            reach_menu(session)
            session.move(*CORNER)
            time.sleep(SETTLE)
            if not paced:
                peak, private = memory(session.game.pid)
                self.note("game peak", peak)
                self.note("game private", private)
            if start_only:
                return
            own, server, _ = measure_span(session, probe)
            self.note(f"{key} idle cpu", own)
            self.note(f"{key} idle x cpu", server)
            start_timed_game(session, probe)
            session.move(*CORNER)
            time.sleep(SETTLE)
            own, server, rate = measure_span(session, probe)
            if rate == 0:
                shot = session.screenshot("stalled")
                raise E2EFailure(f"the timed game presented nothing for {SPAN:.0f} s: {shot}")
            self.note(f"{key} play cpu", own)
            self.note(f"{key} play x cpu", server)
            self.note(f"{key} fps", rate)
        finally:
            end(session)
            probe.remove()

    def run(self, start_only):
        self.floor_run("bare")
        self.floor_run("wait", start_only=start_only)
        self.game_run(start_only=start_only)
        if start_only:
            return
        self.floor_run("flip")
        self.floor_run("flip", paced=True)
        self.game_run(paced=True)

    def game_run(self, paced=False, start_only=False):
        """One run of the game; a run that goes wrong is told and its figures not taken
        further, the other runs go on."""
        try:
            self.game_session(paced, start_only)
        except E2EFailure as failure:
            print(f"run left out: {failure}", flush=True)


def report(figures, runs, start_only):
    def column(name, fmt):
        values = figures.get(name, []) if name else []
        if not values:
            return "-"
        return " / ".join(fmt.format(v) for v in
                          (min(values), statistics.median(values), max(values)))

    print(f"\nruns: {runs}; each figure min / median / max. floor: an empty window set up as "
          "the game sets Allegro up (input, add-ons, audio); bare: Allegro and a window only. "
          "Processor shares are of one processor.")
    # label, game's figure, floor's, bare window's, format, note
    rows = [
        ("time to first presented frame (s)", "game first frame", "floor first frame",
         "bare first frame", "{:.3f}", "target <= 0.15 s"),
        ("peak resident memory (MB)", "game peak", "floor peak", "bare peak", "{:.1f}",
         "target <= floor + 20 MB"),
        ("private memory at the menu (MB)", "game private", "floor private", "bare private",
         "{:.1f}", ""),
    ]
    if not start_only:
        rows += [
            ("processor idle at the menu (%)", "game idle cpu", "floor wait cpu", None,
             "{:.1f}", "target <= 3 %; the floor asleep"),
            ("  X server meanwhile (%)", "game idle x cpu", "floor wait x cpu", None, "{:.1f}",
             ""),
            ("  flips held to 60 Hz (%)", "game 60 idle cpu", None, None, "{:.1f}", ""),
            ("frames per second, free", "game fps", "floor flip fps", None, "{:.0f}",
             "game: a timed game; floor: flipping at the game loop's pace"),
            ("  processor meanwhile (%)", "game play cpu", "floor flip cpu", None, "{:.1f}", ""),
            ("  X server meanwhile (%)", "game play x cpu", "floor flip x cpu", None, "{:.1f}",
             ""),
            ("frames per second, flips held to 60 Hz", "game 60 fps", "floor flip 60 fps", None,
             "{:.1f}", ""),
            ("  processor meanwhile (%)", "game 60 play cpu", "floor flip 60 cpu", None,
             "{:.1f}", ""),
            ("  X server meanwhile (%)", "game 60 play x cpu", "floor flip 60 x cpu", None,
             "{:.1f}", ""),
        ]
    width = max(len(row[0]) for row in rows)
    print(f"{'':{width}}  {'game':>23}  {'floor':>23}  {'bare':>23}")
    for label, game, floor, bare, fmt, note in rows:
        print(f"{label:{width}}  {column(game, fmt):>23}  {column(floor, fmt):>23}  "
              f"{column(bare, fmt):>23}  {note}")
    for name in ("floor", "bare"):
        peaks, floors = figures.get("game peak"), figures.get(f"{name} peak")
        if peaks and floors:
            print(f"game's peak resident memory above the {name} (medians): "
                  f"{statistics.median(peaks) - statistics.median(floors):.1f} MB")


def main():
    args = [a for a in sys.argv[1:] if not a.startswith("--")]
    start_only = "--start-only" in sys.argv
    binary, assets, floor, probe, shim = (os.path.abspath(p) for p in args[:5])
    runs = int(args[5]) if len(args) > 5 else 5
    runner = Runner(binary, assets, floor, probe, shim)
    for run in range(1, runs + 1):
        print(f"== run {run} of {runs}", flush=True)
        runner.run(start_only)
    report(runner.figures, runs, start_only)


if __name__ == "__main__":
    main()
