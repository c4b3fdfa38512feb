"""Presses that come while the game is busy with something else, as a hurried player makes
them: a click on a menu item while the title still fades out, Space pressed on and on
through a level's end, the focus lost and regained around a pause, the window closed
during a game, and a click on a board that still moves."""

import contextlib
import os
import threading
import time

import sheet
from board_view import (BOARD_BOX, BOARD_X, BOARD_Y, LEVEL_DIGIT_BOX, PITCH, ElementColours,
                        board_text, cell_centre, cell_origin, has_line, stored_game_text,
                        swapped)
from e2e_game import (CASCADE_FILES, CASCADE_PASSWORD, CASCADE_SWAP, MERCURY, MESSAGE_BOX,
                      PLANET_TEXT_BOX, cascade_board)
from e2e_keys import PAUSE_PLATE, focus_elsewhere, options_text
from e2e_records import BONUS_BOX
from flows import (BOTTOM_STRIP, SCREEN, SLOW, emptied_clock_rows, leave_by_menu_button,
                   leave_through_exit, menu_item, read_file, reach_menu, resume, start_new_game,
                   wait_for_board, wait_in_strip)
from picture import Picture
from player import HEIGHT, WIDTH, E2EFailure, check, same_text

AWAY = (20, 580)  # a point of the menu and of the game screen that reacts to nothing
NOWHERE = (170, 530)  # nothing on the game screen answers there
TITLE_WORD = (330, 270, 140, 55)  # the middle of the title picture's large word
BONUS_HEADING = (281, 24, sheet.size("heading_bonuses")[0] + 12,
                 sheet.size("heading_bonuses")[1] + 12)
BONUS_ONLY = ["diagramem", "punktacji"]  # words of the bonus table the menu never shows


class Glances:
    """Looks at parts of the picture straight from the X server, a millisecond each where
    a screenshot takes a tenth of a second: quick enough to catch a fade's first step or a
    plate shown for a tenth of a second. For a window showing the picture at its size."""

    def __init__(self, session):
        from Xlib import display as xdisplay

        check(session.view is None or tuple(session.view[2:]) == (WIDTH, HEIGHT),
              f"glances need the picture at its own size, not {session.view}")
        self.session = session
        self.connection = xdisplay.Display(session.display)
        self.root = self.connection.screen().root

    def region(self, box):
        """The pixels of box (x, y, w, h), four bytes each, the fourth mere padding."""
        from Xlib import X

        x, y, w, h = box
        return self.root.get_image(*self.session.on_screen(x, y), w, h, X.ZPixmap,
                                   0xFFFFFFFF).data

    @staticmethod
    def apart(one, other, tolerance=8, step=3):
        """The share of the pixels of two grabs of one box, every step-th looked at, that
        differ by more than tolerance in a channel: a picture drawn again over a board
        drawn again may differ by a level or two."""
        far = total = 0
        for i in range(0, min(len(one), len(other)) - 3, 4 * step):
            total += 1
            if any(abs(one[i + c] - other[i + c]) > tolerance for c in range(3)):
                far += 1
        return far / max(total, 1)

    def brightness(self, box):
        """The mean of every colour channel over box."""
        data = self.region(box)
        return (sum(data) - sum(data[3::4])) / (len(data) // 4 * 3)

    def close(self):
        self.connection.close()


def alive(session):
    check(session.game.poll() is None, f"the game ended early: {session.stderr()}")


def press_in_title_fade_out(session, point):
    """Waits until the title has stood at full light for a second, puts the pointer on
    point, and presses and releases there as soon as the title begins to fade out."""
    with contextlib.closing(Glances(session)) as glances:
        deadline = time.monotonic() + SLOW
        full = last = steady_since = None
        while True:
            check(time.monotonic() < deadline, "the title never stood still and faded out")
            alive(session)
            now, level = time.monotonic(), glances.brightness(TITLE_WORD)
            if full is None:
                # The fade-in changes the picture every few hundredths of a second.
                steady_since = (steady_since or now) if level > 20 and level == last else None
                if steady_since is not None and now - steady_since > 1.0:
                    full = level
                    session.move(*point)
            elif level < 0.97 * full:
                break
            last = level
            time.sleep(0.004)
        began = now
        session.press()
        late = time.monotonic() - began
        time.sleep(0.1)  # the game polls the buttons once a frame
        session.release()
        session.move(*AWAY)
        session.note(f"pressed {late * 1000:.0f} ms into the title's fade-out")
        # The fade-out lasts about 0.64 s; a press after it would test the menu instead.
        check(late < 0.4, f"the press came {late:.2f} s into the fade-out, too late to test it")


def item_label(item):
    """The box of a menu item's label."""
    x, y = menu_item(item)
    return x - 100, y - 16, 200, 32


def menu_without_page(session, label):
    """Waits for the main menu to stand still, failing as soon as the bonus table shows;
    returns the still menu's picture."""
    deadline = time.monotonic() + SLOW
    previous = None
    while time.monotonic() < deadline:
        alive(session)
        current = Picture(session.screenshot(label))
        heading = session.read_text(current.path, BONUS_HEADING, psm=7)
        table = session.read_text(current.path, BONUS_BOX)
        check(not same_text("Bonusy", heading) and not any(same_text(w, table) for w in BONUS_ONLY),
              f"the bonus table opened ({current.path}): {heading!r} {table!r}")
        if previous is not None and current.differing(previous, SCREEN) == 0:
            labels = [session.read_text(current.path, item_label(item), psm=7)
                      for item in ("new", "options")]
            if same_text("Nowa gra", labels[0]) and same_text("Opcje", labels[1]):
                return current
        previous = current
        time.sleep(0.3)
    raise E2EFailure(f"the menu never stood still within {SLOW} s")


def scenario_press_title_fade(session):
    """A click on the bonus item while the title fades out is no choice of it: the menu
    comes with nothing opened, and looks exactly as it does when nobody clicked (no trace
    of the title behind it)."""
    session.move(*AWAY)
    session.start()
    untouched = Picture(reach_menu(session, "menu-untouched", skip_intro=False))
    leave_through_exit(session)

    session.move(*AWAY)
    session.start()
    press_in_title_fade_out(session, menu_item("bonus"))
    menu = menu_without_page(session, "menu-after-press")
    # A menu shown whole at once rather than at the end of its fade-in differs by a few
    # levels at most; a title left behind the plates by far more.
    changed = menu.differing(untouched, SCREEN, 8)
    check(changed < 20, f"the menu after the press differs from the untouched one in {changed} "
          f"pixels: {menu.path} against {untouched.path}")
    leave_through_exit(session)


@contextlib.contextmanager
def pressing(session, key, every=0.1):
    """Presses key again and again while the block runs, as an impatient player does."""
    stop = threading.Event()

    def press():
        while not stop.is_set():
            session.xdotool("key", key)
            stop.wait(every)

    presser = threading.Thread(target=press, daemon=True)
    presser.start()
    try:
        yield
    finally:
        stop.set()
        presser.join()


def wait_reveal_end(session):
    """Waits for the planet's reveal at the top to end: Mercury, lit a step every tenth of
    a second, has risen and then stood for a third of a second. Returns its brightness
    before and after."""
    with contextlib.closing(Glances(session)) as glances:
        deadline = time.monotonic() + SLOW
        faint = last = glances.brightness(MERCURY)
        changed = time.monotonic()
        while True:
            check(time.monotonic() < deadline, "the planet's reveal never ended")
            alive(session)
            level = glances.brightness(MERCURY)
            if level != last:
                last, changed = level, time.monotonic()
            elif level > faint + 10 and time.monotonic() - changed > 0.33:
                return faint, level
            time.sleep(0.01)


def scenario_press_level_end(session):
    """Space pressed on and on from the swap that completes a level through the board's
    dissolving and the planet's reveal takes nothing away: the planet's description still
    stands three seconds after it showed, and Enter pressed then starts the next level."""
    session.start()
    reach_menu(session)
    colours = ElementColours(session.assets)
    before = resume(session, CASCADE_PASSWORD, "resumed")
    check(colours.read_board(before) == cascade_board(), "the resumed board is not the stored one")
    session.drag(*(cell_centre(*cell) for cell in CASCADE_SWAP))
    time.sleep(0.3)
    session.release()
    session.move(*NOWHERE)
    with pressing(session, "space"):
        faint, lit = wait_reveal_end(session)
    session.note(f"Mercury revealed: {faint:.0f} -> {lit:.0f}; Space no longer pressed")
    try:
        shown = session.wait_for_text(["MERKURY", "Słońcu"], "planet", 15, PLANET_TEXT_BOX)
    except E2EFailure as failure:
        raise E2EFailure(f"the planet's description never stood after the reveal: {failure}")
    seen = time.monotonic()
    time.sleep(max(0.0, seen + 3.0 - time.monotonic()))
    later = session.screenshot("planet-3s-later")
    text = session.read_text(later, PLANET_TEXT_BOX, words=["MERKURY", "Słońcu"])
    message = session.read_text(later, MESSAGE_BOX, words=["Gratulacje"])
    check(same_text("MERKURY", text) and same_text("Słońcu", text),
          f"the planet's description is gone 3 s after it showed: {text!r} ({later})")
    check(same_text("Gratulacje", message), f"the level's message is gone: {message!r} ({later})")
    check(Picture(later).differing(Picture(shown), BOARD_BOX, 8) < 20,
          f"the board's place changed while the level's end waited for the player ({later})")
    session.key("Return")
    level2 = wait_for_board(session, "level2")
    colours.read_board(level2)  # a full board of elements
    check(level2.differing(before, LEVEL_DIGIT_BOX, 8) > 30, "the level digit did not change")
    leave_by_menu_button(session)


def ends_pause_for_good(session, press, label):
    """Makes the press that ends the pause while the plate is watched from before it:
    once gone the plate never shows again over the next three seconds, not even for a
    frame, and the clock runs on."""
    before = Picture(session.screenshot(f"{label}-before"))
    seen = []  # (seconds since the press began, whether the plate showed)
    with contextlib.closing(Glances(session)) as glances:
        plate = glances.region(PAUSE_PLATE)
        begin = time.monotonic()

        def watch():
            while time.monotonic() - begin < 3.0:
                shown = glances.apart(glances.region(PAUSE_PLATE), plate) < 0.05
                seen.append((time.monotonic() - begin, shown))
                time.sleep(0.005)

        watcher = threading.Thread(target=watch)
        watcher.start()
        try:
            press()
        finally:
            watcher.join()
    after = Picture(session.screenshot(f"{label}-after"))
    gone = next((t for t, shown in seen if not shown), None)
    check(gone is not None, f"the pause did not end ({label})")
    back = next((t for t, shown in seen if shown and t > gone), None)
    if back is not None:
        raise E2EFailure(f"the pause plate showed again {back:.2f} s after the press that "
                         f"ended it, {back - gone:.2f} s after it was gone ({label})")
    check(emptied_clock_rows(before, after), f"the clock did not run on ({label})")
    session.note(f"the pause ended {gone * 1000:.0f} ms after the press began ({label})")


def paused_by_focus(session, label):
    """Takes the focus away and gives it back; the game is paused all the while."""
    with focus_elsewhere(session):
        time.sleep(1.0)
        away = Picture(session.screenshot(f"{label}-away"))
        time.sleep(1.5)
        later = Picture(session.screenshot(f"{label}-away-later"))
        check(not emptied_clock_rows(away, later), "the clock ran while the focus was away")
    session.activate_window()
    time.sleep(1.0)
    back = Picture(session.screenshot(f"{label}-back"))
    check(not emptied_clock_rows(later, back), "the pause ended when the focus came back")
    plate = session.read_text(back.path, PAUSE_PLATE, psm=7)
    check(same_text("Pauza", plate), f"no pause plate after the focus came back: {plate!r}")


def scenario_press_focus_pause(session):
    """In a timed game paused with P, the focus goes to another window and comes back: one
    click then resumes the game for good. Paused by the focus going away, back, and
    Escape resumes it for good too."""
    session.start()
    session.follow_window((800, 600))
    reach_menu(session)
    start_new_game(session, "board")
    session.move(*NOWHERE)
    session.key("p")
    time.sleep(1.0)
    paused_by_focus(session, "paused-by-key")
    ends_pause_for_good(session, lambda: session.click(*NOWHERE), "click")
    paused_by_focus(session, "paused-by-focus")
    ends_pause_for_good(session, lambda: session.key("Escape"), "escape")
    leave_by_menu_button(session)


def folder_state(session):
    """The names in the player's folder, and its count of stored games if it has one."""
    count = read_file(session, "zg.txt") if os.path.exists(session.file("zg.txt")) else None
    return sorted(os.listdir(session.folder)), count


def scenario_press_close_game(session):
    """The window closed during a game asks whether to store it rather than end it; a
    second close ends the game cleanly and stores nothing."""
    session.start()
    reach_menu(session)
    start_new_game(session, "board")
    session.move(*NOWHERE)
    before = folder_state(session)
    session.close_window()
    try:
        wait_in_strip(session, ["Czy", "zapisać", "stan"], "question", BOTTOM_STRIP)
    except E2EFailure as failure:
        raise E2EFailure(f"no store question after the window was closed during a game "
                         f"(exit code {session.game.poll()}): {failure}")
    session.close_window()
    code = session.wait_exit(10)
    check(code == 0, f"exit code {code} after the second close: {session.stderr()}")
    after = folder_state(session)
    check(after == before, f"the player's folder changed: {before} -> {after}")


# A resumed relaxed game whose swap (3, 8)-(4, 8) makes a line that falls into a second
# one; no star to drop, so the level goes on. The right-hand columns stand apart from the
# falls, and one of their pairs makes a line in column 8: a swap a player must not get by
# clicking one of its cells while the board moves and the other after it has settled.
PAIR_PASSWORD = "para"
LATE_CLICK, SETTLED_CLICK = (7, 6), (8, 6)
FALLING_COLUMNS = (BOARD_X, BOARD_Y, 4 * PITCH, 8 * PITCH)


def pair_board():
    board = cascade_board()
    board[7][7] = 4  # no star element
    board[4][7] = 1  # column 8 reads 1 1 3 from row 4: (7, 6), a 1, makes it 1 1 1
    return board


PAIR_FILES = {
    PAIR_PASSWORD: stored_game_text(pair_board(), level=1, score=100, mode=0),
    "zg.txt": "1",
    "opc.txt": options_text(0),
}


def scenario_press_cascade_pair(session):
    """A cell clicked while a cascade still moves the board, and its neighbour clicked once
    the board has settled, are no swap: the two never show exchanged."""
    board = pair_board()
    check(not has_line(board) and has_line(swapped(board, *CASCADE_SWAP))
          and has_line(swapped(board, LATE_CLICK, SETTLED_CLICK)),
          "the prepared board is not what this scenario needs")
    session.start()
    reach_menu(session)
    colours = ElementColours(session.assets)
    before = resume(session, PAIR_PASSWORD, "resumed")
    shown = colours.read_board(before)
    check(shown == board, f"the resumed board shows\n{board_text(shown)}")
    session.click(*cell_centre(*CASCADE_SWAP[0]))
    with contextlib.closing(Glances(session)) as glances:
        # The swap and its two lines move the board for about 0.9 s from the press on
        # the second cell; the press and release on the third come well inside it.
        session.move(*cell_centre(*CASCADE_SWAP[1]))
        time.sleep(0.05)
        session.press()
        swap_pressed = time.monotonic()
        time.sleep(0.1)
        session.release()
        session.move(*cell_centre(*LATE_CLICK))
        time.sleep(max(0.0, swap_pressed + 0.3 - time.monotonic()))
        session.press()
        time.sleep(0.1)
        session.release()
        falling = glances.region(FALLING_COLUMNS)
        session.move(*NOWHERE)
        settled = wait_for_board(session, "settled")
        check(glances.region(FALLING_COLUMNS) != falling,
              "the board had settled before the click on a moving board was over")
    board = colours.read_board(settled)
    check(board != shown, "the cascading swap did not happen")
    pair = [board[r - 1][c - 1] for c, r in (LATE_CLICK, SETTLED_CLICK)]
    check(pair == [1, 3], f"the falls reached the pair: it reads {pair}\n{board_text(board)}")
    session.click(*cell_centre(*SETTLED_CLICK))
    session.move(*NOWHERE)
    for path in session.burst("after-pair", 2.0):
        picture = Picture(path)
        seen = [colours.kind_at(picture, *cell_origin(*cell)) for cell in
                (LATE_CLICK, SETTLED_CLICK)]
        check(seen[0] != 3 and seen[1] != 1, f"the pair shows swapped in {path}: {seen}")
    final = colours.read_board(wait_for_board(session, "after-pair-still"))
    check(final == board, f"the board changed after the pair's clicks:\n{board_text(final)}")
    leave_by_menu_button(session)


SCENARIOS = {
    "press_title_fade": (scenario_press_title_fade, {"files": {"opc.txt": options_text(0)}}),
    "press_level_end": (scenario_press_level_end, {"files": CASCADE_FILES}),
    "press_focus_pause": (scenario_press_focus_pause, {"files": {"opc.txt": options_text(1)},
                                                       "window_manager": True}),
    "press_close_game": (scenario_press_close_game, {"files": {"opc.txt": options_text(0)}}),
    "press_cascade_pair": (scenario_press_cascade_pair, {"files": PAIR_FILES}),
}
