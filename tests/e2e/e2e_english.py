"""The game in English: every screen a player meets, started on an English desktop; the
language switched in the options and back without a restart; the choice kept over the
desktop's language at the next start. Screens are read with tesseract's English data,
and a screen still showing Polish words fails."""

import os
import unicodedata

from board_view import BOARD_BOX
from e2e_game import CASCADE_FILES, CASCADE_PASSWORD, CASCADE_SWAP, MESSAGE_BOX, PANEL_BOX, \
    PLANET_TEXT_BOX, swap_and_watch
from e2e_records import BONUS_BOX, BONUS_STILL, INFO_BOX, INFO_STILL, LAST_SECOND, \
    LAST_SECOND_GAME
from e2e_saves import PASSWORD_FIELD
from flows import (BOTTOM_STRIP, CONTINUE_BUTTON, LIST_BOX, LIST_RETURN,
                   MENU_BOX, MENU_BUTTON, MIDDLE_STRIP, MODE_LABEL_BOX, NAME_FIELD, NAME_PROMPT,
                   PAGE_RETURN, SAVE_BUTTON, SLOW, TIME_UP_PICTURE, YES_BUTTON, choose, read_file,
                   reach_menu, see, skipping_intro, type_and_enter, wait_for_board, wait_in_strip)
from player import check, same_text

ENGLISH_DESKTOP = {"LANGUAGE": None, "LC_ALL": None, "LC_MESSAGES": None,
                   "LANG": "en_US.UTF-8"}
OPTIONS_PAGE = (150, 88, 500, 292)  # the options with their heading
LANGUAGE_PLATE = (522, 365)  # the language row's plate, which flips the language at once
# The words on the game screen's plates, cut close: a plate's rim misleads the reader.
HINT_LABEL = (140, 466, 70, 22)
MENU_LABEL = (52, 551, 80, 22)
SAVE_LABEL = (214, 551, 80, 22)
NEXT_LABEL = (492, 389, 80, 22)
LIST_HEADING = (340, 20, 120, 24)
STORED = "comet7"
NAME = "Ada"


def plain(text):
    """text without its diacritics, as the English reader reads Polish ("Wyjscie")."""
    text = text.replace("ł", "l").replace("Ł", "L")
    return "".join(ch for ch in unicodedata.normalize("NFKD", text)
                   if not unicodedata.combining(ch))


def not_read(session, path, box, words, label, psm=6):
    """None of the words (of the language not spoken) is read in box of the screenshot;
    their diacritics do not count, as the English reader drops them."""
    text = session.read_text(path, box, psm)
    seen = [word for word in words if same_text(plain(word), plain(text))]
    check(not seen, f"{label} still shows {seen}: {text!r}")


def read_screen(session, english, polish, label, box, still=(0, 0, 800, 600), nudge=None):
    """Waits for the English words in box, then checks that no Polish one is read there."""
    path = see(session, english, label, box, still, nudge)
    not_read(session, path, box, polish, label)
    return path


def reach_english_menu(session, label="menu"):
    return read_screen(session, ["New game", "Resume game", "Best scores", "Quit game"],
                       ["Nowa", "Dokończ", "Wyjście", "Opcje", "Bonusy"], label, MENU_BOX,
                       nudge=skipping_intro(session))


def english_strip(session, words, polish, label, strip):
    path = wait_in_strip(session, words, label, strip)
    not_read(session, path, strip, polish, label, psm=7)


def resume_in_english(session, password, label, board=True):
    """The load dialog; then, with board, waits for the resumed board to stand still."""
    choose(session, "resume")
    english_strip(session, ["Password"], ["Podaj", "hasło"], f"{label}-prompt", MIDDLE_STRIP)
    type_and_enter(session, password)
    return wait_for_board(session, label) if board else None


def menu_pages(session):
    """The menu's pages: the options, the bonus table and the rules."""
    choose(session, "options")
    read_screen(session, ["Options", "Music volume", "Effects volume", "Relaxed game", "English",
                          "change"],
                ["Głośność", "muzyki", "Opcje", "zmień", "relaksu", "polski"], "options",
                OPTIONS_PAGE)
    session.click(*PAGE_RETURN)
    reach_english_menu(session, "menu-after-options")
    for item, english, polish, box, still in (
            ("bonus", ["Bonuses", "10 pts", "1000 pts", "stars below the chart"],
             ["pkt", "gwiazdki", "każdą", "Bonusy"], BONUS_BOX, BONUS_STILL),
            ("info", ["About the game", "The rules are very simple", "Keyboard", "Allegro"],
             ["Zasada", "Klawiatura", "Autorzy", "Informacje"], INFO_BOX, INFO_STILL)):
        choose(session, item)
        read_screen(session, english, polish, item, box, still)
        session.click(*PAGE_RETURN)
        reach_english_menu(session, f"menu-after-{item}")


def store_and_resume(session):
    """A new game and its panel, stored under a typed password and resumed from it."""
    choose(session, "new")
    played = wait_for_board(session, "board")
    for box, english, polish, psm in ((PANEL_BOX, ["LEVEL", "best"], ["POZIOM", "rekord"], 6),
                                      (MODE_LABEL_BOX, ["relaxed"], ["relaksu"], 7),
                                      (HINT_LABEL, ["hint"], ["podpowiedź"], 7),
                                      (MENU_LABEL, ["Menu"], [], 7),
                                      (SAVE_LABEL, ["Save"], ["Zapisz"], 7)):
        text = session.read_text(played.path, box, psm, words=english)
        check(all(same_text(word, text) for word in english),
              f"the game screen reads {text!r} where {english} stand")
        not_read(session, played.path, box, polish, "the game screen", psm)
    session.click(*SAVE_BUTTON)
    english_strip(session, ["Save the game"], ["Czy", "zapisać", "TAK"], "save-question",
                  BOTTOM_STRIP)
    session.click(*YES_BUTTON)
    english_strip(session, ["password"], ["Wpisz", "hasło"], "password", BOTTOM_STRIP)
    session.type(STORED)
    session.wait_for_text([STORED], "password-typed", 15, PASSWORD_FIELD, psm=7)
    session.key("Return")
    reach_english_menu(session, "menu-after-store")
    check(os.path.isfile(session.file(STORED)), "the game was not stored under its password")

    back = resume_in_english(session, STORED, "resumed")
    check(back.differing(played, BOARD_BOX) == 0, "the resumed board is not the stored one")
    session.click(*MENU_BUTTON)
    reach_english_menu(session, "menu-after-resumed")


def level_end(session):
    """A resumed game one swap from Mercury's eighth star: the level's end in English."""
    resume_in_english(session, CASCADE_PASSWORD, "cascade")
    swap_and_watch(session, CASCADE_SWAP, "swap", 2.0)
    path = session.wait_for_text(["Congratulations", "MERCURY", "Next level"], "level-end",
                                 SLOW, MESSAGE_BOX)
    not_read(session, path, MESSAGE_BOX, ["Gratulacje", "Następny", "zaliczona", "MERKURY"],
             "the level's end")
    path = session.wait_for_text(["MERCURY", "innermost planet", "88 days"], "planet-text", SLOW,
                                 PLANET_TEXT_BOX)
    not_read(session, path, PLANET_TEXT_BOX, ["MERKURY", "najbliższa", "Słońcu"],
             "the planet's text")
    text = session.read_text(path, NEXT_LABEL, psm=7, words=["Next"])
    check(same_text("Next", text) and not same_text("Dalej", text),
          f"the level's end button reads {text!r}")
    session.click(*CONTINUE_BUTTON)
    wait_for_board(session, "level2")
    session.click(*MENU_BUTTON)
    reach_english_menu(session, "menu-after-level")


def time_out_and_name(session):
    """A timed game in its last second: the time-out, the name entry and the list."""
    resume_in_english(session, LAST_SECOND, "last-second", board=False)
    path = wait_in_strip(session, ["Enter your name"], "name-prompt", NAME_PROMPT)
    not_read(session, path, NAME_PROMPT, ["Wpisz", "imię"], "the name entry", psm=7)
    shown = session.read_text(path, TIME_UP_PICTURE, psm=7)
    check(same_text("Time", shown) and not same_text("Koniec", shown),
          f"the time-out picture reads {shown!r}")
    session.type(NAME)
    session.wait_for_text([NAME], "name-typed", 15, NAME_FIELD, psm=7)
    session.key("Return")
    path = read_screen(session, [NAME, "4321", "Player", "Score", "timed game"],
                       ["Gracz", "Wynik", "Poziom", "czas"], "list", LIST_BOX)
    heading = session.read_text(path, LIST_HEADING, psm=7, words=["Best scores"])
    check(same_text("Best scores", heading), f"the list's heading reads {heading!r}")
    session.click(*LIST_RETURN)
    reach_english_menu(session, "menu-after-list")


def scenario_english(session):
    """Started on an English desktop: every screen speaks English."""
    session.start()
    reach_english_menu(session)
    menu_pages(session)
    store_and_resume(session)
    level_end(session)
    time_out_and_name(session)
    choose(session, "exit")
    code = session.wait_exit(30)
    check(code == 0, f"exit code {code}, stderr: {session.stderr()}")
    check(not os.path.exists(session.file("jezyk.txt")),
          "the desktop's language was stored as if the player had chosen it")


def flip_language(session, reading, shown, gone, label, code):
    """Flips the language on the options screen, reads the words of the new one there
    and none of the old one's, and finds its code stored at once."""
    session.click(*LANGUAGE_PLATE)
    session.move(400, 420)
    session.reading = reading
    path = session.wait_for_text(shown, label, SLOW, OPTIONS_PAGE)
    not_read(session, path, OPTIONS_PAGE, gone, label)
    stored = read_file(session, "jezyk.txt").strip()
    check(stored == code, f"jezyk.txt holds {stored!r} after the switch, not {code!r}")


def scenario_language_switch(session):
    """English from LANGUAGE; Polish and back in the options, without a restart; the
    choice then wins over a Polish desktop."""
    session.start()
    reach_english_menu(session)
    choose(session, "options")
    see(session, ["Music volume", "English"], "options", OPTIONS_PAGE)
    check(not os.path.exists(session.file("jezyk.txt")), "a language was stored unasked")

    flip_language(session, "pol", ["Opcje", "Głośność muzyki", "polski", "zmień"],
                  ["Options", "Music", "English", "change"], "options-polish", "pl")
    session.click(*PAGE_RETURN)
    reach_menu(session, "menu-polish")
    choose(session, "options")
    see(session, ["Głośność muzyki", "polski"], "options-polish-again", OPTIONS_PAGE)

    flip_language(session, "eng", ["Options", "Music volume", "English", "change"],
                  ["Opcje", "muzyki", "polski", "zmień"], "options-english", "en")
    session.click(*PAGE_RETURN)
    reach_english_menu(session, "menu-english")
    choose(session, "exit")
    check(session.wait_exit(30) == 0, f"the game did not end cleanly: {session.stderr()}")

    session.set_env({"LANGUAGE": "pl", "LANG": "pl_PL.UTF-8"})
    session.start()
    reach_english_menu(session, "menu-restarted")
    choose(session, "exit")
    check(session.wait_exit(30) == 0, f"the game did not end cleanly: {session.stderr()}")


SCENARIOS = {
    "english": (scenario_english, {"env": ENGLISH_DESKTOP, "reading": "eng",
                                   "files": {**CASCADE_FILES, "zg.txt": "2",
                                             LAST_SECOND: LAST_SECOND_GAME}}),
    "language_switch": (scenario_language_switch,
                        {"env": {"LANGUAGE": "en", "LC_ALL": None, "LC_MESSAGES": None,
                                 "LANG": "pl_PL.UTF-8"}, "reading": "eng"}),
}
