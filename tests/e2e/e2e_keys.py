"""The keyboard and the presses a player makes while the game is busy: a whole session by
keys alone, a timed game that pauses when its window loses the focus, a short click on
the hint button, and clicks made during a fade."""

import time

from board_view import SCORE_BOX, ElementColours, board_text, first_move, hint_outline_cell
from flows import (CLOCK_BAR, HINT_BUTTON, PAGE_RETURN, SLOW, choose, emptied_clock_rows,
                   leave_by_menu_button, menu_item, read_file, reach_menu, wait_for_board)
from picture import Picture
from player import check

ITEMS = 7
NOWHERE = (170, 530)  # nothing on the game screen answers there
PAUSE_PLATE = (422, 265, 226, 40)


def options_text(mode):
    return f"0.5\n0.5\n{mode}\n"


def keys(session, *names):
    for name in names:
        session.key(name)


def menu_by_keys(session, item):
    """Lights the last item (Down stops there whatever was lit), walks up to item and
    chooses it with Enter."""
    keys(session, *["Down"] * ITEMS, *["Up"] * (ITEMS - item), "Return")


def scenario_keys_session(session):
    """Keys alone: a relaxed game from the menu with a scoring swap, back to the menu, the
    music louder in the options, and out of the game."""
    session.start()
    reach_menu(session)
    menu_by_keys(session, 1)
    colours = ElementColours(session.assets)
    still = wait_for_board(session, "board")
    board = colours.read_board(still)
    move = first_move(board)
    check(move is not None, f"no move on the board:\n{board_text(board)}")
    (c1, r1), (c2, r2) = move
    # The cursor starts on the top-left cell; Space picks, an arrow swaps.
    keys(session, *["Right"] * (c1 - 1), *["Down"] * (r1 - 1), "space",
         "Right" if c2 > c1 else "Down")
    after = wait_for_board(session, "after-swap")
    check(colours.read_board(after) != board, "the key swap left the board as it was")
    score = session.read_number(after.path, SCORE_BOX)
    check(score is not None and score >= 10, f"the score reads {score} after the swap")
    keys(session, "m")
    reach_menu(session, "menu-again")
    menu_by_keys(session, 6)
    time.sleep(2.5)  # the options fade in
    keys(session, "Down", *["Right"] * 10, "Escape")
    reach_menu(session, "menu-after-options")
    stored = read_file(session, "opc.txt")
    check(stored.startswith("0.6\n"), f"the music is not 0.6 in the stored options: {stored!r}")
    menu_by_keys(session, ITEMS)
    code = session.wait_exit(30)
    check(code == 0, f"exit code {code}, stderr: {session.stderr()}")


def take_focus_away(session):
    """Maps a window of another program over the game; the window manager gives it the
    focus. Returns the connection that keeps it open."""
    from Xlib import X
    from Xlib import display as xdisplay

    connection = xdisplay.Display(session.display)
    screen = connection.screen()
    other = screen.root.create_window(0, 0, 200, 100, 0, screen.root_depth,
                                      background_pixel=screen.white_pixel)
    other.set_wm_name("other")
    other.map()
    connection.sync()
    time.sleep(0.5)
    other.set_input_focus(X.RevertToParent, X.CurrentTime)
    connection.sync()
    return connection


def scenario_keys_focus(session):
    """A timed game stands still while another window has the focus, and runs on once
    the player is back and ends the pause with a key."""
    session.start()
    session.follow_window((800, 600))
    reach_menu(session)
    choose(session, "new")
    session.move(*NOWHERE)
    wait_for_board(session, "board")
    other = take_focus_away(session)
    try:
        time.sleep(1.5)
        paused = Picture(session.screenshot("paused"))
        time.sleep(3.0)
        later = Picture(session.screenshot("paused-later"))
        check(not emptied_clock_rows(paused, later), "the clock ran while the focus was away")
        check(later.differing(paused, PAUSE_PLATE, 8) == 0, "the pause did not stand still")
    finally:
        other.close()
    session.xdotool("windowactivate", "--sync", session.window_id())
    time.sleep(1.0)
    still_paused = Picture(session.screenshot("back"))
    check(not emptied_clock_rows(later, still_paused), "the pause ended by itself")
    keys(session, "space")
    time.sleep(3.0)
    running = Picture(session.screenshot("running"))
    check(emptied_clock_rows(still_paused, running), "the clock did not run on after the pause")
    check(running.differing(still_paused, CLOCK_BAR, 8) > 0, "the clock bar stood still")
    leave_by_menu_button(session)


def scenario_hint_click(session):
    """A click as short as a player's on the hint button: the hint is seen a second later."""
    session.start()
    reach_menu(session)
    choose(session, "new")
    session.move(*NOWHERE)
    wait_for_board(session, "board")
    session.click(*HINT_BUTTON)
    session.move(*NOWHERE)
    time.sleep(0.9)
    seen = None
    begin = time.monotonic()
    while seen is None and time.monotonic() - begin < 0.6:
        seen = hint_outline_cell(Picture(session.screenshot("hint")))
    check(seen is not None, "no hint outline a second after the click")
    leave_by_menu_button(session)


def scenario_fade_clicks(session):
    """A click made while the menu fades out ends the fade and is taken by the page that
    appears (its return button, once); one right after the next fade is taken too."""
    session.start()
    reach_menu(session)
    begin = time.monotonic()
    choose(session, "bonus")
    time.sleep(0.2)
    session.click(*PAGE_RETURN)  # during the menu's 0.8 s fade-out
    session.move(*NOWHERE)
    reach_menu(session, "menu-after-page")
    took = time.monotonic() - begin
    # Out of the menu, into the page and left at once, the menu faded in: under the 3.3 s
    # of the fades alone, and the menu stays (the click was not taken twice).
    check(took < SLOW, f"the menu came back only after {took:.1f} s")
    session.note(f"page opened and left by a click during the fade in {took:.1f} s")
    choose(session, "info")
    time.sleep(0.9)  # the info page's fade-in has only begun
    session.click(*PAGE_RETURN)
    session.move(*NOWHERE)
    reach_menu(session, "menu-after-info")
    time.sleep(1.0)
    reach_menu(session, "menu-stays")
    session.click(*menu_item("exit"))
    code = session.wait_exit(30)
    check(code == 0, f"exit code {code}, stderr: {session.stderr()}")


SCENARIOS = {
    "keys_session": (scenario_keys_session, {"files": {"opc.txt": options_text(0)}}),
    "keys_focus": (scenario_keys_focus, {"files": {"opc.txt": options_text(1)},
                                         "window_manager": True}),
    "hint_click": (scenario_hint_click, {"files": {"opc.txt": options_text(0)}}),
    "fade_clicks": (scenario_fade_clicks, {"files": {"opc.txt": options_text(0)}}),
}
