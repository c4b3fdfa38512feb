"""A game as a player sees it: the game screen in both modes, its buttons, a real swap
checked against the hint, and a resumed game whose swap cascades and completes a level."""

import os
import re
import time

import sheet
from board_view import (BOARD_BOX, LEVEL_DIGIT_BOX, SCORE_BOX, ElementColours, a_fresh_fill,
                        board_text, cell_centre, cell_origin, first_move, has_line,
                        hint_outline_cell, no_equal_neighbours, stored_game_text, swapped)
from flows import (BUTTON_ROW, CLOCK_BAR, CONTINUE_BUTTON, HINT_AREA, HINT_BUTTON, LIST_BOX,
                   LIST_RETURN, MENU_BUTTON, MIDDLE_STRIP, MODE_LABEL_BOX, SAVE_BUTTON, SLOW,
                   TIME_UP_PICTURE, choose, decoded_list, emptied_clock_rows, enter_name, keep,
                   leave_by_menu_button, leave_through_exit, reach_menu, read_file, resume, see,
                   start_new_game, type_and_enter, wait_for_board, wait_in_strip)
from picture import Picture, sharpness
from player import E2EFailure, check, same_text

# A point of the game screen where the pointer is over nothing the game reacts to, on
# the way between the buttons as a hand would pass.
NOWHERE = (170, 530)
PANEL_BOX = (40, 70, 260, 200)
MESSAGE_BOX = (330, 120, 420, 210)
PLANET_TEXT_BOX = (10, 378, 316, 210)
MERCURY = (0, 0, 79, 83)  # the first planet of the faint strip at the top
STAR_BANNER = (459, 311, *sheet.size("star_award_banner"))


def options_text(mode):
    return f"0.5\n0.5\n{mode}\n"


def check_level_one_board(board, picture):
    kinds = {k for row in board for k in row}
    check(kinds == {1, 2} and no_equal_neighbours(board),
          f"level 1 should be a checkerboard of the red and green elements, {picture.path} "
          f"shows:\n{board_text(board)}")


def hover_buttons(session, still):
    """Each button lights up while the pointer is on it and only then."""
    regions = {"hint": HINT_AREA, "menu": (36, 547, 120, 30), "save": (198, 547, 120, 30)}
    for name, point in (("hint", HINT_BUTTON), ("menu", MENU_BUTTON), ("save", SAVE_BUTTON)):
        session.move(*NOWHERE)
        time.sleep(0.3)
        session.move(*point)
        time.sleep(0.5)
        lit = Picture(session.screenshot(f"hover-{name}"))
        check(lit.differing(still, regions[name], 8) > 200,
              f"the {name} button does not light up under the pointer")
        for other, box in regions.items():
            if other != name:
                check(lit.differing(still, box, 8) < 20,
                      f"the {other} button is lit while the pointer is on the {name} button")
    session.move(*NOWHERE)
    time.sleep(0.5)
    back = Picture(session.screenshot("hover-none"))
    check(back.differing(still, BUTTON_ROW, 8) < 20 and back.differing(still, HINT_AREA, 8) < 20,
          "a button stays lit after the pointer left it")


def play_a_new_game(session, mode):
    session.start()
    reach_menu(session)
    colours = ElementColours(session.assets)
    still = start_new_game(session, "board")
    board = colours.read_board(still)
    check_level_one_board(board, still)
    panel = session.read_text(still.path, PANEL_BOX)
    check("POZIOM" in panel and "rekord" in panel, f"the panel reads {panel!r}")
    check(session.read_number(still.path, SCORE_BOX) == 0, "a new game does not show 0 points")
    label = session.read_text(still.path, MODE_LABEL_BOX, psm=7)
    expected = "czas" if mode == 1 else "relaksu"
    check(expected in label, f"the mode label reads {label!r}, expected {expected!r}")
    return still


def scenario_game_relaxed(session):
    """A new relaxed game: the full game screen, no clock, the buttons, the menu button."""
    still = play_a_new_game(session, 0)
    time.sleep(2.0)
    later = Picture(session.screenshot("board-later"))
    check(later.differing(still, CLOCK_BAR, 0) == 0, "something moves where no clock should be")
    hover_buttons(session, still)
    leave_by_menu_button(session)


def scenario_game_timed(session):
    """A new timed game: the clock bar empties row by row while the player looks."""
    still = play_a_new_game(session, 1)
    bar = still.mean(CLOCK_BAR)
    check(max(bar) > 60, f"no clock bar at the right of the board: mean colour {bar}")
    hover_buttons(session, still)
    time.sleep(3.0)
    later = Picture(session.screenshot("clock-later"))
    emptied = emptied_clock_rows(still, later)
    check(emptied, "the clock bar did not move in three seconds")
    check(emptied == list(range(emptied[0], emptied[0] + len(emptied))) and emptied[0] < 160,
          f"the clock bar should empty from the top, rows that changed: {emptied}")
    leave_by_menu_button(session)


def wait_for_hint(session, label, timeout=8.0):
    """Holds the hint button until the blinking outline is seen; returns its cell."""
    session.move(*HINT_BUTTON)
    time.sleep(0.3)
    session.press()
    try:
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            path = session.screenshot(label)
            cell = hint_outline_cell(Picture(path))
            if cell:
                return cell
        return None
    finally:
        session.release()
        session.move(*NOWHERE)


def swap_and_watch(session, move, label, seconds):
    """Drags one element onto its neighbour, lets go once the swap has had its time, and
    keeps looking at the screen meanwhile; returns the screenshots."""
    a, b = move
    session.drag(cell_centre(*a), cell_centre(*b))
    shots = session.burst(label, 0.6)
    session.release()
    session.move(*NOWHERE)
    return shots + session.burst(label + "-released", seconds)


def scenario_swap(session):
    """Two real swaps found on the screen: the hint agrees, the points are shown."""
    still = play_a_new_game(session, 0)
    colours = ElementColours(session.assets)
    board = colours.read_board(still)
    move = first_move(board)
    check(move is not None, "no move found on a level 1 board")
    hinted = wait_for_hint(session, "hint")
    check(hinted == move[0], f"the hint outlines {hinted}, the board on screen gives {move[0]}")

    score = 0
    for turn in (1, 2):
        swap_and_watch(session, move, f"swap{turn}", 1.5)
        after = wait_for_board(session, f"after-swap{turn}")
        new_board = colours.read_board(after)
        check(not has_line(new_board), f"a line is left on the board:\n{board_text(new_board)}")
        # A refused swap would slide back and leave the board as it was.
        check(new_board != board, "the board did not change after a swap that makes a line")
        shown = session.read_number(after.path, SCORE_BOX)
        check(shown is not None and shown >= score + 10 and shown % 10 == 0,
              f"after swap {turn} the score reads {shown}, before it was {score}")
        score, board = shown, new_board
        move = first_move(board)
        if move is None:
            break
    leave_by_menu_button(session)


# A resumed game laid out so that one swap makes a line, the fall makes a second one,
# and the line's fall lets the eighth star out of column 8: the level completes.
CASCADE_PASSWORD = "kaskada"
CASCADE_SWAP = ((3, 8), (4, 8))


def cascade_board():
    board = [[(r + 2 * c) % 4 + 1 for c in range(1, 9)] for r in range(1, 9)]
    board[6][:4] = [2, 5, 5, 4]  # row 7
    board[7] = [1, 1, 5, 1, 3, 1, 3, 6]  # row 8: the star element waits in column 8
    return board


CASCADE_FILES = {
    CASCADE_PASSWORD: stored_game_text(cascade_board(), column_stars=(1, 1, 1, 1, 1, 1, 1, 0),
                                       bars=(40, 20, 0, 0, 10), level=1, stars=7, score=1000,
                                       record=5000, mode=0),
    "zg.txt": "1",
    "opc.txt": options_text(0),
}


def scenario_cascade_level(session):
    """A resumed game: a swap, its cascade, the eighth star and the completed level."""
    board = cascade_board()
    check(not has_line(board) and has_line(swapped(board, *CASCADE_SWAP)),
          "the prepared board is not what this scenario needs")
    session.start()
    reach_menu(session)
    colours = ElementColours(session.assets)
    before = resume(session, CASCADE_PASSWORD, "resumed")
    shown = colours.read_board(before)
    check(shown == board, f"the resumed board shows\n{board_text(shown)}\ninstead of\n"
          f"{board_text(board)}")
    check(session.read_number(before.path, SCORE_BOX) == 1000, "the stored score is not shown")

    shots = swap_and_watch(session, CASCADE_SWAP, "seq", 9.0)
    # The fall of the first line forms a purple line in row 8 that waits for the star
    # to drop (its banner shows meanwhile) before it goes in turn.
    banner, cascade = [], []
    for shot in shots:
        picture = Picture(shot)
        shows_banner = picture.differing(before, STAR_BANNER, 30) > 2000
        if shows_banner:
            banner.append(shot)
        if [colours.kind_at(picture, *cell_origin(c, 8)) for c in range(2, 5)] == [5, 5, 5]:
            cascade.append((shows_banner, shot))
    check(banner, "the star's banner was never seen while the star dropped")
    check(cascade, "the fall never showed the purple line in row 8 that cascades")
    keep(session, banner[0], "star-drop")
    keep(session, min(cascade)[1], "cascade")  # one without the banner if there is one
    path = session.wait_for_text(["Gratulacje", "MERKURY"], "level-complete", SLOW, MESSAGE_BOX)
    message = session.read_text(path, MESSAGE_BOX)
    check("Następny poziom" in message and "x 2" in message, f"the message reads {message!r}")
    path = session.wait_for_text(["MERKURY", "Słońcu", "88 dni"], "level-complete", SLOW,
                                 PLANET_TEXT_BOX)
    done = Picture(path)
    check(sum(done.mean(MERCURY)) > sum(before.mean(MERCURY)) + 30,
          "Mercury did not light up in the strip at the top")
    check(session.read_number(path, SCORE_BOX) >= 1000 + 10 + 1000 + 10,
          "the score does not hold the line, the star and the cascade")
    print(f"{len(shots)} screenshots of the swap, the cascade and the star drop")

    session.click(*CONTINUE_BUTTON)
    level2 = wait_for_board(session, "level2")
    board2 = colours.read_board(level2)
    check(a_fresh_fill(board2, {1, 2, 3}),
          f"level 2 should start on kinds 1..3 without equal neighbours:\n{board_text(board2)}")
    check(level2.differing(before, LEVEL_DIGIT_BOX, 8) > 30, "the level digit did not change")
    check(level2.differing(before, BOARD_BOX, 8) > 1000, "the board was not renewed")
    leave_by_menu_button(session)


# The timed game one clock step before its end, with no points to place in the list.
TIMEOUT_PASSWORD = "zegar"
TIMEOUT_FILES = {
    TIMEOUT_PASSWORD: stored_game_text([[(r + c) % 2 + 1 for c in range(8)] for r in range(8)],
                                       level=1, score=0, clock=315, mode=1),
    "zg.txt": "1",
    "opc.txt": options_text(1),
}


def scenario_timeout_menu(session):
    """The last clock step of a timed game: the time-out, and without a result worth
    placing, back to the menu with no name asked for; the stored game stays."""
    session.start()
    reach_menu(session)
    colours = ElementColours(session.assets)
    choose(session, "resume")
    wait_in_strip(session, ["Podaj"], "password-prompt", MIDDLE_STRIP)
    type_and_enter(session, TIMEOUT_PASSWORD)
    # A fresh clock would take minutes; the stored one has a single step left. Nothing
    # is touched from here on: the game must end and fade back to the menu by itself.
    shots = session.burst("seq", 8.0)
    boards = [shot for shot in shots if board_readable(colours, Picture(shot))]
    check(boards, "the resumed board never showed")
    keep(session, boards[-1], "resumed")
    # The picture stays a moment before the fade-out, long enough to be read.
    after = [Picture(shot) for shot in shots[shots.index(boards[-1]) + 1:]]
    pictured = [p for p in after if same_text("Koniec czasu",
                                              session.read_text(p.path, TIME_UP_PICTURE, psm=7))]
    check(pictured, "the time-out picture never showed")
    keep(session, pictured[0].path, "time-up")
    reach_menu(session, "menu-after-time-up")
    check(os.path.exists(session.file(TIMEOUT_PASSWORD)), "the stored game was deleted")
    check(read_file(session, "zg.txt") == "1", "the count of stored games changed")
    check(not os.path.exists(session.file("lic.txt")), "a list was written without a name")
    leave_through_exit(session)


def board_readable(colours, picture):
    try:
        colours.read_board(picture)
        return True
    except E2EFailure:
        return False


LAST_PASSWORD = "neptun"
LAST_FILES = {
    LAST_PASSWORD: stored_game_text(cascade_board(), column_stars=(1, 1, 1, 1, 1, 1, 1, 0),
                                    bars=(90, 80, 70, 60, 50), level=8, stars=7, score=50000,
                                    record=90000, mode=0),
    "zg.txt": "1",
    "opc.txt": options_text(0),
}
LAST_NAME = "Łucja"  # a capital Polish letter, typed as one character
FINAL_SCORE_BOX = (150, 330, 500, 50)


GROWN = (1440, 1080)  # the window grown on a 1920 x 1080 screen, 1.8 times the picture


def drawn_again_when_grown(session, label):
    """The window grown to 1.8 times the picture and back: the screen that stands is drawn
    again sharp at the larger size, showing what it showed (shrunk back, only the edges of
    its lines and letters differ a little), and at 800 x 600 again as before."""
    still = Picture(session.screenshot(f"{label}-before"))
    session.resize_window(*GROWN)
    session.follow_window(GROWN)
    session.move(*NOWHERE)
    time.sleep(1.0)
    ratio = sharpness(session.screenshot_screen(f"{label}-grown-screen"), session.view)
    grown = Picture(session.screenshot(f"{label}-grown"))
    difference = sum(abs(a - b) for a, b in zip(grown.data, still.data)) / len(still.data)
    session.note(f"{label} grown: sharpness {ratio:.2f}, mean difference {difference:.1f}")
    check(ratio >= 1.5, f"{label} grown is only a stretch: sharpness {ratio:.2f}")
    check(difference < 8, f"{label} grown is not the picture it was: {difference:.1f} apart")
    session.resize_window(800, 600)
    session.follow_window((800, 600))
    session.move(*NOWHERE)
    time.sleep(1.0)
    changed = Picture(session.screenshot(f"{label}-again")).differing(still, (0, 0, 800, 600), 25)
    check(changed < 200, f"{label} at 800 x 600 again differs in {changed} pixels")


def scenario_last_planet(session):
    """Neptune's eighth star: the last level completes, the final screen shows the score,
    a name is asked for in the relaxed game too, and the finished game's file goes. The
    level's end and the final picture are each drawn again when the window grows."""
    session.start()
    reach_menu(session)
    resume(session, LAST_PASSWORD, "resumed")
    swap_and_watch(session, CASCADE_SWAP, "seq", 2.0)
    path = session.wait_for_text(["Gratulacje", "ostatnia planeta"], "last-planet", SLOW,
                                 MESSAGE_BOX)
    message = session.read_text(path, MESSAGE_BOX)
    check("Następny" not in message, f"a next level is promised after Neptune: {message!r}")
    session.wait_for_text(["NEPTUN"], "last-planet", SLOW, PLANET_TEXT_BOX)
    drawn_again_when_grown(session, "last-planet")
    session.click(*CONTINUE_BUTTON)
    session.move(*NOWHERE)

    session.wait_for_text(["to już wszystko", "zdobyłeś", "punktów"], "final", SLOW)
    # The words are legible while the screen still fades in; the score is read once the
    # zoom has ended and the text is at full brightness (a few tries: OCR is not exact).
    time.sleep(2.0)
    score, line = None, ""
    for attempt in range(4):
        path = session.screenshot(f"final-zoomed-{attempt}")
        line = session.read_text(path, FINAL_SCORE_BOX, psm=7)
        found = re.search(r"(\d{5,})\s*punkt", line)
        if found:
            score = int(found.group(1))
            break
        time.sleep(0.5)
    check(score is not None and score >= 50000 + 80 + 8000 + 80,
          f"the final screen reads {line!r}")
    drawn_again_when_grown(session, "final")

    enter_name(session, LAST_NAME)
    see(session, [LAST_NAME, str(score), "relaksu"], "list", LIST_BOX)
    rows = decoded_list(session, "lir.txt")
    check(rows[0] == [LAST_NAME, "8", str(score)], f"lir.txt begins {rows[0]}")
    check(not os.path.exists(session.file(LAST_PASSWORD)), "the finished game was not deleted")
    check(read_file(session, "zg.txt") == "0", "the count was not lowered")
    session.click(*LIST_RETURN)
    reach_menu(session, "menu-again")
    leave_through_exit(session)


SCENARIOS = {
    "game_relaxed": (scenario_game_relaxed, {"files": {"opc.txt": options_text(0)}}),
    "game_timed": (scenario_game_timed, {"files": {"opc.txt": options_text(1)}}),
    "swap": (scenario_swap, {"files": {"opc.txt": options_text(0)}}),
    "cascade_level": (scenario_cascade_level, {"files": CASCADE_FILES}),
    "last_planet": (scenario_last_planet, {"files": LAST_FILES, "screen": (1920, 1080)}),
    "timeout_menu": (scenario_timeout_menu, {"files": TIMEOUT_FILES}),
}
