"""The pace of the game on a display that waits for its refresh: the same real game, once
presenting freely as Xvfb does and once with every flip held to the next 1/60 s as most
desktops do (a preloaded shim around al_flip_display)."""

import os
import time

from flows import emptied_clock_rows, reach_menu, start_new_game
from picture import Picture
from player import check

WATCH = 8.0  # seconds the clock is watched; a step of level 1 lasts about 0.85 s


def clock_rows_per_second(session, label):
    """Starts a timed game and measures how fast its clock bar empties."""
    session.start()
    reach_menu(session)
    start_new_game(session, f"{label}-board")
    first = Picture(session.screenshot(f"{label}-clock-start"))
    started = time.monotonic()
    time.sleep(WATCH)
    later = Picture(session.screenshot(f"{label}-clock-later"))
    watched = time.monotonic() - started
    rows = len(emptied_clock_rows(first, later))
    session.note(f"{label}: {rows} rows of the clock in {watched:.1f} s")
    session.close_window()
    check(session.wait_exit(5.0) == 0, f"the {label} game did not end cleanly")
    return rows / watched


def scenario_pace_60hz(session):
    free = clock_rows_per_second(session, "free")
    check(free > 0.5, f"the clock of the free-running game hardly moved: {free:.2f} rows/s")
    session.env["LD_PRELOAD"] = os.environ["ORBELIUM_VSYNC_SHIM"]
    held = clock_rows_per_second(session, "60hz")
    check(abs(held / free - 1.0) < 0.25,
          f"at 60 Hz the clock empties {held:.2f} rows/s, freely {free:.2f} rows/s")


SCENARIOS = {
    "pace_60hz": (scenario_pace_60hz, {"files": {"opc.txt": "1\n1\n1\n"}}),
}
