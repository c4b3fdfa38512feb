#!/usr/bin/python3
"""Start-up benchmark of the real game under Xvfb.

Prints, over several runs, the time from starting the process to its first presented
frame (the title screen's first flip) and the peak resident memory of a run that goes
through the title into the main menu.
Usage: startup_bench.py BINARY ASSETS PROBE_LIBRARY [RUNS]
"""

import os
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "e2e"))
from player import Session  # noqa: E402

MENU_WORDS = ["Nowa", "Wyjście"]


def one_run(binary, assets, probe, artifacts):
    stamp = tempfile.mktemp(prefix="orbelium-first-frame-")
    session = Session(binary, assets, artifacts, "bench",
                      env={"LD_PRELOAD": probe, "ORBELIUM_PROBE_FILE": stamp})
    try:
        session.start()
        started = session.started
        session.wait_for_text(MENU_WORDS, "menu", 60, (300, 168, 200, 280))
        time.sleep(1.0)
        with open(f"/proc/{session.game.pid}/status") as status:
            peak_kb = next(int(line.split()[1]) for line in status if line.startswith("VmHWM"))
        session.close_window()
        session.wait_exit(30)
        with open(stamp) as text:
            first_frame = float(text.read()) - started
        return first_frame, peak_kb / 1024.0
    finally:
        session.close()
        if os.path.exists(stamp):
            os.remove(stamp)


def main():
    binary, assets, probe = (os.path.abspath(p) for p in sys.argv[1:4])
    runs = int(sys.argv[4]) if len(sys.argv) > 4 else 5
    artifacts = tempfile.mkdtemp(prefix="orbelium-bench-")
    frames, memory = [], []
    for _ in range(runs):
        first_frame, peak = one_run(binary, assets, probe, artifacts)
        frames.append(first_frame)
        memory.append(peak)
    def line(label, values, unit, fmt):
        print(f"{label}: min {fmt.format(min(values))} {unit}, median "
              f"{fmt.format(statistics.median(values))} {unit}, max {fmt.format(max(values))} {unit}")
    print(f"runs: {runs}")
    line("time to first title frame", frames, "s", "{:.3f}")
    line("peak resident memory", memory, "MB", "{:.1f}")


if __name__ == "__main__":
    main()
