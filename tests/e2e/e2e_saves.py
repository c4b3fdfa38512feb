"""Stored games as a player uses them: store a game under a typed password, resume it,
store it again under its old name, passwords that must not resume anything, and a
password ended with Escape."""

import os
import time

from board_view import (BOARD_BOX, SCORE_BOX, ElementColours, board_from_stored, board_text,
                        stored_game_text)
from flows import (BOTTOM_STRIP, MIDDLE_STRIP, NO_BUTTON, SAVE_BUTTON, YES_BUTTON, choose,
                   emptied_clock_rows, leave_by_menu_button, leave_through_exit, read_file,
                   reach_menu, resume, start_new_game, type_and_enter, wait_in_strip)
from picture import Picture
from player import check, same_text

PASSWORD = "kometaś7"  # with a Polish letter, as the save dialog accepts it
DECOY = stored_game_text([[(r + c) % 2 + 1 for c in range(8)] for r in range(8)], score=777)
OPTIONS = "0.5\n0.5\n0\n"
PASSWORD_FIELD = (360, 548, 380, 40)


def answer_yes(session, label):
    session.click(*SAVE_BUTTON)
    wait_in_strip(session, ["Czy", "zapisać", "stan"], f"{label}-question", BOTTOM_STRIP)
    session.click(*YES_BUTTON)


def ask_for_password(session, label):
    """From the game: the save button, yes, and the strip asks for a new password."""
    answer_yes(session, label)
    wait_in_strip(session, ["Wpisz", "hasło"], f"{label}-prompt", BOTTOM_STRIP)


def type_password(session, password, label, end="Return"):
    """Types a password into the strip's field, sees it there, and ends it with `end`
    (none: the caller presses the key)."""
    session.type(password)
    session.wait_for_text([password], f"{label}-typed", 15, PASSWORD_FIELD, psm=7)
    if end:
        session.key(end)


def refused(session, password, label):
    """Types a password into the load dialog and sees it refused, back in the menu."""
    choose(session, "resume")
    wait_in_strip(session, ["Podaj"], f"{label}-prompt", MIDDLE_STRIP)
    type_and_enter(session, password)
    wait_in_strip(session, ["Niepoprawne"], label, MIDDLE_STRIP)
    reach_menu(session, f"{label}-menu")


def files_in(session):
    return sorted(os.listdir(session.folder))


def scenario_save_resume(session):
    """Store under a new password, resume it exactly, store under the old name, refuse
    paths and other files as passwords."""
    session.start()
    reach_menu(session)
    choose(session, "resume")
    wait_in_strip(session, ["Nie ma", "zapisanych"], "no-saved-games", MIDDLE_STRIP)
    reach_menu(session, "menu-after-nothing")

    colours = ElementColours(session.assets)
    played = start_new_game(session, "board")
    board = colours.read_board(played)
    ask_for_password(session, "store")
    type_password(session, PASSWORD, "store")
    reach_menu(session, "menu-after-store")

    check(os.path.isfile(session.file(PASSWORD)), f"no file {PASSWORD!r}: {files_in(session)}")
    stored = read_file(session, PASSWORD)
    lines = stored.split("\n")
    check(len(lines) == 12 and lines[8] == "" and not stored.endswith("\n"),
          f"the stored game is not 12 lines with an empty 9th: {stored!r}")
    check(board_from_stored(stored) == board,
          f"the stored board\n{board_text(board_from_stored(stored))}\nis not the one on "
          f"screen\n{board_text(board)}")
    check(lines[11] == "1 0 0 0 0 0.5 0.5 0 ", f"the stored figures read {lines[11]!r}")
    check(read_file(session, "zg.txt") == "1", "zg.txt does not count one stored game")

    back = resume(session, PASSWORD, "resumed")
    check(back.differing(played, BOARD_BOX) == 0,
          "the resumed board does not look like the board that was stored")
    check(session.read_number(back.path, SCORE_BOX) == 0, "the resumed score is not 0")

    answer_yes(session, "store-again")
    wait_in_strip(session, ["zapisana", "starą", "nazwą"], "old-name", BOTTOM_STRIP)
    reach_menu(session, "menu-after-old-name")
    check(read_file(session, PASSWORD) == stored, "storing under the old name changed the game")
    check(read_file(session, "zg.txt") == "1", "storing under the old name changed the count")

    before = files_in(session)
    refused(session, "../x", "refused-path")
    refused(session, "opc.txt", "refused-options")
    refused(session, "nieznane", "refused-unknown")
    check(files_in(session) == before, f"files changed: {before} -> {files_in(session)}")
    check(read_file(session, "../x") == DECOY, "the file outside the folder was changed")
    check(read_file(session, "opc.txt") == OPTIONS, "opc.txt was changed")
    check(read_file(session, "zg.txt") == "1", "the count changed")

    start_new_game(session, "board-not-stored")
    session.click(*SAVE_BUTTON)
    wait_in_strip(session, ["Czy", "zapisać", "stan"], "no-question", BOTTOM_STRIP)
    session.click(*NO_BUTTON)
    reach_menu(session, "menu-after-no")
    check(files_in(session) == before, f"NIE stored something: {files_in(session)}")
    check(read_file(session, "zg.txt") == "1", "NIE changed the count")
    leave_through_exit(session)


ESCAPE_PASSWORD = "orbita"
PAUSE_PLATE = (422, 262, 226, 40)


def scenario_escape_save(session):
    """Escape ends a typed password as Enter does and the game is stored; that Escape is
    not left behind to pause the next timed game."""
    session.start()
    reach_menu(session)
    start_new_game(session, "board")
    ask_for_password(session, "store")
    type_password(session, ESCAPE_PASSWORD, "store", end="Escape")
    reach_menu(session, "menu-after-store")
    check(os.path.isfile(session.file(ESCAPE_PASSWORD)),
          f"no file {ESCAPE_PASSWORD!r}: {files_in(session)}")
    check(read_file(session, "zg.txt") == "1", "zg.txt does not count one stored game")

    still = start_new_game(session, "timed-board")
    shown = session.read_text(still.path, PAUSE_PLATE, psm=7)
    check(not same_text("Pauza", shown), f"the new timed game starts paused: {shown!r}")
    time.sleep(3.0)
    later = Picture(session.screenshot("clock-later"))
    check(emptied_clock_rows(still, later), "the clock bar of the new game did not move")
    leave_by_menu_button(session)


SCENARIOS = {
    "save_resume": (scenario_save_resume, {"files": {"opc.txt": OPTIONS, "../x": DECOY}}),
    "escape_save": (scenario_escape_save, {"files": {"opc.txt": "0.5\n0.5\n1\n"}}),
}
