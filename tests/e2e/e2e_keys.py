"""The keyboard and the presses a player makes while the game is busy: a whole session by
keys alone, a timed game that pauses when its window loses the focus, a short click on
the hint button, and clicks made during a fade."""

import contextlib
import time

from board_view import SCORE_BOX, ElementColours, board_text, first_move, hint_outline_cell
from flows import (CLOCK_BAR, HINT_BUTTON, PAGE_RETURN, SCREEN, SLOW, choose,
                   emptied_clock_rows, leave_by_menu_button, menu_item, read_file, reach_menu,
                   see, wait_for_board)
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


@contextlib.contextmanager
def focus_elsewhere(session, timeout=10):
    """While the block runs, a window of another program lies over the game and has the
    keyboard focus; it is gone from the server again (not merely on its way out) before
    the block's end returns, so that nothing looking for windows meets it closing."""
    from Xlib import X, error
    from Xlib import display as xdisplay

    connection = xdisplay.Display(session.display)
    connection.set_error_handler(lambda failure, request: None)  # a focus set too early
    other = None
    try:
        screen = connection.screen()
        other = screen.root.create_window(0, 0, 200, 100, 0, screen.root_depth,
                                          background_pixel=screen.white_pixel)
        other.set_wm_name("other")
        other.map()
        connection.sync()
        deadline = time.monotonic() + timeout
        while True:
            # The window manager maps it in a frame of its own a moment later; only a
            # viewable window can take the focus.
            try:
                if other.get_attributes().map_state == X.IsViewable:
                    other.set_input_focus(X.RevertToParent, X.CurrentTime)
                    connection.sync()
                    focus = connection.get_input_focus().focus
                    if getattr(focus, "id", None) == other.id:
                        break
            except error.XError:
                pass
            check(time.monotonic() < deadline, "the other window never took the focus")
            time.sleep(0.1)
        yield
    finally:
        if other is not None:
            other.destroy()
            connection.sync()
        connection.close()


def scenario_keys_focus(session):
    """A timed game stands still while another window has the focus, and runs on once
    the player is back and ends the pause with a key."""
    session.start()
    session.follow_window((800, 600))
    reach_menu(session)
    choose(session, "new")
    session.move(*NOWHERE)
    wait_for_board(session, "board")
    with focus_elsewhere(session):
        time.sleep(1.5)
        paused = Picture(session.screenshot("paused"))
        time.sleep(3.0)
        later = Picture(session.screenshot("paused-later"))
        check(not emptied_clock_rows(paused, later), "the clock ran while the focus was away")
        check(later.differing(paused, PAUSE_PLATE, 8) == 0, "the pause did not stand still")
    session.activate_window()
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
    """A click made while the menu fades out ends the fade and is spent on it: the page
    that appears stays until a click of its own. One made while a page fades in ends the
    fade and is taken by the page (its return button, once)."""
    session.start()
    reach_menu(session)
    begin = time.monotonic()
    choose(session, "bonus")
    time.sleep(0.2)
    session.click(*PAGE_RETURN)  # during the menu's 0.8 s fade-out
    session.move(*NOWHERE)
    see(session, ["pkt"], "page-stays", SCREEN)
    took = time.monotonic() - begin
    check(took < SLOW, f"the page came only after {took:.1f} s")
    time.sleep(1.0)
    see(session, ["pkt"], "page-still-stays", SCREEN)
    session.note(f"the click during the fade-out was spent; the page stood after {took:.1f} s")
    session.click(*PAGE_RETURN)
    session.move(*NOWHERE)
    reach_menu(session, "menu-after-page")
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
