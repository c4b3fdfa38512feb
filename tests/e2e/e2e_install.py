"""The installed game: started by name from another folder, it finds its assets under its
install prefix and keeps the player's files in the player's folder, which it creates."""
import os
import stat
import time

from e2e_english import ENGLISH_DESKTOP, reach_english_menu
from e2e_records import EFFECTS_AT_0_3, MODE_SWITCH, OPTIONS_BOX
from flows import PAGE_RETURN, SLOW, choose, leave_through_exit, read_file, reach_menu, see
from player import check


def scenario_installed(session):
    check(not os.path.exists(session.folder), "the player's folder exists before the start")
    session.start()
    reach_menu(session)
    # A first start: the relaxed game; switched to the timed one, the effects turned down.
    choose(session, "options")
    see(session, ["Głośność", "Gra dla relaksu"], "options", OPTIONS_BOX)
    session.click(*MODE_SWITCH)
    session.move(400, 420)
    time.sleep(0.5)
    session.click(*EFFECTS_AT_0_3)
    session.move(400, 420)
    session.wait_for_text(["Gra na czas"], "options-changed", SLOW, OPTIONS_BOX)
    session.click(*PAGE_RETURN)
    reach_menu(session, "menu-after-options")
    leave_through_exit(session)
    written = read_file(session, "opc.txt").split("\n")
    check(written[1:] == ["0.3", "1", ""],
          f"opc.txt in the player's folder reads {written!r}")
    mode = stat.S_IMODE(os.stat(session.folder).st_mode)
    check(mode == 0o700, f"the player's folder was made with mode {mode:o}")
    check(os.listdir(session.elsewhere) == [],
          f"the game wrote into the folder it was started from: {os.listdir(session.elsewhere)}")

    # On an English desktop the same installation speaks English, from its own catalogue.
    session.set_env(ENGLISH_DESKTOP)
    session.reading = "eng"
    session.start()
    reach_english_menu(session, "menu-english")
    leave_through_exit(session)


SCENARIOS = {
    "installed": (scenario_installed, {"installed": True}),
}
