#!/usr/bin/python3
"""End-to-end scenarios: the real game in a real (virtual) window, driven as a player.

Usage: e2e.py BINARY ASSETS ARTIFACTS SCENARIO
Screenshots are kept in ARTIFACTS for people to look at. The scenarios of a game, of the
results and pages, and of stored games live in e2e_game, e2e_records and e2e_saves.
"""

import os
import subprocess
import sys
import time

sys.dont_write_bytecode = True  # no __pycache__ in the source tree

import e2e_game  # noqa: E402
import e2e_records  # noqa: E402
import e2e_saves  # noqa: E402
import e2e_window  # noqa: E402
from flows import leave_through_exit, menu_item, reach_menu  # noqa: E402
from player import E2EFailure, Session, check, wav_loudness  # noqa: E402

BONUS_ITEM = menu_item("bonus")


def scenario_menu(session):
    """Title, menu with its seven items, a hovered item, and the way out."""
    session.start()
    time.sleep(3.0)
    session.screenshot("title")
    path = reach_menu(session)
    text = session.read_text(path, (240, 5, 320, 60))
    check("ORBELI" in text, f"no title above the menu: {text!r}")
    session.move(*BONUS_ITEM)
    time.sleep(0.5)
    session.screenshot("hover")
    leave_through_exit(session)


def scenario_close(session):
    """The window's close button ends the game cleanly."""
    session.start()
    reach_menu(session)
    session.close_window()
    code = session.wait_exit(30)
    check(code == 0, f"exit code {code} after closing the window")


def scenario_silent(session):
    """No sound device that opens: the game runs silently."""
    session.start()
    reach_menu(session)
    session.move(*BONUS_ITEM)
    time.sleep(0.3)
    leave_through_exit(session)


def scenario_sound(session):
    """Sound really plays: the title's chime and the hover tick reach the output."""
    session.start()
    reach_menu(session)
    time.sleep(1.0)
    quiet_start = session.elapsed()
    time.sleep(1.5)
    hover = session.elapsed()
    session.move(*BONUS_ITEM)
    time.sleep(1.5)
    leave_through_exit(session)
    title, quiet, tick = wav_loudness(session.wave,
                                      [(0.5, 5.0), (quiet_start, hover - 0.3),
                                       (hover - 0.2, hover + 1.0)])
    print(f"loudness: title {title:.4f}, quiet menu {quiet:.5f}, hover {tick:.4f}")
    check(title > 0.005, "the title's chime was not heard")
    check(quiet < title / 10, "the menu is not quiet before the hover")
    check(tick > quiet * 5 and tick > 0.001, "the hover tick was not heard")


def scenario_missing_asset(session):
    """A missing picture: one clear line on stderr and exit code 1."""
    session.start()
    code = session.wait_exit(30)
    err = session.stderr().strip()
    check(code == 1, f"exit code {code}")
    check("gr/elementy.png" in err, f"stderr does not name the file: {err!r}")
    check(len(err.splitlines()) == 1, f"more than one line on stderr: {err!r}")
    check(session.window_id() is None, "a window was left open")


SCENARIOS = {
    "menu": (scenario_menu, {}),
    "close": (scenario_close, {}),
    "silent": (scenario_silent, {"env": {"ALSOFT_DRIVERS": "no-such-driver"},
                                 "files": {"opc.txt": "1 1 0"}}),
    "sound": (scenario_sound, {"files": {"opc.txt": "1 1 0"}}),
    "missing_asset": (scenario_missing_asset, {"remove": ["gr/elementy.png"]}),
    **e2e_game.SCENARIOS,
    **e2e_records.SCENARIOS,
    **e2e_saves.SCENARIOS,
    **e2e_window.SCENARIOS,
}


def main():
    binary, assets, artifacts = (os.path.abspath(p) for p in sys.argv[1:4])
    name = sys.argv[4]
    run, options = SCENARIOS[name]
    options = dict(options)
    wave = None
    if name == "sound":
        wave = os.path.join(artifacts, "sound.wav")
        conf = os.path.join(artifacts, "alsoft-wave.conf")
        os.makedirs(artifacts, exist_ok=True)
        with open(conf, "w") as out:
            out.write(f"[general]\ndrivers=wave\n[wave]\nfile={wave}\n")
        options["env"] = {"ALSOFT_CONF": conf, "ALSOFT_DRIVERS": "wave"}
    session = Session(binary, assets, artifacts, name, **options)
    session.wave = wave
    try:
        run(session)
    except E2EFailure as failure:
        print(f"FAILED {name}: {failure}")
        # The whole screen as it stood, for whoever looks into the failure.
        try:
            session.screenshot_screen("failed")
        except subprocess.CalledProcessError:
            pass
        return 1
    finally:
        session.close()
    print(f"passed {name}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
