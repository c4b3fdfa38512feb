"""Player files when writing fails or stops half-way, with the real game.

disk_full, disk_read_only: the player's folder is a small filesystem of its own (tmpfs,
mounted by root) holding the assets, the options, both lists, and a stored game that
"zg.txt" counts. It is filled to the last byte, or remounted read-only, and the player
changes the options, stores a game under a new password and lets a timed game run out
into the name entry. Each write fails: the game says so and goes on, every file stays
byte for byte as it was and nothing is left beside them. Once there is room again, the
next start shows the list as it was.

crash_options, crash_list, crash_store: the game is killed by a preloaded library
(tests/crash/crash_points.c) at a chosen call of its writes (an open, a write cut in half,
an fsync, a close, a rename or a removal) while it stores the options, a result (the list,
the finished stored game's removal and "zg.txt") or a game under a new password. Each
file is then either as it was or as the write leaves it unstopped, "zg.txt" counts no
game that is gone, and the next start plays on among what was left. A run without a kill
comes last, among what the last kill left: it shows what the write leaves and how many
calls it makes. ORBELIUM_CRASH_KILLS sets how many kills there are, at the calls in turn;
by default two chosen ones.
"""

import errno
import os
import signal
import subprocess
import time

from e2e_records import (LAST_SECOND, LAST_SECOND_GAME, MODE_SWITCH, NAME, OPTIONS_BOX,
                         TIMED_OPTIONS, change_options, encoded_list)
from e2e_saves import ask_for_password, type_password
from flows import (BOTTOM_STRIP, LIST_BOX, LIST_RETURN, MENU_BUTTON, MIDDLE_STRIP, PAGE_RETURN,
                   SLOW, choose, enter_name, keep, leave_through_exit, reach_menu, see,
                   start_new_game, type_and_enter, wait_in_strip)
from picture import Picture, distance
from player import E2EFailure, check, same_text

PLAYER_FILES = {"opc.txt": TIMED_OPTIONS, "zg.txt": "1", LAST_SECOND: LAST_SECOND_GAME}
TIMED_LIST = encoded_list([("Orion", 3, 9000), ("Wega", 2, 7000), ("Lira", 1, 5000)])
RELAXED_LIST = encoded_list([("Kasjopeja", 5, 12000)])
LISTS = {"lic.txt": TIMED_LIST, "lir.txt": RELAXED_LIST}
NEW_PASSWORD = "gwiazda"
RETRY_PROMPT = ["Wpisz", "inne", "hasło"]
CORAL = (200, 80, 80)  # the colour of every notice of a failed write
STRIP_TEAL = (0, 38, 50)
MENU_BELOW_STRIP = (300, 300, 200, 140)  # menu items the load dialog's strip leaves alone
# Names the game writes through and removes again: the only ones a kill may leave.
LEFTOVER_SUFFIX = ".~new"
DECODED_LIST = "xh.txt"


# --- a small filesystem of its own as the player's folder

class SmallDisk:
    """A tmpfs mounted inside the session's temporary folder and made the player's folder,
    with everything the session had put there copied in. Mounting needs root, as CI has:
    anywhere else the scenario fails and says why."""

    FILLER = "filler.bin"

    def __init__(self, session, size="8m"):
        self.session = session
        check(os.geteuid() == 0,
              "this scenario mounts a small filesystem as the player's folder and needs root "
              "(CI runs as root); run it as root")
        self.mount = os.path.join(session.root, "disk")
        os.makedirs(self.mount)
        self._mount_command(["mount", "-t", "tmpfs", "-o", f"size={size},mode=0755",
                             "orbelium-e2e", self.mount])
        copied = subprocess.run(["cp", "-a", session.folder + "/.", self.mount])
        if copied.returncode != 0:
            subprocess.run(["umount", self.mount])
            raise E2EFailure("the player's folder could not be copied onto the small filesystem")
        session.folder = self.mount

    def _mount_command(self, command):
        result = subprocess.run(command, capture_output=True, text=True)
        check(result.returncode == 0,
              f"{' '.join(command)} failed ({result.returncode}): {result.stderr.strip()}")

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        # The game's working folder keeps the filesystem busy until the game has gone.
        game = self.session.game
        if game and game.poll() is None:
            game.kill()
            game.wait()
        if subprocess.run(["umount", self.mount]).returncode != 0:
            subprocess.run(["umount", "-l", self.mount])
        return False

    def fill(self):
        """Fills the filesystem to its last byte: tmpfs counts whole pages, so the filler
        grows until not even one more byte fits."""
        fd = os.open(os.path.join(self.mount, self.FILLER), os.O_WRONLY | os.O_CREAT, 0o644)
        chunk = 1 << 20
        try:
            while True:
                try:
                    os.write(fd, b"\0" * chunk)
                except OSError as error:
                    if error.errno != errno.ENOSPC:
                        raise
                    if chunk == 1:
                        break
                    chunk //= 2
        finally:
            os.close(fd)
        check(os.statvfs(self.mount).f_bavail == 0, "the filesystem still has free blocks")
        probe = os.path.join(self.mount, "probe")
        fd = os.open(probe, os.O_WRONLY | os.O_CREAT, 0o644)
        try:
            os.write(fd, b"x")
            raise E2EFailure("one more byte still fits on the filled filesystem")
        except OSError as error:
            check(error.errno == errno.ENOSPC, f"a one-byte write failed otherwise: {error}")
        finally:
            os.close(fd)
            os.remove(probe)
        df = subprocess.run(["df", "-B1", self.mount], capture_output=True, text=True).stdout
        self.session.note("filled: " + df.splitlines()[-1])

    def empty(self):
        os.remove(os.path.join(self.mount, self.FILLER))

    def read_only(self, on):
        self._mount_command(["mount", "-o", "remount," + ("ro" if on else "rw"), self.mount])

    def contents(self):
        """Every file of the player's folder but the filler, by its path there."""
        files = {}
        for where, _, names in os.walk(self.mount):
            for name in names:
                path = os.path.join(where, name)
                if path != os.path.join(self.mount, self.FILLER):
                    with open(path, "rb") as source:
                        files[os.path.relpath(path, self.mount)] = source.read()
        return files

    def check_kept(self, kept, after):
        now = self.contents()
        check(sorted(now) == sorted(kept),
              f"after {after} the folder holds {sorted(set(now) ^ set(kept))} more or less")
        changed = [name for name in kept if now[name] != kept[name]]
        check(not changed, f"after {after} these files changed: {changed}")
        self.session.note(f"every file as it was after {after}")


# --- what the player sees

def notice(session, words, label, within=SLOW):
    """A notice stands in the bottom strip for a moment only: screenshots are taken as fast
    as they come until coral text has come and gone there, then read. Returns the path of
    the one that shows every word, kept as label."""
    shown, deadline = [], time.monotonic() + within
    while time.monotonic() < deadline:
        path = session.screenshot(f"{label}-look")
        picture = Picture(path)
        x0, y0, w, h = BOTTOM_STRIP
        looks = [picture.pixel(x, y) for y in range(y0, y0 + h, 2) for x in range(x0, x0 + w, 2)]
        coral = sum(1 for colour in looks if distance(colour, CORAL) < 60)
        teal = sum(1 for colour in looks if distance(colour, STRIP_TEAL) < 30)
        if coral > 20 and teal > len(looks) // 2:
            shown.append(keep(session, path, f"{label}-{len(shown) + 1:02d}"))
        elif shown or session.game.poll() is not None:
            break
    os.remove(os.path.join(session.artifacts, f"{session.name}-{label}-look.png"))
    # The middle of the notice's stay first: the first look may have caught it unfolding.
    found = None
    for path in sorted(shown, key=lambda p: abs(shown.index(p) - len(shown) // 2)):
        text = session.read_text(path, BOTTOM_STRIP, psm=7)
        if all(same_text(word, text) for word in words):
            found = keep(session, path, label)
            break
    for path in shown:
        os.remove(path)
    check(found, f"never saw {words} in the bottom strip ({len(shown)} looks at a notice)")
    session.note(f"saw {words} ({label})")
    return found


def resume_then(session, password, meanwhile=None):
    """Dokończ grę with the password; meanwhile runs as soon as the menu starts to fade,
    the password taken, before the game reads or writes anything more."""
    choose(session, "resume")
    wait_in_strip(session, ["Podaj"], "password-prompt", MIDDLE_STRIP)
    before = Picture(session.screenshot("password-prompt"))
    type_and_enter(session, password)
    deadline = time.monotonic() + SLOW
    while Picture(session.screenshot("fading")).differing(before, MENU_BELOW_STRIP, 8) < 500:
        check(time.monotonic() < deadline, "the menu never faded after the password")
        check(session.game.poll() is None, f"the game ended early: {session.stderr()}")
    if meanwhile:
        meanwhile()


def store_refused(session):
    """A new game stored under a new password: the store fails, the game says so and asks
    for another password; Escape gives up and the game goes on."""
    start_new_game(session, "store-board")
    ask_for_password(session, "store")
    type_password(session, NEW_PASSWORD, "store")
    notice(session, ["Nie udało się zapisać gry"], "store-failed")
    wait_in_strip(session, RETRY_PROMPT, "store-retry", BOTTOM_STRIP)
    session.key("Escape")
    session.wait_still("store-given-up", BOTTOM_STRIP, SLOW)
    session.click(*MENU_BUTTON)
    reach_menu(session, "menu-after-store")


def result_refused(session, meanwhile=None):
    """The stored timed game one step from its end, resumed: it runs out, the name is
    typed, the result cannot be stored and the game says so; the list shows it anyway,
    below the results already stored (read although no decoded copy can be made)."""
    resume_then(session, LAST_SECOND, meanwhile)
    enter_name(session, NAME)
    notice(session, ["Nie udało się zapisać wyniku"], "result-failed")
    see(session, ["Orion", "Lira", NAME, "4321"], "list-with-result", LIST_BOX)
    session.click(*LIST_RETURN)
    reach_menu(session, "menu-after-list")


def options_refused(session):
    change_options(session)
    session.click(*PAGE_RETURN)
    notice(session, ["Nie udało się zapisać ustawień"], "options-failed")
    reach_menu(session, "menu-after-options")


def next_start_shows_the_list(session):
    """Started again with room to write: the options still say the timed game, whose list
    shows its old results."""
    session.start()
    reach_menu(session, "menu-next-start")
    choose(session, "results")
    see(session, ["Orion", "9000", "Lira", "czas"], "list-next-start", LIST_BOX)
    session.click(*LIST_RETURN)
    reach_menu(session, "menu-after-old-list")
    leave_through_exit(session)


def scenario_disk_full(session):
    with SmallDisk(session) as disk:
        disk.fill()
        kept = disk.contents()
        session.start()
        reach_menu(session)
        options_refused(session)
        disk.check_kept(kept, "the options")
        store_refused(session)
        disk.check_kept(kept, "the store")
        result_refused(session)
        disk.check_kept(kept, "the result")
        leave_through_exit(session)
        disk.check_kept(kept, "the game's end")
        disk.empty()
        next_start_shows_the_list(session)


def scenario_disk_read_only(session):
    """As on a full disk. A stored game is only taken from a folder where it could be
    written again, so the folder is writable while the password is taken, and read-only
    again as the menu fades, before the game goes on."""
    with SmallDisk(session) as disk:
        kept = disk.contents()
        disk.read_only(True)
        session.start()
        reach_menu(session)
        options_refused(session)
        disk.check_kept(kept, "the options")
        store_refused(session)
        disk.check_kept(kept, "the store")
        disk.read_only(False)
        result_refused(session, lambda: disk.read_only(True))
        disk.check_kept(kept, "the result")
        leave_through_exit(session)
        disk.check_kept(kept, "the game's end")
        disk.read_only(False)
        next_start_shows_the_list(session)


# --- the real game killed in the middle of its writes

def crash_library(session):
    path = os.environ.get("ORBELIUM_CRASH_POINTS") or os.path.join(
        os.path.dirname(session.binary), "tests", "liborbelium_crash_points.so")
    check(os.path.isfile(path), f"no crash-point library at {path}: build the target "
                                "orbelium_crash_points (ctest names it in ORBELIUM_CRASH_POINTS)")
    return path


def player_files(session):
    """The player's files by name: every regular file in the folder's top level that is
    not one of the assets."""
    files, assets = {}, set(os.listdir(session.assets))
    for name in os.listdir(session.folder):
        path = session.file(name)
        if name not in assets and os.path.isfile(path) and not os.path.islink(path):
            with open(path, "rb") as source:
                files[name] = source.read()
    return files


def is_leftover(name):
    return name.endswith(LEFTOVER_SUFFIX) or name == DECODED_LIST


def stored_games(files):
    return [name for name in files if "." not in name and not is_leftover(name)]


def complete_stored_game(content):
    lines = content.decode("utf-8", "replace").split("\n")
    widths = [len(line.split()) for line in lines]
    return widths == [8] * 8 + [0, 8, 5, 8] and content.endswith(b" ")


class Crash:
    """One kind of write, played up to it; `names` are the files whose calls count."""

    def __init__(self, names, files, play, points):
        self.names, self.files, self.play, self.points = names, files, play, points


def play_options(session):
    choose(session, "options")
    see(session, ["Głośność", "Gra na czas"], "options", OPTIONS_BOX)
    session.click(*MODE_SWITCH)
    session.move(400, 420)
    session.wait_for_text(["Gra dla relaksu"], "options-changed", SLOW, OPTIONS_BOX)
    yield session.click(*PAGE_RETURN)
    reach_menu(session, "menu-after-options")


def play_result(session):
    resume_then(session, LAST_SECOND)
    yield enter_name(session, NAME)
    see(session, [NAME, "4321"], "list", LIST_BOX)
    yield session.click(*LIST_RETURN)
    reach_menu(session, "menu-after-list")


STORE_PASSWORD = "kometa"


def play_store(session):
    start_new_game(session, "board")
    ask_for_password(session, "store")
    type_password(session, STORE_PASSWORD, "store", end=None)
    yield session.key("Return")
    reach_menu(session, "menu-after-store")


CRASHES = {
    # The options: a write cut in half, and the moment before the rename.
    "crash_options": Crash("opc.txt,ekran.txt", {"opc.txt": TIMED_OPTIONS}, play_options,
                           ("write opc.txt.~new", "rename opc.txt")),
    # The result: the list cut in half, and the finished game's lowered count stored but
    # the game not yet removed.
    "crash_list": Crash(f"lic.txt,zg.txt,{LAST_SECOND}", {**PLAYER_FILES, **LISTS},
                        play_result, ("write lic.txt.~new", f"unlink {LAST_SECOND}")),
    # A new stored game cut in half, and stored but not yet counted.
    "crash_store": Crash(f"{STORE_PASSWORD},zg.txt", {**PLAYER_FILES, **LISTS}, play_store,
                         (f"write {STORE_PASSWORD}.~new", "unlink zg.txt.~new")),
}


def crash_run(session, crash, point, log):
    """Starts the game with the crash point armed (a call's number or its description as
    the log has it; 0: none) and plays up to the write and on; returns True when the game
    was killed."""
    if os.path.exists(log):
        os.remove(log)
    plain = dict(session.env)  # the tools that look and click run without the library
    session.env.update({"LD_PRELOAD": crash_library(session), "ORBELIUM_CRASH_AT": str(point),
                        "ORBELIUM_CRASH_NAMES": crash.names, "ORBELIUM_CRASH_LOG": log})
    session.start()
    session.env = plain
    reach_menu(session)
    try:
        for _ in crash.play(session):
            # Each step that may set off writes gives them a moment to end the game.
            time.sleep(0.5)
            if session.game.poll() is not None:
                break
        else:
            leave_through_exit(session)
            return False
    except E2EFailure:
        if session.game.poll() is None:
            raise
    code = session.wait_exit(10)
    check(code == -signal.SIGKILL, f"the game ended with {code}, not killed: {session.stderr()}")
    return True


def restore(session, crash):
    """The files the write began from, back in place; whatever a kill left beside them
    stays, for the next start to meet."""
    for name in player_files(session):
        if not is_leftover(name):
            os.remove(session.file(name))
    for name, content in crash.files.items():
        with open(session.file(name), "wb") as out:
            out.write(content if isinstance(content, bytes) else content.encode())


def check_crashed(before, unstopped, now):
    """Every file is as it was or as the unstopped write left it; a stored game is whole;
    "zg.txt" counts no game that is gone. Returns how the kill left them."""
    versions = set()
    for name in sorted(set(before) | set(unstopped) | set(now)):
        if is_leftover(name):
            continue
        was, would, is_ = before.get(name), unstopped.get(name), now.get(name)
        if name == STORE_PASSWORD:  # its board is new every game: whole or not there
            check(is_ is None or complete_stored_game(is_), f"{name} is not whole: {is_!r}")
            versions.add("new" if is_ else "old")
            continue
        check(is_ in (was, would), f"{name} is neither as it was nor as written: {is_!r}")
        if was != would:
            versions.add("old" if is_ == was else "new")
    count = int(now.get("zg.txt", b"0") or b"0")
    games = len(stored_games(now))
    check(count <= games, f"zg.txt counts {count} stored games, {games} are there")
    return "/".join(sorted(versions))


def calls(log):
    with open(log) as lines:
        return lines.read().splitlines()


def crash_scenario(name):
    crash = CRASHES[name]

    def scenario(session):
        log = os.path.join(session.root, "calls.txt")
        restore(session, crash)
        before = player_files(session)
        kills = int(os.environ.get("ORBELIUM_CRASH_KILLS", "0"))
        points = crash.points
        if kills:  # the calls are counted first, to be gone through in turn
            check(not crash_run(session, crash, 0, log), "killed without a crash point")
            points = [n % len(calls(log)) + 1 for n in range(kills)]
        left = []
        for point in points:
            restore(session, crash)
            check(crash_run(session, crash, point, log), f"the game outlived crash point {point}")
            last = calls(log)[-1]
            check(last.endswith("KILL"), f"the last call counted was not the kill: {last}")
            left.append((last[:-5], player_files(session)))
        # Started once more among what the last kill left, the game plays the write through:
        # what it leaves is what every kill is judged against.
        restore(session, crash)
        check(not crash_run(session, crash, 0, log), "killed without a crash point")
        unstopped = player_files(session)
        made = calls(log)
        session.note(f"{len(made)} calls: " + "; ".join(line.split(" ", 1)[1] for line in made))
        check(check_crashed(before, unstopped, unstopped) == "new", "the write changed nothing")
        outcomes = []
        for call, files in left:
            try:
                outcomes.append(check_crashed(before, unstopped, files))
            except E2EFailure as failure:
                raise E2EFailure(f"killed at {call}: {failure}") from None
            session.note(f"killed at {call}: files {outcomes[-1]}")
        print(f"{name}: {len(points)} kills survived at {len(set(points))} of {len(made)} "
              f"calls; files old {outcomes.count('old')}, new {outcomes.count('new')}, "
              f"between {outcomes.count('new/old')}")

    return scenario


SCENARIOS = {
    "disk_full": (scenario_disk_full, {"files": PLAYER_FILES, "binary_files": LISTS}),
    "disk_read_only": (scenario_disk_read_only, {"files": PLAYER_FILES, "binary_files": LISTS}),
    **{name: (crash_scenario(name), {}) for name in CRASHES},
}
