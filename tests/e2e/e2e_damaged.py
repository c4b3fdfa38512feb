"""Damaged player files met by the real game. Every player file (the options, the screen
choice, both result lists, the count of stored games and a stored game it counts) is at
once empty, random bytes, one enormous line, a directory or a link to a file outside the
player's folder: the game starts fast, shows the menu, takes each such file for a missing
or empty one, writes where it legitimately writes (a link is replaced, never written
through; a directory stays and the game says it could not store), and leaves every good
file and everything outside the folder as it was."""

import hashlib
import os
import random
import time

from board_view import ElementColours, board_text, filler_board, stored_game_text
from e2e_game import LAST_NAME, MESSAGE_BOX, PLANET_TEXT_BOX
from e2e_records import LAST_SECOND, LAST_SECOND_GAME, NAME, OPTIONS_BOX, encoded_list
from e2e_saves import ask_for_password, refused, type_password
from flows import (BOTTOM_STRIP, CONTINUE_BUTTON, LIST_BOX, LIST_RETURN, MENU_BOX, MENU_BUTTON,
                   MENU_WORDS, MIDDLE_STRIP, NAME_PROMPT, PAGE_RETURN, SLOW, choose,
                   enter_name, leave_through_exit, read_file, reach_menu, resume, see,
                   skipping_intro, start_new_game, wait_in_strip)
from player import E2EFailure, check, same_text

STORED = "kometa"  # the stored game that zg.txt counts, damaged like the other files
NEW = "nowa"  # a game stored during the run: it makes the count a real file again
SPARE = "zapas"  # a good stored game beside the damaged ones: nothing may touch it
PLAYER_FILES = ("opc.txt", "ekran.txt", "lir.txt", "lic.txt", "zg.txt", STORED)
# Damaged bytes in one start: each kind of damage under some of the names. The readers
# meet every kind under every name headless (the fuzzers and the unit tests); the real
# game shows that none of them stops a start, a screen or a write.
FILE_DAMAGE = {"opc.txt": "random", "ekran.txt": "empty", "lir.txt": "random",
               "lic.txt": "enormous", "zg.txt": "empty", STORED: "enormous"}
SCRATCH = "xh.txt"  # the decoded copy of a list, made and removed by the game itself

# What each file would show if the game read it where it must not: the options of the
# timed game with loud volumes, full screen, a listed result, five stored games, and the
# filler board. A link points at these, and an enormous line ends with them.
INTRUDER = "Intruz"
VISIBLE = {
    "opc.txt": b"1.2 1.3 1",
    "ekran.txt": b"1",
    "lir.txt": encoded_list([(INTRUDER, 8, 99999)]),
    "lic.txt": encoded_list([(INTRUDER, 8, 99999)]),
    "zg.txt": b"5",
    STORED: stored_game_text(filler_board(), score=777).replace("\n", " ").encode(),
    SCRATCH: encoded_list([(INTRUDER, 8, 99999)]),
}
ENORMOUS = 50 << 20  # bytes of blanks before the visible end: no reader may get there
LIST_BLANK = b"\x19"  # a list byte that decodes to a blank
RANDOM_BYTES = 3000
SPARE_GAME = stored_game_text(filler_board(), score=555)

FULL_SCREEN_SWITCH = (522, 325)
MUSIC_NUMBER = (385, 155, 50, 24)
EFFECTS_NUMBER = (385, 195, 50, 24)
FULL_SCREEN_ROW = (240, 310, 380, 30)
NAMES_COLUMN = (245, 112, 190, 400)
FIGURES_COLUMN = (430, 112, 160, 400)
STORE_FAILED = ["Nie", "udało", "zapisać", "gry"]
WINDOW = (800, 600)
DAY = 24 * 3600


class Damage:
    """Puts one kind of damage under player files' names and remembers what must stay
    as it was: the outside files the links point at (content, change and access times)
    and the directories' contents."""

    def __init__(self, session, kind):
        self.session, self.kind = session, kind
        self.outside = os.path.join(session.root, "outside")
        os.makedirs(self.outside, exist_ok=True)
        self.targets = {}  # outside path -> (content, atime_ns, mtime_ns)
        self.directories = {}  # folder path -> content of its "keep" file
        self.links = {}  # player file -> the outside file its link points at
        self.written = {}  # player file -> digest of the damaged bytes written there
        self.atime_kept = self._access_times_kept()

    def kind_of(self, name):
        return FILE_DAMAGE[name] if self.kind == "files" else self.kind

    def _outside_file(self, name, content):
        path = os.path.join(self.outside, name)
        with open(path, "wb") as out:
            out.write(content)
        # Read long ago, changed longer ago: the file system records any later read.
        now = time.time_ns()
        os.utime(path, ns=(now - 2 * DAY * 10**9, now - 3 * DAY * 10**9))
        stat = os.stat(path)
        self.targets[path] = (content, stat.st_atime_ns, stat.st_mtime_ns)
        return path

    def _access_times_kept(self):
        """Whether this file system records reads (relatime or strictatime): a probe
        outside the folder is read once, as a link followed by the game would be."""
        probe = self._outside_file("probe", b"probe")
        del self.targets[probe]
        before = os.stat(probe).st_atime_ns
        with open(probe, "rb") as source:
            source.read()
        kept = os.stat(probe).st_atime_ns != before
        if not kept:
            self.session.note("reads leave no access time here: links are judged by content")
        return kept

    def apply(self, names):
        for name in names:
            path = self.session.file(name)
            if self.kind == "directory":
                os.mkdir(path)
                keep = f"{name} stays".encode()
                with open(os.path.join(path, "keep"), "wb") as out:
                    out.write(keep)
                self.directories[path] = keep
            elif self.kind == "link":
                self.links[name] = self._outside_file(name, VISIBLE[name])
                os.symlink(self.links[name], path)
            else:
                content = self._content(name)
                with open(path, "wb") as out:
                    out.write(content)
                self.written[name] = hashlib.sha256(content).digest()

    def _content(self, name):
        kind = self.kind_of(name)
        if kind == "empty":
            return b""
        if kind == "random":
            return random.Random(f"{name} damaged").randbytes(RANDOM_BYTES)
        blank = LIST_BLANK if name in ("lir.txt", "lic.txt") else b" "
        return blank * ENORMOUS + VISIBLE[name]

    def check_outside_intact(self):
        """Every outside file as it was, and never read; every directory as it was."""
        for path, (content, atime, mtime) in self.targets.items():
            stat = os.stat(path)  # before the content is read here
            name = os.path.basename(path)
            check(stat.st_mtime_ns == mtime, f"the outside file {name} was changed")
            if self.atime_kept:
                check(stat.st_atime_ns == atime, f"the outside file {name} was read")
            with open(path, "rb") as source:
                check(source.read() == content, f"the outside file {name} was changed")
        for path, keep in self.directories.items():
            check(os.path.isdir(path) and not os.path.islink(path),
                  f"the directory {os.path.basename(path)} is gone")
            with open(os.path.join(path, "keep"), "rb") as source:
                check(source.read() == keep, f"{os.path.basename(path)}/keep was changed")
            check(os.listdir(path) == ["keep"], f"{os.path.basename(path)} got new entries")

    def replaced(self, name):
        """A damaged name that the game wrote: a regular file now; its link's outside file
        is checked by check_outside_intact."""
        path = self.session.file(name)
        check(os.path.isfile(path) and not os.path.islink(path),
              f"{name} is not a regular file after the game wrote it")
        return read_file(self.session, name, "rb")

    def untouched(self, name):
        """A damaged name that the game had no reason to write: still as it was put."""
        path = self.session.file(name)
        if self.kind == "link":
            check(os.path.islink(path) and os.readlink(path) == self.links[name],
                  f"the link {name} was removed or replaced")
        elif self.kind == "directory":
            check(os.path.isdir(path), f"the directory {name} was removed")
        else:
            content = read_file(self.session, name, "rb")
            check(hashlib.sha256(content).digest() == self.written[name],
                  f"the damaged {name} was written although the game never stores it here")


def menu_after_start(session, label):
    """Starts the game and presses a key at every look, which skips the intro; returns
    the seconds until the menu is read."""
    session.start()
    nudge = skipping_intro(session)
    deadline = time.monotonic() + SLOW
    while time.monotonic() < deadline:
        session.key(nudge)
        text = session.read_text(session.screenshot(label), MENU_BOX)
        if all(same_text(word, text) for word in MENU_WORDS):
            took = session.elapsed()
            reach_menu(session, label)  # and the fade has ended
            return took
        check(session.game.poll() is None, f"the game ended early: {session.stderr()}")
    raise E2EFailure(f"the menu never showed within {SLOW} s")


def check_window(session):
    geometry = session.window_geometry()
    check(geometry is not None and tuple(geometry[2:]) == WINDOW,
          f"the window is {geometry}, not the window of a missing ekran.txt")


def rows_empty(session, path, first_row, kept_name=False):
    """No result in the list's rows from first_row on: every score 0, no level, no name.
    With kept_name the name of that first row may show: the reader keeps the name of a
    triple whose level does not read (as in a file cut short), and random bytes make a
    name of their first word, in a slot that stays free (score 0)."""
    names_from = first_row + (1 if kept_name else 0)
    x, y, w, h = NAMES_COLUMN
    names = session.read_text(path, (x, y + 20 * (names_from - 1), w,
                                     h - 20 * (names_from - 1))).strip()
    x, y, w, h = FIGURES_COLUMN
    shift = 20 * (first_row - 1)
    figures = session.read_text(path, (x, y + shift, w, h - shift), allowed="0123456789")
    digits = "".join(ch for ch in figures if ch.isdigit())
    check(not names, f"the list shows names from row {names_from} on: {names!r}")
    check(len(digits) >= 15 - first_row and set(digits) == {"0"},
          f"the list shows figures from row {first_row} on: {figures!r}")


def empty_relaxed_list(session, kind):
    choose(session, "results")
    rows_empty(session, see(session, ["relaksu"], "relaxed-list", LIST_BOX), 1,
               kind == "random")
    session.click(*LIST_RETURN)
    reach_menu(session, "menu-after-relaxed-list")


def default_options(session, stored):
    """The options of missing files: both volumes 0, the relaxed game, the window. Full
    screen is switched on; leaving stores the options, or says it could not."""
    choose(session, "options")
    path = see(session, ["Głośność", "Gra dla relaksu", "wyłączony"], "options", OPTIONS_BOX)
    for box, what in ((MUSIC_NUMBER, "music"), (EFFECTS_NUMBER, "effects")):
        volume = session.read_number(path, box)
        check(volume == 0, f"the {what} volume reads {volume}")
    session.click(*FULL_SCREEN_SWITCH)
    session.move(400, 420)
    see(session, ["Pełny ekran", "włączony"], "full-screen-on", FULL_SCREEN_ROW)
    session.click(*PAGE_RETURN)
    if not stored:
        wait_in_strip(session, ["Nie", "udało", "ustawień"], "options-not-stored", BOTTOM_STRIP)
    reach_menu(session, "menu-after-options")


def no_stored_games(session):
    choose(session, "resume")
    wait_in_strip(session, ["Nie ma", "zapisanych"], "no-stored-games", MIDDLE_STRIP)
    reach_menu(session, "menu-after-nothing")


def store_new_game(session, password, label):
    """A new game stored under password, up to the moment the password is entered."""
    start_new_game(session, f"{label}-board")
    ask_for_password(session, label)
    type_password(session, password, label)


def time_out_with_name(session, stored, kind):
    """The timed game one second from its end is resumed, runs out and asks for a name;
    the list shows the result alone, stored or not (the game then says so)."""
    resume(session, LAST_SECOND, "last-second")
    wait_in_strip(session, ["Wpisz", "swoje"], "time-up", NAME_PROMPT)
    enter_name(session, NAME)
    if not stored:
        wait_in_strip(session, ["Nie", "udało", "wyniku"], "result-not-stored", BOTTOM_STRIP)
    rows_empty(session, see(session, [NAME, "4321", "czas"], "list-with-result", LIST_BOX), 2,
               kind == "random")
    session.click(*LIST_RETURN)
    reach_menu(session, "menu-after-result")


def list_rows(session, name):
    plain = bytes((b + 7) % 256 for b in read_file(session, name, "rb"))
    # Split as the game's reader does: at ASCII blanks only.
    words = [word.decode("utf-8", errors="replace") for word in plain.split()]
    return [words[i:i + 3] for i in range(0, len(words), 3)]


def check_stored_game(session, name):
    lines = read_file(session, name).split("\n")
    check(len(lines) == 12 and lines[8] == "", f"{name} is not a stored game: {lines}")


def prepare(session, kind):
    """Every player file damaged by kind (with links and directories, the decoded copy's
    name too), beside a good stored game and the timed game one second from its end."""
    damage = Damage(session, kind)
    damage.apply(PLAYER_FILES + ((SCRATCH,) if kind in ("directory", "link") else ()))
    for name, content in ((SPARE, SPARE_GAME), (LAST_SECOND, LAST_SECOND_GAME)):
        with open(session.file(name), "w") as out:
            out.write(content)
    return damage


def looks(session, damage):
    """What a player meets first: the window, an empty list, the options of missing
    files (and what leaving them stores), no stored game."""
    check_window(session)
    empty_relaxed_list(session, damage.kind_of("lir.txt"))
    # Options behind a link were not read, so they are never replaced from defaults.
    stored = damage.kind == "files"
    default_options(session, stored)
    if damage.kind in ("link", "directory"):
        # A count that could not be read says nothing of the games stored: the password
        # is asked for all the same, and what lies under the stored game's name is refused.
        refused(session, STORED, f"refused-{damage.kind}-at-first")
    else:
        no_stored_games(session)
    if stored:
        check(damage.replaced("opc.txt") == b"0\n0\n0\n", "opc.txt does not hold the options")
    if damage.kind == "link":
        damage.untouched("opc.txt")
    if damage.kind != "directory":
        check(damage.replaced("ekran.txt") == b"1\n", "ekran.txt does not hold full screen")


def writes_over_files(session, damage):
    """Damaged regular files: the count becomes a real file once a game is stored, the
    damaged stored game resumes as a new game would start, and the timed list takes a
    result as an empty list would."""
    store_new_game(session, NEW, "store-new")
    reach_menu(session, "menu-after-store")
    check(damage.replaced("zg.txt") == b"1", "zg.txt does not count the stored game")
    check_stored_game(session, NEW)
    board = ElementColours(session.assets).read_board(resume(session, STORED, "resumed"))
    check(board != filler_board(), f"the stored game was read past its damage:\n"
          f"{board_text(board)}")
    session.click(*MENU_BUTTON)
    reach_menu(session, "menu-after-resumed")
    damage.untouched(STORED)

    time_out_with_name(session, True, damage.kind_of("lic.txt"))
    rows = list_rows(session, "lic.txt")
    check(len(rows) == 21 and rows[0] == [NAME, "1", "4321"]
          and all(row[2] == "0" for row in rows[1:]), f"lic.txt decodes to {rows}")
    check(not os.path.exists(session.file(LAST_SECOND)), "the finished game was kept")
    check(read_file(session, "zg.txt") == "0", "the count was not lowered")
    check(not os.path.exists(session.file(SCRATCH)), "the decoded copy was left behind")
    damage.untouched("lir.txt")


def writes_over_links(session, damage):
    """Links: the count behind a link was never read, so it cannot count a new game and no
    game is stored (the game says so, and the stored game's link stays); a result is not
    stored through the list's link (the game says so and keeps the stored game it came
    from). Every link stays as it was put."""
    start_new_game(session, "board")
    ask_for_password(session, "store")
    type_password(session, STORED, "store-over-link")
    wait_in_strip(session, STORE_FAILED, "not-stored-over-link", BOTTOM_STRIP)
    wait_in_strip(session, ["Wpisz", "inne", "hasło"], "after-link", BOTTOM_STRIP)
    session.key("Escape")
    time.sleep(1.0)  # the strip closes
    session.click(*MENU_BUTTON)
    reach_menu(session, "menu-after-failed-store")

    time_out_with_name(session, False, damage.kind)
    check(read_file(session, LAST_SECOND) == LAST_SECOND_GAME, "the unrecorded game was lost")
    for name in (STORED, "zg.txt", "opc.txt", "lir.txt", "lic.txt", SCRATCH):
        damage.untouched(name)


def writes_over_directories(session, damage):
    """Directories: a game is stored neither under the stored game's name nor under a
    new one that the count cannot take, and the game says so each time. Then, with a
    readable count, a directory does not resume as a stored game, and a result is not
    stored in the list's place (the game says so and keeps the stored game it came
    from)."""
    start_new_game(session, "board")
    ask_for_password(session, "store")
    for password in (STORED, NEW):
        type_password(session, password, f"store-{password}")
        wait_in_strip(session, STORE_FAILED, f"not-stored-{password}", BOTTOM_STRIP)
        wait_in_strip(session, ["Wpisz", "inne", "hasło"], f"after-{password}", BOTTOM_STRIP)
    session.key("Escape")
    time.sleep(1.0)  # the strip closes
    session.click(*MENU_BUTTON)
    reach_menu(session, "menu-after-failed-store")
    leave_through_exit(session)
    check(not os.path.lexists(session.file(NEW)), "a game the count misses was left stored")

    damage.check_outside_intact()
    zg = session.file("zg.txt")
    os.remove(os.path.join(zg, "keep"))
    os.rmdir(zg)
    del damage.directories[zg]
    with open(zg, "w") as out:
        out.write("2")
    menu_after_start(session, "menu-counted")
    refused(session, STORED, "refused-directory")
    time_out_with_name(session, False, damage.kind)
    check(read_file(session, LAST_SECOND) == LAST_SECOND_GAME, "the unrecorded game was lost")
    check(read_file(session, "zg.txt") == "2", "the count changed")


def clean_start(session):
    """The start-up to the menu without any player file, for comparison."""
    took = menu_after_start(session, "clean-menu")
    leave_through_exit(session)
    return took


def damaged_files(kind):
    def run(session):
        clean = clean_start(session) if kind == "files" else None
        damage = prepare(session, kind)
        took = menu_after_start(session, "menu")
        if clean is not None:
            enormous = list(FILE_DAMAGE.values()).count("enormous")
            print(f"start-up to the menu: {clean:.1f} s without player files, {took:.1f} s "
                  f"with {enormous} files of {ENORMOUS >> 20} MB")
            # Generous: twice the clean start and two seconds for a loaded machine. What lies
            # beyond the caps would show on the screens below, however fast it was read.
            check(took < 2 * clean + 2,
                  f"the enormous files slowed the start from {clean:.1f} s to {took:.1f} s")
        looks(session, damage)
        {"link": writes_over_links,
         "directory": writes_over_directories}.get(kind, writes_over_files)(session, damage)
        leave_through_exit(session)
        damage.check_outside_intact()
        check(read_file(session, SPARE) == SPARE_GAME, "the spare stored game was changed")
        leftovers = [name for name in os.listdir(session.folder) if name.endswith(".~new")]
        check(not leftovers, f"temporary files were left behind: {leftovers}")
    what = "damaged" if kind == "files" else kind
    run.__doc__ = f"Every player file {what}: the game goes on as it would without them."
    return run


GOOD_OPTIONS = "0.5\n0.3\n1\n"
GOOD_ROWS = [[name, "3", str(9000 - 1000 * n)]
             for n, name in enumerate(("Merkury", "Wenus", "Ziemia", "Mars", "Jowisz"))]
GOOD_LIST = encoded_list(GOOD_ROWS)
# A relaxed game with Neptune's eight stars gathered: resumed, it ends at once and asks
# for a name for the relaxed list.
NEPTUNE = "neptun"
NEPTUNE_GAME = stored_game_text(filler_board(), column_stars=(1,) * 8, level=8, stars=8,
                                score=50000, mode=0)


def last_planet_with_name(session):
    """Neptune's stars are all there: the game ends, a name goes into the relaxed list."""
    resume(session, NEPTUNE, "neptune")
    session.wait_for_text(["Gratulacje", "ostatnia planeta"], "last-planet", SLOW, MESSAGE_BOX)
    session.wait_for_text(["NEPTUN"], "last-planet", SLOW, PLANET_TEXT_BOX)
    session.click(*CONTINUE_BUTTON)
    session.move(400, 420)
    enter_name(session, LAST_NAME)
    see(session, [LAST_NAME, "relaksu"], "relaxed-list", LIST_BOX)
    session.click(*LIST_RETURN)
    reach_menu(session, "menu-after-relaxed-list")


def scenario_beside_good(session):
    """Good player files beside damaged ones are read as they are, and stay byte for byte
    unless the game legitimately rewrites them: the options left unchanged, the timed
    list extended by a result, the count lowered as finished games go. A stored game
    behind a link does not resume; a random relaxed list takes a result."""
    good = {"opc.txt": GOOD_OPTIONS.encode(), "ekran.txt": b"0\n", "lic.txt": GOOD_LIST,
            "zg.txt": b"3", SPARE: SPARE_GAME.encode(), LAST_SECOND: LAST_SECOND_GAME.encode(),
            NEPTUNE: NEPTUNE_GAME.encode()}
    for name, content in good.items():
        with open(session.file(name), "wb") as out:
            out.write(content)
    noise = Damage(session, "random")
    noise.apply(["lir.txt"])
    links = Damage(session, "link")
    links.apply([STORED, SCRATCH])

    menu_after_start(session, "menu")
    check_window(session)
    choose(session, "options")
    path = see(session, ["Gra na czas", "wyłączony"], "options", OPTIONS_BOX)
    volumes = [session.read_number(path, box) for box in (MUSIC_NUMBER, EFFECTS_NUMBER)]
    check(volumes == [50, 30], f"the volumes read {volumes}")
    session.click(*PAGE_RETURN)
    reach_menu(session, "menu-after-options")
    refused(session, STORED, "refused-link")
    resume(session, LAST_SECOND, "last-second")
    enter_name(session, NAME)
    see(session, ["Merkury", "9000", "Jowisz", "5000", NAME, "4321"], "timed-list", LIST_BOX)
    session.click(*LIST_RETURN)
    reach_menu(session, "menu-after-result")
    noise.untouched("lir.txt")  # a timed game's result goes to the timed list only
    last_planet_with_name(session)
    leave_through_exit(session)

    rows = list_rows(session, "lic.txt")
    check(rows[:6] == GOOD_ROWS + [[NAME, "1", "4321"]], f"lic.txt decodes to {rows}")
    rows = list_rows(session, "lir.txt")
    check(len(rows) == 21 and rows[0][:2] == [LAST_NAME, "8"] and int(rows[0][2]) >= 50000
          and all(row[2] == "0" for row in rows[1:]), f"lir.txt decodes to {rows}")
    for name in (LAST_SECOND, NEPTUNE):
        check(not os.path.exists(session.file(name)), f"the finished game {name} was kept")
    check(read_file(session, "zg.txt") == "1", "the count was not lowered twice")
    for name in ("opc.txt", "ekran.txt", SPARE):
        check(read_file(session, name, "rb") == good[name], f"{name} was changed")
    links.untouched(STORED)
    check(not os.path.lexists(session.file(SCRATCH)), "the decoded copy was left behind")
    links.check_outside_intact()


SCENARIOS = {
    "damaged_files": (damaged_files("files"), {}),
    "damaged_directory": (damaged_files("directory"), {}),
    "damaged_link": (damaged_files("link"), {}),
    "damaged_beside_good": (scenario_beside_good, {}),
}
