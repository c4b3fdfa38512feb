#!/usr/bin/python3
"""End-to-end scenarios: the real game in a real (virtual) window, driven as a player.

Usage: e2e.py BINARY ASSETS ARTIFACTS SCENARIO
Screenshots are kept in ARTIFACTS for people to look at. The scenarios of a game, of the
results and pages, and of stored games live in e2e_game, e2e_records and e2e_saves; the
game in English in e2e_english (every other scenario plays it in Polish).
"""

import os
import subprocess
import sys
import threading
import time
from concurrent.futures import ThreadPoolExecutor

sys.dont_write_bytecode = True  # no __pycache__ in the source tree

import e2e_damaged  # noqa: E402
import e2e_disk  # noqa: E402
import e2e_english  # noqa: E402
import e2e_game  # noqa: E402
import e2e_install  # noqa: E402
import e2e_keys  # noqa: E402
import e2e_pace  # noqa: E402
import e2e_presses  # noqa: E402
import e2e_records  # noqa: E402
import e2e_saves  # noqa: E402
import e2e_window  # noqa: E402
from flows import (HINT_AREA, HINT_BUTTON, SCREEN, SLOW, choose,  # noqa: E402
                   leave_through_exit, menu_item, reach_menu, skipping_intro)
from picture import Picture  # noqa: E402
from player import E2EFailure, Session, check, wav_loudness  # noqa: E402

BONUS_ITEM = menu_item("bonus")


def scenario_menu(session):
    """Title, menu with its seven items, a hovered item, and the way out."""
    session.start()
    time.sleep(3.0)
    session.screenshot("title")
    path = reach_menu(session, skip_intro=False)
    text = session.read_text(path, (240, 5, 320, 60))
    check("ORBELI" in text, f"no title above the menu: {text!r}")
    session.move(*BONUS_ITEM)
    time.sleep(0.5)
    session.screenshot("hover")
    leave_through_exit(session)


CLOSES = 15  # closes from the menu, and as many again from inside a game
LANES = 3  # games closed side by side, each in its own display: a start-up takes seconds
AWAY = (20, 580)  # a point of the menu and of the game screen that reacts to nothing
BONUS_BAND = (293, 255, 211, 25)  # lit while the pointer is on the bonus item


def answering(session, point, box, label, nudge=None):
    """Waits until the screen stands still and lights box only while the pointer is on
    point: its loop runs and reads the mouse, and so also the window's close message.
    A fade neither stands still nor answers the pointer, and holds a close back. The
    nudge key is pressed at every look (a key skips the intro)."""
    deadline = time.monotonic() + SLOW
    looks = []
    while time.monotonic() < deadline:
        if nudge:
            session.key(nudge)
        away = Picture(session.screenshot(label))
        session.move(*point)
        time.sleep(0.2)
        lit = Picture(session.screenshot(f"{label}-lit"))
        session.move(*AWAY)
        time.sleep(0.2)
        back = Picture(session.screenshot(f"{label}-back"))
        moved, glow = back.differing(away, SCREEN), lit.differing(away, box, 8)
        if moved == 0 and glow > 200:
            return
        looks.append(f"{moved}/{glow}")
        check(session.game.poll() is None, f"the game ended early: {session.stderr()}")
    # What the looks saw tells a screen that never stood still from a glow that never came.
    raise E2EFailure(f"the {label} never answered the pointer within {SLOW} s; pixels moved "
                     f"at rest / lit by the pointer, look by look: {' '.join(looks[-12:])}")


def closed_at_once(session, where):
    """Closes the window; the game must be gone within a second, with exit code 0.
    Returns how long it took."""
    sent = time.monotonic()
    session.close_window()
    try:
        code = session.wait_exit(10)
    except E2EFailure:
        raise E2EFailure(f"the game did not end at all after the close {where}") from None
    took = time.monotonic() - sent
    session.note(f"{session.name}: closed {where} in {took:.2f} s")
    check(took < 1.0, f"the game ended only {took:.2f} s after the close {where}")
    check(code == 0, f"exit code {code} after the close {where}: {session.stderr()}")
    return took


def close_repeatedly(session, rounds, failed):
    """Closes the game from the menu and from a new game, rounds times each, unless
    another lane has failed meanwhile."""
    waits = []
    for turn in range(2 * rounds):
        if failed.is_set():
            break
        session.start()
        session.move(*AWAY)
        # A key, not a click: a click too late for the intro would be kept for the menu.
        answering(session, BONUS_ITEM, BONUS_BAND, "menu", nudge=skipping_intro(session))
        where = f"{turn + 1} of {2 * rounds}"
        if turn % 2 == 1:
            choose(session, "new")
            session.move(*AWAY)
            answering(session, HINT_BUTTON, HINT_AREA, "game")
            # In a game the first close asks whether to store it; the second ends it.
            session.close_window()
            time.sleep(0.5)
            check(session.game.poll() is None, f"a game ended untold at the close {where}")
            where += " (the second close in a game)"
        waits.append(closed_at_once(session, where))
    return waits


def scenario_close(session):
    """The window's close button ends the game within a second, thirty times in a row,
    from the menu and from inside a game, where the first close asks and a second one
    ends it."""
    lanes = [session] + [Session(session.binary, session.assets, session.artifacts,
                                 f"{session.name}{n}") for n in range(2, LANES + 1)]
    failed = threading.Event()

    def lane_run(lane):
        try:
            return close_repeatedly(lane, CLOSES // LANES, failed)
        except BaseException:
            failed.set()
            raise

    try:
        with ThreadPoolExecutor(LANES) as pool:
            waits = [wait for lane in pool.map(lane_run, lanes) for wait in lane]
    finally:
        for lane in lanes[1:]:
            lane.close()
    print(f"{len(waits)} closes, ended on average {sum(waits) / len(waits):.2f} s and at "
          f"most {max(waits):.2f} s after the message")


def scenario_silent(session):
    """No sound device that opens: the game runs silently."""
    session.start()
    reach_menu(session)
    session.move(*BONUS_ITEM)
    time.sleep(0.3)
    leave_through_exit(session)


def scenario_sound(session):
    """Sound really plays: the title's chime and the hover tick reach the output."""
    # The recording begins when the game opens its sound device (OpenAL's wave output
    # creates its file then), which under load can be seconds after the start: that
    # moment is watched for, and the game's moments are placed in the recording from it.
    if os.path.exists(session.wave):
        os.remove(session.wave)
    opened = []

    def watch():
        deadline = time.monotonic() + 60
        while not opened and time.monotonic() < deadline:
            if os.path.exists(session.wave):
                opened.append(session.elapsed())
            time.sleep(0.01)

    session.start()
    watcher = threading.Thread(target=watch, daemon=True)
    watcher.start()
    reach_menu(session, skip_intro=False)  # the title's chime is listened for
    time.sleep(1.0)
    quiet_start = session.elapsed()
    time.sleep(2.5)
    hover = session.elapsed()
    session.move(*BONUS_ITEM)
    time.sleep(1.5)
    leave_through_exit(session)
    watcher.join(1.0)
    check(opened, "the game never opened its sound device")
    lag = opened[0]
    session.note(f"the recording began {lag:.2f} s after the start")
    # The tick follows the move once the pointer has moved and the menu has polled it.
    title, quiet, tick = wav_loudness(session.wave,
                                      [(0.0, 5.0), (quiet_start - lag, hover - lag - 0.2),
                                       (hover - lag - 0.2, hover - lag + 1.4)])
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
    check(not session.window_left(), "a window was left open")


SCENARIOS = {
    "menu": (scenario_menu, {}),
    "close": (scenario_close, {}),
    "silent": (scenario_silent, {"env": {"ALSOFT_DRIVERS": "no-such-driver"},
                                 "files": {"opc.txt": "1 1 0"}}),
    "sound": (scenario_sound, {"files": {"opc.txt": "1 1 0"}}),
    "missing_asset": (scenario_missing_asset, {"remove": ["gr/elementy.png"]}),
    **e2e_damaged.SCENARIOS,
    **e2e_disk.SCENARIOS,
    **e2e_english.SCENARIOS,
    **e2e_game.SCENARIOS,
    **e2e_install.SCENARIOS,
    **e2e_keys.SCENARIOS,
    **e2e_pace.SCENARIOS,
    **e2e_presses.SCENARIOS,
    **e2e_records.SCENARIOS,
    **e2e_saves.SCENARIOS,
    **e2e_window.SCENARIOS,
}


# Played by tests/install/check_install.sh against an installed game, not by the build's.
INSTALLED_ONLY = {"installed"}


def main():
    if sys.argv[1:] == ["--list"]:
        print(";".join(name for name in SCENARIOS if name not in INSTALLED_ONLY))
        return 0
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
