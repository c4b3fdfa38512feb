"""Results and pages as a player meets them: a timed game running out of time with a
name typed in, a resumed timed game judged against its own list, the list of results,
the options and what they write (also when the window is closed on them), and the bonus
and information pages."""

import os
import time

from board_view import stored_game_text
from flows import (LIST_BOX, LIST_RETURN, MIDDLE_STRIP, NAME_PROMPT, PAGE_RETURN, SLOW,
                   TIME_UP_PICTURE, choose, decoded_list, enter_name, leave_through_exit,
                   read_file, reach_menu, resume, see, type_and_enter, wait_in_strip)
from picture import Picture, distance
from player import check, same_text

NAME = "Zośka"  # with a Polish letter, delivered by the keyboard as one character
TIMED_OPTIONS = "0.5\n0.5\n1\n"
CHANGED_OPTIONS = "0.5\n0.3\n0\n"  # what the options screen is changed to below
OPTIONS_BOX = (150, 130, 500, 250)
MODE_SWITCH = (522, 285)
EFFECTS_AT_0_3 = (477, 206)  # the effects slider's pointer x is 447 + 100 * volume
BONUS_BOX = (130, 20, 540, 520)
INFO_BOX = (100, 40, 600, 480)
# Parts of the pages without their pulsing stars, still once the page has faded in.
BONUS_STILL = (200, 80, 400, 460)
INFO_STILL = (100, 100, 600, 340)

# One step before the clock runs out, on level 1, in the timed game, with points to
# place: resumed, the game runs out of time in about a second.
LAST_SECOND = "ostatnia"
LAST_SECOND_GAME = stored_game_text([[(r + c) % 2 + 1 for c in range(8)] for r in range(8)],
                                    level=1, score=4321, record=0, clock=315, mode=1)


def row_tint(picture, row):
    """The colour of a list row between its level and its score, where no text stands."""
    return picture.mean((455, 113 + 20 * (row - 1), 70, 16))


def scenario_timeout_name(session):
    """The timed game's time-out asks for a name; the list shows and stores it."""
    session.start()
    reach_menu(session)
    check(not os.path.exists(session.file("lic.txt")), "a list of the timed game already exists")
    resume(session, LAST_SECOND, "resumed")
    path = wait_in_strip(session, ["Wpisz", "swoje"], "time-up", NAME_PROMPT)
    shown = session.read_text(path, TIME_UP_PICTURE, psm=7)
    check(same_text("Koniec czasu", shown), f"the time-out picture reads {shown!r}")

    enter_name(session, NAME)

    listed = Picture(see(session, [NAME, "4321", "czas"], "list", LIST_BOX))
    check(row_tint(listed, 1)[2] > row_tint(listed, 2)[2] + 8, "the new result's row is not lit")
    rows = decoded_list(session, "lic.txt")
    check(len(rows) == 21 and rows[0] == [NAME, "1", "4321"],
          f"lic.txt decodes to {rows[:2]}... ({len(rows)} triples)")
    check(all(row[0] == "..." for row in rows[1:]), f"lic.txt holds more than one name: {rows}")
    check(not os.path.exists(session.file(LAST_SECOND)), "the finished game was not deleted")
    check(read_file(session, "zg.txt") == "0", "the count of stored games was not lowered")

    session.click(*LIST_RETURN)
    reach_menu(session, "menu-after-list")
    choose(session, "results")
    again = Picture(see(session, [NAME, "4321", "czas"], "list-from-menu", LIST_BOX))
    check(distance(row_tint(again, 1), row_tint(again, 2)) < 4,
          "a row is lit on the list opened from the menu")
    session.click(*LIST_RETURN)
    reach_menu(session, "menu-at-end")
    leave_through_exit(session)


def visit_page(session, item, words, label, box, still):
    choose(session, item)
    path = see(session, words, label, box, still)
    time.sleep(1.0)  # the pulsing stars get a turn
    session.screenshot(f"{label}-later")
    session.click(*PAGE_RETURN)
    reach_menu(session, f"menu-after-{label}")
    return path


def change_options(session, words=()):
    """Opens the options of the timed game (words are read there as well), switches to
    the relaxed game and turns the effects down; returns the screenshot of the change."""
    choose(session, "options")
    see(session, ["Głośność", "Gra na czas", *words], "options", OPTIONS_BOX)
    session.click(*MODE_SWITCH)
    session.move(400, 420)
    time.sleep(0.5)
    session.click(*EFFECTS_AT_0_3)
    session.move(400, 420)
    return session.wait_for_text(["Gra dla relaksu"], "options-changed", SLOW, OPTIONS_BOX)


def scenario_pages(session):
    """The options write what was changed; the list follows the mode; bonus and
    information pages read as written."""
    session.start()
    reach_menu(session)
    choose(session, "results")
    see(session, ["Zośka", "4321", "czas"], "list-timed", LIST_BOX)
    session.click(*LIST_RETURN)
    reach_menu(session, "menu-after-list")

    path = change_options(session, ["muzyki", "efektów", "Kasowanie"])
    text = session.read_text(path, OPTIONS_BOX)
    check("Kasowanie" not in text and "skasowana" in text,
          f"the relaxed game has no list to delete, yet the options read {text!r}")
    check(read_file(session, "opc.txt") == TIMED_OPTIONS, "opc.txt written before leaving")
    session.click(*PAGE_RETURN)
    reach_menu(session, "menu-after-options")
    check(read_file(session, "opc.txt") == CHANGED_OPTIONS,
          f"opc.txt reads {read_file(session, 'opc.txt')!r}")

    choose(session, "results")
    path = see(session, ["relaksu"], "list-relaxed", LIST_BOX)
    check("Zośka" not in session.read_text(path, LIST_BOX), "the timed list shows in relaxed")
    session.click(*LIST_RETURN)
    reach_menu(session, "menu-after-relaxed-list")

    visit_page(session, "bonus", ["10 pkt", "1000 pkt", "gwiazdki"], "bonus", BONUS_BOX,
               BONUS_STILL)
    visit_page(session, "info", ["Zasada gry", "Allegro", "ORBELIUM", "2026"], "info", INFO_BOX,
               INFO_STILL)
    leave_through_exit(session)


def encoded_list(rows):
    plain = "".join(f"{name} {level} {score} " for name, level, score in rows)
    plain += "... 0 0 " * (21 - len(rows))
    return bytes((b - 7) % 256 for b in plain.encode("utf-8"))


# A timed game resumed while the options say relaxed, one step before its time runs out,
# with a score that does not reach the timed list's twentieth place.
TIMED_IN_RELAXED = "wieczor"
TIMED_LIST = encoded_list([(f"Gracz{place}", 2, 10000 - 100 * place) for place in range(1, 21)])
TIMED_IN_RELAXED_FILES = {
    "opc.txt": "0.5\n0.5\n0\n", "zg.txt": "1",
    TIMED_IN_RELAXED: stored_game_text([[(r + c) % 2 + 1 for c in range(8)] for r in range(8)],
                                       level=1, score=4321, record=9900, clock=315, mode=1)}


def scenario_resume_timed_list(session):
    """A resumed timed game is judged against the timed list, whatever the options say:
    a result below its twentieth place asks for no name, and the list stays as it was."""
    session.start()
    reach_menu(session)
    choose(session, "resume")
    wait_in_strip(session, ["Podaj"], "password-prompt", MIDDLE_STRIP)
    type_and_enter(session, TIMED_IN_RELAXED)
    session.wait_for_text(["Koniec czasu"], "time-up", SLOW, TIME_UP_PICTURE, psm=7)
    # A name entry would open its strip at once and stay; without one the picture stays
    # for two seconds and the game fades back to the menu.
    time.sleep(1.5)
    path = session.screenshot("after-time-up")
    asked = session.read_text(path, NAME_PROMPT, psm=7)
    check(not same_text("Wpisz", asked), f"a name was asked for: {asked!r}")
    reach_menu(session, "menu-after-time-up")
    check(read_file(session, "lic.txt", "rb") == TIMED_LIST, "lic.txt was changed")
    check(not os.path.exists(session.file("lir.txt")), "a relaxed list was written")
    leave_through_exit(session)


def scenario_close_options(session):
    """Closing the window on the options screen keeps what was changed there."""
    session.start()
    reach_menu(session)
    change_options(session)
    session.close_window()
    code = session.wait_exit(5)
    check(code == 0, f"exit code {code} after closing the window: {session.stderr()}")
    check(read_file(session, "opc.txt") == CHANGED_OPTIONS,
          f"opc.txt reads {read_file(session, 'opc.txt')!r}")


SCENARIOS = {
    "resume_timed_list": (scenario_resume_timed_list,
                          {"files": TIMED_IN_RELAXED_FILES,
                           "binary_files": {"lic.txt": TIMED_LIST}}),
    "close_options": (scenario_close_options, {"files": {"opc.txt": TIMED_OPTIONS}}),
    "timeout_name": (scenario_timeout_name, {"files": {"opc.txt": TIMED_OPTIONS, "zg.txt": "1",
                                                       LAST_SECOND: LAST_SECOND_GAME}}),
    "pages": (scenario_pages, {"files": {"opc.txt": TIMED_OPTIONS},
                               "binary_files": {"lic.txt": encoded_list([("Zośka", 1, 4321)])}}),
}
