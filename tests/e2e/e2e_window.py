"""The game on a 1920 x 1080 screen with a window manager: full screen switched in the
options and remembered, a game played by clicking two cells, a window resized by hand,
and F11; and full screen on a 2560 x 1440 screen. Every click is given in the picture's
own pixels and lands where the scaled picture shows them (Session.follow_window); full
screen and in a resized window, the picture is drawn at the size it is shown, not
stretched."""

import time

from board_view import (SCORE_BOX, ElementColours, board_text, cell_centre, cell_origin,
                        first_move, has_line)
from e2e_game import PANEL_BOX
from e2e_records import BONUS_BOX, BONUS_STILL, OPTIONS_BOX, visit_page
from flows import (LIST_BOX, LIST_RETURN, MENU_BOX, MENU_BUTTON, PAGE_RETURN, SLOW, choose,
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
NEXT_ITEM = (291, 293, 213, 26)  # the plate of the item below "Bonusy"
BONUS_BAND = (293, 255, 211, 25)  # lit while the pointer rests on the item
# The band is lit by a copy of itself tinted (0.2, 0.6, 0.8) with alpha 0.2, blended
# premultiplied over itself: lit = unlit * (tint + 1 - alpha), channel by channel, where no
# channel reaches 255. Measured within 0.003 of it at every size; a tint's alpha 0.1 off
# moves each channel's gain by 0.1, a second copy laid on the first green and blue by 0.3
# and more.
GLOW = (1.0, 1.4, 1.6)
GLOW_TOLERANCE = 0.05
# Windows whose letterbox has its height rounded (a width 3 mod 4 where the width limits
# the picture, a height 2 mod 3 where the height does) and one whose letterbox is exact.
CHECKED_WINDOWS = (((1366, 768), "wide"), ((1003, 900), "tall"), ((1111, 833), "rounded"))
# "Wyjście z gry" shrunk back from some of these sizes is misread; the rest tells the menu.
MENU_WORDS = ["Nowa", "Dokończ", "wyników"]
# picture.sharpness from row to row, against the picture through a canvas a row taller,
# at 1.25 to 1.39 times 800 x 600: drawn at the size shown, 1.55 to 1.90 on the menu, a
# game and the options; a canvas a row taller than its box squeezed into it, 1.32 to
# 1.44; stretched from 800 x 600, 1.23 to 1.33.
ROW_SHARP = 1.5
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


def menu_in_window(session, label):
    """Waits until the menu stands in the window; returns its screenshot's path."""
    return see(session, MENU_WORDS, label, MENU_BOX)


def on_screen_box(session, box):
    """The screen pixels wholly inside picture box (x, y, w, h): its edge pixels left out."""
    x0, y0 = session.on_screen(box[0] + 1, box[1] + 1)
    x1, y1 = session.on_screen(box[0] + box[2] - 2, box[1] + box[3] - 2)
    return x0, y0, x1 - x0 + 1, y1 - y0 + 1


def shown_exactly(session, label):
    """A screenshot of the screen shows the picture exactly in its letterbox: black bars in
    the window beside it, the backdrop on its first and last rows and columns and black
    on the next ones out inside the window, every row as sharp as a picture drawn at the
    size shown. Returns its picture."""
    shot = session.screenshot_screen(label)
    window_bars_black(session, shot)
    picture = Picture(shot)
    x, y, w, h = session.view
    wx, wy, ww, wh = session.window_geometry()
    for edge, out in (((x, y, w, 1), (x, y - 1)), ((x, y + h - 1, w, 1), (x, y + h)),
                      ((x, y, 1, h), (x - 1, y)), ((x + w - 1, y, 1, h), (x + w, y))):
        check(picture.black(edge) * 50 < edge[2] * edge[3],
              f"the picture's edge {edge} is black: it is not at {session.view} in {shot}")
        if wx <= out[0] < wx + ww and wy <= out[1] < wy + wh:
            check(picture.black((*out, *edge[2:])) == edge[2] * edge[3],
                  f"the picture reaches beyond {session.view} in {shot}")
    ratio = sharpness(shot, session.view, drawn=(w, h + 1), rows=True)
    session.note(f"row sharpness {ratio:.2f}, at least {ROW_SHARP} wanted ({label})")
    check(ratio >= ROW_SHARP, f"the picture's rows are blurred: {ratio:.2f} in {shot}")
    return picture


def lit_at_rest(session, unlit, label):
    """The pointer moved onto "Bonusy" lights its band with the glow, and only it; resting
    there a second changes nothing."""
    band = on_screen_box(session, BONUS_BAND)
    session.move(*menu_item("bonus"))
    deadline = time.monotonic() + SLOW
    while True:
        lit = Picture(session.screenshot_screen(f"{label}-lit"))
        if lit.differing(unlit, band, 8) > 200:
            break
        check(time.monotonic() < deadline, "the hovered item does not light up")
    time.sleep(1.0)
    rested = Picture(session.screenshot_screen(f"{label}-rested"))
    check(rested.differing(lit, band, 2) == 0, "the lit item changes while the pointer rests")
    check(rested.differing(unlit, on_screen_box(session, NEXT_ITEM), 8) < 20,
          "the item below lights up")
    gain = rested.gain(unlit, band, ceiling=int(255 / max(GLOW)))
    session.note(f"lit band over unlit: {', '.join(f'{g:.3f}' for g in gain)} ({label})")
    check(all(abs(g - want) <= GLOW_TOLERANCE for g, want in zip(gain, GLOW)),
          f"the lit band is the unlit one times {gain}, not {GLOW}")


def scenario_resized(session):
    """A window resized by hand, wider, taller and smaller than the picture, still takes
    every click where the picture shows it, and shows the menu, a game and the options
    exactly in its letterbox, drawn at the size shown, the menu's item lit by its glow;
    F11 switches full screen and back from the menu."""
    session.start()
    session.follow_window(WINDOW)
    session.move(*NOWHERE)
    reach_menu(session)
    for size, label in CHECKED_WINDOWS:
        session.resize_window(*size)
        session.follow_window(size)
        session.move(*NOWHERE)
        menu_in_window(session, f"menu-{label}")
        lit_at_rest(session, shown_exactly(session, f"{label}-screen"), label)
        start_new_game(session, f"board-{label}")
        shown_exactly(session, f"board-{label}-screen")
        session.click(*MENU_BUTTON)
        menu_in_window(session, f"menu-after-board-{label}")
        choose(session, "options")
        see(session, ["Pełny ekran", "wyłączony"], f"options-{label}", FULL_SCREEN_ROW)
        shown_exactly(session, f"options-{label}-screen")
        session.click(*PAGE_RETURN)
        menu_in_window(session, f"menu-after-options-{label}")
    session.resize_window(701, 901)
    session.follow_window((701, 901))
    session.move(*NOWHERE)
    reach_menu(session, "menu-small")
    shot = session.screenshot_screen("small-screen")
    window_bars_black(session, shot)
    lit_at_rest(session, Picture(shot), "small")
    visit_page(session, "bonus", ["Bonusy", "wyniku", "diagramem"], "bonus-small", BONUS_BOX,
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
