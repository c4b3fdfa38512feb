"""The game on a 1920 x 1080 screen with a window manager: full screen switched in the
options and remembered, a game played by clicking two cells, a window resized by hand,
and F11; and full screen on a 2560 x 1440 screen. Every click is given in the picture's
own pixels and lands where the scaled picture shows them (Session.follow_window); full
screen, the picture is drawn at the size it is shown, not stretched."""

import time

from board_view import (SCORE_BOX, ElementColours, board_text, cell_centre, cell_origin,
                        first_move, has_line)
from e2e_game import PANEL_BOX
from e2e_records import BONUS_BOX, BONUS_STILL, OPTIONS_BOX, visit_page
from flows import (LIST_BOX, LIST_RETURN, MENU_BUTTON, PAGE_RETURN, choose,
                   leave_through_exit, menu_item, reach_menu, read_file, see, start_new_game,
                   wait_for_board)
from picture import Picture, distance, sharpness
from player import check, same_text

SCREEN = (1920, 1080)
LARGE_SCREEN = (2560, 1440)
WINDOW = (800, 600)
OPTIONS = "0.5\n0.5\n0\n"
FULL_SCREEN_BUTTON = (520, 325)  # the row's "zmień" plate
FULL_SCREEN_ROW = (240, 310, 380, 30)
NOWHERE = (170, 530)
PICK_COLOUR = (250, 225, 120)
BONUS_ITEM = (291, 253, 213, 26)  # the third item's plate
NEXT_ITEM = (291, 293, 213, 26)
# picture.sharpness of a picture drawn at 800 x 600 and stretched full screen: 1.1 to 1.25,
# the board's many fine lines up to 1.35; drawn at the size shown, 1.6 and more.
SHARP = 1.5


def letterbox_on_screen(session, shot):
    """The screenshot shows the picture in the place the game gives it, the rest black:
    returns the picture's box on the screen."""
    x, y, w, h = session.view
    picture = Picture(shot)
    inside = picture.mean((x, y, w, h))
    check(sum(inside) > 20, f"the picture is not where it should be: {session.view}, {shot}")
    bars = []
    width, height = session.screen_size
    if x > 0:
        bars += [(0, y, x, h), (x + w, y, width - x - w, h)]
    if y > 0:
        bars += [(x, 0, w, y), (x, y + h, w, height - y - h)]
    for bar in bars:
        if bar[2] > 0 and bar[3] > 0:
            check(max(picture.mean(bar)) < 1, f"the bar {bar} is not black in {shot}")
    return x, y, w, h


def sharp_letterbox(session, label):
    """A screenshot of the whole screen shows the picture in its letterbox, drawn at the
    size it is shown rather than stretched; returns the picture's box on the screen."""
    shot = session.screenshot_screen(label)
    box = letterbox_on_screen(session, shot)
    ratio = sharpness(shot, box)
    session.note(f"sharpness {ratio:.2f} ({label})")
    check(ratio >= SHARP, f"the picture looks stretched: sharpness {ratio:.2f} in {shot}")
    return box


def window_bars_black(session, shot):
    """Inside the window, beside the picture, the game draws black bars."""
    window = session.window_geometry()
    picture = Picture(shot)
    x, y, w, h = session.view
    wx, wy, ww, wh = window
    for bar in ((wx, wy, x - wx, wh), (x + w, wy, wx + ww - x - w, wh),
                (wx, wy, ww, y - wy), (wx, y + h, ww, wy + wh - y - h)):
        if bar[2] > 0 and bar[3] > 0:
            check(max(picture.mean(bar)) < 1, f"the bar {bar} is not black in {shot}")


def switch_in_options(session, expect_before, expect_after, size_after, label):
    """Opens the options, reads the full-screen row, clicks its button and waits for the
    window to take its new size; back in the menu afterwards."""
    choose(session, "options")
    see(session, ["Pełny ekran", expect_before], f"{label}-before", FULL_SCREEN_ROW)
    session.click(*FULL_SCREEN_BUTTON)
    session.follow_window(size_after)
    session.move(*NOWHERE)
    path = see(session, ["Pełny ekran", expect_after], f"{label}-after", FULL_SCREEN_ROW)
    text = session.read_text(path, OPTIONS_BOX)
    check("muzyki" in text and "Gra dla relaksu" in text, f"the options read {text!r}")
    screen = session.screenshot_screen(f"{label}-screen")
    session.click(*PAGE_RETURN)
    reach_menu(session, f"menu-after-{label}")
    return screen


def pick_frame_pixels(picture, cell):
    """Pixels of the picked cell's frame (3 pixels inside the cell) in the pick's colour."""
    x, y = cell_origin(*cell)
    ring = [(x + 3, y + d) for d in range(4, 42)] + [(x + d, y + 3) for d in range(4, 42)]
    return sum(1 for p in ring if distance(picture.pixel(*p), PICK_COLOUR) < 60)


def play_by_clicks(session):
    """A new game, and the hint's move played by clicking one cell and then the other."""
    colours = ElementColours(session.assets)
    still = start_new_game(session, "board")
    board = colours.read_board(still)
    move = first_move(board)
    check(move is not None, f"no move on\n{board_text(board)}")
    a, b = move
    session.click(*cell_centre(*a))
    session.move(*NOWHERE)
    time.sleep(0.5)
    picked = Picture(session.screenshot("picked"))
    session.screenshot_screen("picked-screen")
    check(pick_frame_pixels(picked, a) > 40, f"cell {a} shows no frame once clicked")
    check(pick_frame_pixels(picked, b) == 0, f"cell {b} is framed before it is clicked")
    check(colours.read_board(picked) == board, "a single click changed the board")
    session.click(*cell_centre(*b))
    session.move(*NOWHERE)
    after = wait_for_board(session, "after-click-swap")
    sharp_letterbox(session, "click-swap-screen")
    new_board = colours.read_board(after)
    check(new_board != board and not has_line(new_board),
          f"the clicked swap left\n{board_text(new_board)}")
    check(pick_frame_pixels(after, a) == 0, "the frame stays after the swap")
    score = session.read_number(after.path, SCORE_BOX)
    check(score is not None and score >= 10, f"the score reads {score} after the swap")


def scenario_full_screen(session):
    """Full screen switched on in the options fills the screen's height between black bars;
    the menu and the board take clicks where they are shown; the choice outlives the game
    and is switched off again."""
    session.start()
    session.follow_window(WINDOW)
    session.move(*NOWHERE)
    reach_menu(session)
    shot = switch_in_options(session, "wyłączony", "włączony", SCREEN, "switched-on")
    check(letterbox_on_screen(session, shot) == (240, 0, 1440, 1080),
          f"the picture is not 1440 x 1080 in the middle: {session.view}")
    check(read_file(session, "ekran.txt") == "1\n", "the choice was not stored")
    check(read_file(session, "opc.txt") == OPTIONS, "opc.txt changed")
    sharp_letterbox(session, "menu-full-screen")
    play_by_clicks(session)
    session.click(*MENU_BUTTON)
    reach_menu(session, "menu-again")
    leave_through_exit(session)

    session.start()
    session.follow_window(SCREEN)
    session.move(*NOWHERE)
    reach_menu(session, "menu-restarted")
    letterbox_on_screen(session, session.screenshot_screen("restarted-screen"))
    switch_in_options(session, "włączony", "wyłączony", WINDOW, "switched-off")
    check(read_file(session, "ekran.txt") == "0\n", "switching back was not stored")
    check(read_file(session, "opc.txt") == OPTIONS, "opc.txt changed")
    leave_through_exit(session)


def sharp_page(session, item, words, label, box, back):
    """A page of the menu read, seen sharp in its letterbox, and left; returns its
    screenshot."""
    choose(session, item)
    path = see(session, words, label, box)
    sharp_letterbox(session, f"{label}-screen")
    session.click(*back)
    reach_menu(session, f"menu-after-{label}")
    return path


def scenario_full_screen_1440(session):
    """Full screen chosen in the player's file, on a larger screen: the menu, a new game,
    the list of results and the options fill its height between black bars, drawn at
    the size they are shown."""
    session.start()
    session.follow_window(LARGE_SCREEN)
    session.move(*NOWHERE)
    reach_menu(session)
    check(sharp_letterbox(session, "menu-screen") == (320, 0, 1920, 1440),
          f"the picture is not 1920 x 1440 in the middle: {session.view}")
    still = start_new_game(session)
    ElementColours(session.assets).read_board(still)
    panel = session.read_text(still.path, PANEL_BOX, words=["POZIOM", "rekord"])
    check(same_text("POZIOM", panel) and same_text("rekord", panel), f"the panel reads {panel!r}")
    sharp_letterbox(session, "board-screen")
    session.click(*MENU_BUTTON)
    reach_menu(session, "menu-after-board")
    sharp_page(session, "results", ["relaksu"], "list", LIST_BOX, LIST_RETURN)
    path = sharp_page(session, "options", ["Pełny ekran", "włączony"], "options",
                      FULL_SCREEN_ROW, PAGE_RETURN)
    text = session.read_text(path, OPTIONS_BOX, words=["muzyki", "Gra dla relaksu"])
    check(same_text("muzyki", text) and same_text("Gra dla relaksu", text),
          f"the options read {text!r}")
    leave_through_exit(session)


def scenario_resized(session):
    """A window resized by hand, wider and then taller than the picture, still takes every
    click where the picture shows it; F11 switches full screen and back from the menu."""
    session.start()
    session.follow_window(WINDOW)
    session.move(*NOWHERE)
    reach_menu(session)
    for size, label in (((1200, 700), "wide"), ((701, 901), "tall")):
        session.resize_window(*size)
        session.follow_window(size)
        session.move(*NOWHERE)
        still = Picture(reach_menu(session, f"menu-{label}"))
        window_bars_black(session, session.screenshot_screen(f"{label}-screen"))
        session.move(*menu_item("bonus"))
        time.sleep(0.5)
        lit = Picture(session.screenshot(f"{label}-hover"))
        check(lit.differing(still, BONUS_ITEM, 8) > 200, "the hovered item does not light up")
        check(lit.differing(still, NEXT_ITEM, 8) < 20, "the item below lights up")
        visit_page(session, "bonus", ["Bonusy", "wyniku", "diagramem"], f"bonus-{label}", BONUS_BOX,
                   BONUS_STILL)
    session.key("F11")
    session.follow_window(SCREEN)
    session.move(*NOWHERE)
    reach_menu(session, "menu-f11")
    letterbox_on_screen(session, session.screenshot_screen("f11-screen"))
    session.key("F11")
    session.follow_window((701, 901))
    check(read_file(session, "ekran.txt") == "0\n", "F11's last choice was not stored")
    session.move(*NOWHERE)
    reach_menu(session, "menu-after-f11")
    leave_through_exit(session)


SCENARIOS = {
    "full_screen": (scenario_full_screen, {"files": {"opc.txt": OPTIONS}, "screen": SCREEN,
                                           "window_manager": True}),
    "full_screen_1440": (scenario_full_screen_1440,
                         {"files": {"opc.txt": OPTIONS, "ekran.txt": "1\n"},
                          "screen": LARGE_SCREEN, "window_manager": True}),
    "resized": (scenario_resized, {"files": {"opc.txt": OPTIONS}, "screen": SCREEN,
                                   "window_manager": True}),
}
