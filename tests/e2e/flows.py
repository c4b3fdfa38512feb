"""What a player does again and again: reach the menu, pick an item, start or resume a
game, answer the strips at the bottom and in the middle of the screen."""

import os
import shutil
import time

import sheet
from board_view import BOARD_BOX
from player import E2EFailure, check, same_text

SLOW = 60  # seconds allowed to reach a screen on a loaded machine
SCREEN = (0, 0, 800, 600)

MENU_BOX = (300, 168, 200, 280)  # the labels of the seven items
MENU_WORDS = ["Nowa", "Dokończ", "wyników", "Wyjście"]
MENU_ITEMS = {"new": 1, "resume": 2, "bonus": 3, "results": 4, "info": 5, "options": 6,
              "exit": 7}

# The game screen's buttons, at points inside their hit boxes.
HINT_BUTTON = (170, 450)
MENU_BUTTON = (90, 560)
SAVE_BUTTON = (250, 560)
BUTTON_ROW = (36, 547, 276, 30)
HINT_AREA = (105, 382, 138, 138)
MODE_LABEL_BOX = (465, 550, 140, 35)
CLOCK_BAR = (758, 150, *sheet.size("clock_bar"))
TIME_UP_PICTURE = (432, 252, *sheet.size("time_out"))

# The strips: the bottom one (save question, password, name) and the middle one (load).
BOTTOM_STRIP = (0, 548, 800, 40)
MIDDLE_STRIP = (0, 210, 800, 36)
YES_BUTTON = (394, 568)
NO_BUTTON = (671, 568)

# The name entry in the bottom strip, and the list of results it leads to.
NAME_PROMPT = (0, 548, 292, 40)
NAME_FIELD = (290, 548, 350, 40)
LIST_BOX = (200, 30, 400, 500)

# The pages reached from the menu share one return button.
PAGE_RETURN = (400, 492)
LIST_RETURN = (400, 542)
CONTINUE_BUTTON = (531, 398)


def emptied_clock_rows(before, after):
    """The rows of the clock bar that changed from one picture of a game to a later one."""
    x, top, w, h = CLOCK_BAR
    return [y for y in range(top, top + h) if after.differing(before, (x, y, w, 1), 8) > 0]


def menu_item(name):
    return 400, 186 + 40 * (MENU_ITEMS[name] - 1)


def reach_menu(session, label="menu", skip_intro=True):
    """Waits until the menu has finished fading in; returns the path of its screenshot.
    Right after a start the intro is skipped, as a player in a hurry does (see
    skipping_intro)."""
    return see(session, MENU_WORDS, label, MENU_BOX, nudge=skipping_intro(session, skip_intro))


def skipping_intro(session, skip=True):
    """The key that skips the intro of a game just started, pressed at every look until
    the menu is read: Escape, which the menu ignores, so a press that comes late does
    nothing, and one sent before the game reads its keyboard is only made again. None
    when the intro is not ahead or is watched whole."""
    ahead = session.intro_ahead
    session.intro_ahead = False
    return "Escape" if skip and ahead else None


def choose(session, item):
    session.click(*menu_item(item))


def wait_for_board(session, label):
    """Waits until the board has been revealed and stands still; returns its picture."""
    time.sleep(1.0)  # the menu's fade-out before the reveal starts
    return session.wait_still(label, BOARD_BOX, SLOW)


def start_new_game(session, label="board"):
    choose(session, "new")
    return wait_for_board(session, label)


def see(session, words, label, box, still=SCREEN, nudge=None):
    """Waits until the screen (or its part still) has settled with words read in box;
    returns the path of the settled screenshot. Reading only settled screens spares
    the slow reader the frames of a fade. The nudge key is pressed before every look."""
    deadline = time.monotonic() + SLOW
    last = ""
    while time.monotonic() < deadline:
        if nudge:
            session.key(nudge)
        path = session.wait_still(label, still, SLOW).path
        last = session.read_text(path, box, words=words)
        if all(same_text(word, last) for word in words):
            session.note(f"saw {words} ({label})")
            return path
    raise E2EFailure(f"never saw {words} on screen; last read: {last!r}")


def wait_in_strip(session, words, label, strip):
    """Waits for words on one of the strips; they hold a single line of text."""
    return session.wait_for_text(words, label, SLOW, strip, psm=7)


def type_and_enter(session, text):
    session.type(text)
    time.sleep(0.3)
    session.key("Return")


def resume(session, password, label="resumed"):
    """Dokończ grę with the password; returns the board's picture once revealed."""
    choose(session, "resume")
    wait_in_strip(session, ["Podaj"], "password-prompt", MIDDLE_STRIP)
    type_and_enter(session, password)
    return wait_for_board(session, label)


def leave_through_exit(session):
    session.click(*menu_item("exit"))
    code = session.wait_exit(30)
    check(code == 0, f"exit code {code}, stderr: {session.stderr()}")


def leave_by_menu_button(session):
    """From a game back to the menu with its button, and out through Wyjście."""
    session.click(*MENU_BUTTON)
    reach_menu(session, "menu-again")
    leave_through_exit(session)


def read_file(session, name, mode="r"):
    with open(session.file(name), mode) as source:
        return source.read()


def enter_name(session, name):
    """Types a name once the name entry asks for it, and ends it with Enter."""
    wait_in_strip(session, ["Wpisz", "swoje"], "name-prompt", NAME_PROMPT)
    session.type(name)
    # The field takes one character a pass; a Polish letter comes as one character.
    session.wait_for_text([name], "name-typed", 15, NAME_FIELD, psm=7)
    session.key("Return")


def decoded_list(session, name):
    """The triples of a list file once every byte of it is raised by 7."""
    raw = read_file(session, name, "rb")
    words = bytes((b + 7) % 256 for b in raw).decode("utf-8").split()
    return [words[i:i + 3] for i in range(0, len(words), 3)]


def keep(session, shot, label):
    """A copy of one screenshot of a series under a name that says what it shows."""
    path = os.path.join(session.artifacts, f"{session.name}-{label}.png")
    shutil.copyfile(shot, path)
    return path
