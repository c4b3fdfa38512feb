"""Plays the real ORBELIUM binary in a virtual X display, as a player would.

A Session starts Xvfb (and, when asked, a window manager), copies the generated assets
into a fresh folder (the player's folder), starts the game there and offers what a
player does: look (screenshots, read with tesseract), move the mouse, press buttons and
keys, close the window.

The game's picture is 800 x 600. Without a window manager the window lies at the top left
corner at that size, and screenshots and pointer positions are the picture's own. A
session that follows the window (follow_window) maps both through the window's place and
size: screenshots show the picture brought back to 800 x 600, pointer positions are given
in the picture and land where the scaled picture shows them.
"""

import os
import shutil
import struct
import subprocess
import tempfile
import time

WIDTH, HEIGHT = 800, 600


class E2EFailure(AssertionError):
    pass


def check(condition, message):
    if not condition:
        raise E2EFailure(message)


def same_text(word, text):
    """Whether word is read in text. Tesseract often mistakes the case of letters such as
    Z, O, S or W and drops spaces between words, so neither counts."""
    def plain(s):
        return "".join(s.split()).casefold()
    return plain(word) in plain(text)


def letterbox(width, height):
    """Where the game shows its 800 x 600 picture in a window of that size, as it computes
    it: (x, y, w, h), the largest 4:3 rectangle that fits, centred."""
    width, height = max(width, 1), max(height, 1)
    if width * HEIGHT <= height * WIDTH:
        w, h = width, max(1, (width * HEIGHT + WIDTH // 2) // WIDTH)
    else:
        w, h = max(1, (height * WIDTH + HEIGHT // 2) // HEIGHT), height
    return (width - w) // 2, (height - h) // 2, w, h


GAME_TITLE = "ORBELIUM"  # the name of the game's window
WINDOW_WAIT = 20  # seconds a look for the game's window goes on while the game runs


def _property_text(prop):
    value = prop.value if prop is not None else b""
    return value.decode("utf-8", "replace") if isinstance(value, bytes) else str(value)


def named_windows(display, title=GAME_TITLE):
    """Every window of the display whose name (_NET_WM_NAME or WM_NAME) holds title, as
    (id, pid, viewable): pid from _NET_WM_PID, None where the window does not say; viewable
    when mapped and every window above it too. A window that closes while the tree is
    walked (BadWindow) is passed over with whatever lay under it."""
    from Xlib import X, Xatom, display as xdisplay, error

    connection = xdisplay.Display(display)
    try:
        name_atom = connection.intern_atom("_NET_WM_NAME")
        pid_atom = connection.intern_atom("_NET_WM_PID")
        found = []
        pending = [connection.screen().root]
        while pending:
            window = pending.pop()
            try:
                pending.extend(window.query_tree().children)
                if not any(title in _property_text(window.get_full_property(atom,
                                                                            X.AnyPropertyType))
                           for atom in (name_atom, Xatom.WM_NAME)):
                    continue
                pid = window.get_full_property(pid_atom, Xatom.CARDINAL)
                viewable = window.get_attributes().map_state == X.IsViewable
            except error.XError:
                continue
            found.append((window.id, int(pid.value[0]) if pid else None, viewable))
        return found
    finally:
        connection.close()


def send_close(display, window_id):
    """Sends the window manager's close message to window_id; returns the X error when the
    window was gone before it arrived (BadWindow), otherwise None."""
    from Xlib import X, display as xdisplay, protocol

    failed = []
    connection = xdisplay.Display(display)
    connection.set_error_handler(lambda failure, request: failed.append(failure))
    try:
        window = connection.create_resource_object("window", window_id)
        protocols = connection.intern_atom("WM_PROTOCOLS")
        delete = connection.intern_atom("WM_DELETE_WINDOW")
        event = protocol.event.ClientMessage(window=window, client_type=protocols,
                                             data=(32, [delete, X.CurrentTime, 0, 0, 0]))
        window.send_event(event, event_mask=X.NoEventMask)
        # A round trip, not a mere flush: the server throws away whatever it has not yet
        # read from a connection that closes, and the message would then never arrive; it
        # also brings back a BadWindow.
        connection.sync()
    finally:
        connection.close()
    return failed[0] if failed else None


class Session:
    def __init__(self, binary, assets, artifacts, name, env=None, files=None, remove=(),
                 binary_files=None, screen=(1024, 768), window_manager=False, installed=False,
                 reading="pol"):
        self.binary = binary
        self.assets = assets
        self.artifacts = artifacts
        self.name = name
        os.makedirs(artifacts, exist_ok=True)
        # Screenshots of an earlier run of this scenario would be mistaken for this one's.
        for old in os.listdir(artifacts):
            if old.startswith(name + "-") and old.endswith(".png"):
                os.remove(os.path.join(artifacts, old))
        # The player's folder lies one level down, so that a path such as "../x" typed
        # into the game still points inside this session's own temporary folder.
        self.root = tempfile.mkdtemp(prefix="orbelium-e2e-")
        self.folder = os.path.join(self.root, "player")
        self.scratch = os.path.join(self.root, "scratch")
        os.makedirs(self.scratch)
        # An installed game is started by name from some other folder, as a menu entry
        # does; it finds its own assets and makes its player's folder in XDG_DATA_HOME.
        self.installed = installed
        self.elsewhere = os.path.join(self.root, "elsewhere")  # where an installed game starts
        if installed:
            self.folder = os.path.join(self.root, "data", "orbelium")
            os.makedirs(self.elsewhere)
        else:
            shutil.copytree(assets, self.folder, dirs_exist_ok=True)
        for relative in remove:
            os.remove(os.path.join(self.folder, relative))
        for relative, content in (files or {}).items():
            with open(os.path.join(self.folder, relative), "w", encoding="utf-8") as out:
                out.write(content)
        for relative, content in (binary_files or {}).items():
            with open(os.path.join(self.folder, relative), "wb") as out:
                out.write(content)
        self.screen_size = screen
        self.xvfb, self.display = self._start_xvfb()
        self.view = None  # the picture's place on the screen, once the window is followed
        self.env = dict(os.environ)
        self.env.update({"DISPLAY": self.display, "ALSOFT_DRIVERS": "null",
                         "PULSE_SERVER": "unix:/nonexistent"})
        if installed:
            self.env.pop("ORBELIUM_HOME", None)
            self.env.update({"XDG_DATA_HOME": os.path.join(self.root, "data"),
                             "HOME": os.path.join(self.root, "home"),
                             "PATH": os.path.dirname(binary) + os.pathsep
                             + self.env.get("PATH", "")})
        # The game speaks the desktop's language: Polish unless a scenario asks otherwise,
        # whatever the desktop of whoever runs the scenarios speaks.
        self.env["LANGUAGE"] = "pl"
        self.set_env(env or {})
        self.reading = reading  # tesseract's language data the screens are read with
        self.game = None
        self.started = None
        self.intro_ahead = False
        self.window_manager = self._start_window_manager() if window_manager else None

    def set_env(self, changes):
        """Changes the environment of the next start; a variable given as None is unset,
        as on a desktop that does not have it."""
        self.env.update(changes)
        self.env = {name: value for name, value in self.env.items() if value is not None}

    def _start_xvfb(self):
        # Without -noreset the server starts afresh whenever its last client leaves: a
        # screenshot or xdotool ending while the game is still connecting would take the
        # display away under the game's feet, and the game would find no window or mouse.
        read_fd, write_fd = os.pipe()
        xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0",
             f"{self.screen_size[0]}x{self.screen_size[1]}x24", "-nolisten", "tcp", "-noreset"],
            pass_fds=[write_fd], stderr=subprocess.DEVNULL)
        os.close(write_fd)
        number = b""
        with os.fdopen(read_fd, "rb") as pipe:
            number = pipe.readline().strip()
        check(number, "Xvfb did not start")
        return xvfb, ":" + number.decode()

    def _start_window_manager(self):
        """Openbox, as Debian players have it; full screen and resizing go through it."""
        from Xlib import display as xdisplay

        manager = subprocess.Popen(["openbox", "--sm-disable"], env=self.env,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        connection = xdisplay.Display(self.display)
        try:
            check_atom = connection.intern_atom("_NET_SUPPORTING_WM_CHECK")
            root = connection.screen().root
            deadline = time.monotonic() + 10
            while time.monotonic() < deadline:
                if root.get_full_property(check_atom, 0) is not None:
                    return manager
                time.sleep(0.1)
        finally:
            connection.close()
        manager.kill()
        raise E2EFailure("openbox did not start")

    def window_geometry(self):
        """(x, y, width, height) of the game window's inside on the screen. Asked of the X
        server itself: inside a window manager's frame the window's own position is
        relative to the frame. A window that closes between the look-up and the question
        is looked up again; fails as window_id does."""
        from Xlib import display as xdisplay, error

        deadline = time.monotonic() + WINDOW_WAIT
        while True:
            window_id = self._window()
            connection = xdisplay.Display(self.display)
            try:
                window = connection.create_resource_object("window", window_id)
                size = window.get_geometry()
                origin = connection.screen().root.translate_coords(window, 0, 0)
                return origin.x, origin.y, size.width, size.height
            except error.XError:
                pass
            finally:
                connection.close()
            check(time.monotonic() < deadline, "the game's window kept closing under the look-up")
            time.sleep(0.1)

    def follow_window(self, size=None, timeout=15):
        """Waits until the window has settled (at `size`, when given) and maps screenshots
        and pointer positions through its letterbox from then on; returns its geometry."""
        deadline = time.monotonic() + timeout
        last = previous = None
        while time.monotonic() < deadline:
            last = self.window_geometry()
            settled = last == previous
            if settled and (size is None or tuple(last[2:]) == tuple(size)):
                x, y, w, h = last
                bx, by, bw, bh = letterbox(w, h)
                self.view = (x + bx, y + by, bw, bh)
                self.note(f"window at {last}, picture at {self.view}")
                return last
            previous = last
            time.sleep(0.3)
        raise E2EFailure(f"the window never settled at {size}; last seen {last}")

    def on_screen(self, x, y):
        """The screen pixel that shows picture pixel (x, y)."""
        if self.view is None:
            return x, y
        vx, vy, vw, vh = self.view
        return vx + (2 * x + 1) * vw // (2 * WIDTH), vy + (2 * y + 1) * vh // (2 * HEIGHT)

    def start(self):
        """Starts the game; again after it has ended, in the same display and folder."""
        if hasattr(self, "stderr_file"):
            self.stderr_file.close()
        self.stderr_path = os.path.join(self.root, "stderr.txt")
        self.stderr_file = open(self.stderr_path, "w")
        self.started = time.monotonic()
        self.intro_ahead = True  # until a look at the menu skips it or watches it
        command = [os.path.basename(self.binary)] if self.installed else [self.binary]
        where = self.elsewhere if self.installed else self.folder
        self.game = subprocess.Popen(command, cwd=where, env=self.env,
                                     stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                     stderr=self.stderr_file)

    def note(self, what):
        """A line of the run's log: when the player saw what."""
        since = time.monotonic() - (self.started or time.monotonic())
        print(f"{since:6.1f} s  {what}", flush=True)

    def elapsed(self):
        return time.monotonic() - self.started

    def stderr(self):
        self.stderr_file.flush()
        with open(self.stderr_path, encoding="utf-8", errors="replace") as text:
            return text.read()

    def wait_exit(self, timeout):
        try:
            return self.game.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise E2EFailure(f"the game did not end within {timeout} s; {self.hung_game()}")

    def hung_game(self):
        """What a game that should have ended is doing: whether its window still shows
        (kept as the screenshot "not-ended") and where each of its threads waits."""
        shown = "its window is gone"
        if named_windows(self.display):
            self.screenshot("not-ended")
            shown = "its window still shows (not-ended.png)"
        try:
            stacks = subprocess.run(["gdb", "-p", str(self.game.pid), "-batch", "-ex",
                                     "thread apply all bt 12"], capture_output=True, text=True,
                                    timeout=60).stdout
        except (OSError, subprocess.TimeoutExpired) as failure:
            stacks = f"no stacks: {failure}"
        frames = [line for line in stacks.splitlines() if line.startswith(("#", "Thread"))]
        return shown + ", its threads:\n" + "\n".join(frame[:200] for frame in frames)

    def xdotool(self, *args):
        subprocess.run(["xdotool", *map(str, args)], env=self.env, check=True)

    def move(self, x, y):
        """Moves the pointer onto picture pixel (x, y)."""
        self.xdotool("mousemove", *self.on_screen(x, y))

    def click(self, x, y, button=1):
        # The game polls the mouse state once a frame: hold the button long enough.
        self.move(x, y)
        time.sleep(0.05)
        self.xdotool("mousedown", button)
        time.sleep(0.1)
        self.xdotool("mouseup", button)

    def press(self, button=1):
        self.xdotool("mousedown", button)

    def release(self, button=1):
        self.xdotool("mouseup", button)

    def drag(self, start, end, steps=4):
        """Presses on start, moves to end while holding, as a hand does; leaves the button
        held so that the caller can look at the board before releasing it."""
        self.move(*start)
        time.sleep(0.1)
        self.press()
        time.sleep(0.15)
        (x0, y0), (x1, y1) = start, end
        for i in range(1, steps + 1):
            self.move(x0 + (x1 - x0) * i // steps, y0 + (y1 - y0) * i // steps)
            time.sleep(0.02)

    def burst(self, label, seconds):
        """Screenshots taken as fast as they come for a while; returns their paths."""
        paths = []
        begin = time.monotonic()
        while time.monotonic() - begin < seconds:
            ms = int((time.monotonic() - begin) * 1000)
            paths.append(self.screenshot(f"{label}-{len(paths) + 1:02d}-{ms:05d}ms"))
        return paths

    def key(self, name):
        self.xdotool("key", "--delay", "100", name)

    def type(self, text):
        self.xdotool("type", "--delay", "120", text)

    def screenshot(self, label):
        """The picture as the player sees it, brought back to 800 x 600."""
        path = os.path.join(self.artifacts, f"{self.name}-{label}.png")
        x, y, w, h = self.view or (0, 0, WIDTH, HEIGHT)
        resize = [] if (w, h) == (WIDTH, HEIGHT) else ["-resize", f"{WIDTH}x{HEIGHT}!"]
        subprocess.run(["import", "-display", self.display, "-window", "root", "-crop",
                        f"{w}x{h}+{x}+{y}", "+repage", *resize, path], check=True)
        return path

    def screenshot_screen(self, label):
        """The whole screen, bars and all."""
        path = os.path.join(self.artifacts, f"{self.name}-{label}.png")
        subprocess.run(["import", "-display", self.display, "-window", "root", path], check=True)
        return path

    def read_text(self, path, box=None, psm=6, allowed=None, words=()):
        """The text tesseract reads in the picture, or in box (x, y, w, h) of it, with the
        session's language data; psm 7 reads one line, allowed limits the characters it
        may answer; words the caller looks for: when the first reading misses one, a
        second is added."""
        if not box:
            return self._tesseract(path, psm, allowed)
        x, y, w, h = box
        text = ""
        # Light text on dark plates reads best inverted, in grey, enlarged. Text drawn at
        # a window's own size and brought back to 800 x 600 has edges sharper than
        # tesseract expects, and it skips whole lines of it: a second, slightly softened
        # reading adds what the first missed.
        for soften in ([], ["-blur", "0x0.6"]) if words else ([],):
            if soften and all(same_text(word, text) for word in words):
                break
            source = os.path.join(self.scratch, "crop.png")
            subprocess.run(["convert", path, "-crop", f"{w}x{h}+{x}+{y}", "+repage",
                            "-colorspace", "Gray", "-negate", *soften, "-resize", "300%",
                            source], check=True)
            text += self._tesseract(source, psm, allowed)
        return text

    def _tesseract(self, source, psm, allowed):
        command = ["tesseract", source, "-", "-l", self.reading, "--psm", str(psm)]
        if allowed:
            command += ["-c", f"tessedit_char_whitelist={allowed}"]
        # One thread: OpenMP's spinning threads would fight the game for the processors.
        result = subprocess.run(command, capture_output=True, text=True,
                                env=dict(os.environ, OMP_THREAD_LIMIT="1"))
        return result.stdout

    def read_number(self, path, box):
        """The number shown in box, or None when no digits are read there."""
        text = self.read_text(path, box, psm=7, allowed="0123456789")
        digits = "".join(ch for ch in text if ch.isdigit())
        return int(digits) if digits else None

    def wait_for_text(self, words, label, timeout, box=None, psm=6):
        """Looks at the window until every word is read (see same_text), or fails after
        timeout."""
        deadline = time.monotonic() + timeout
        last = ""
        while time.monotonic() < deadline:
            path = self.screenshot(label)
            last = self.read_text(path, box, psm, words=words)
            if all(same_text(word, last) for word in words):
                self.note(f"saw {words} ({label})")
                return path
            check(self.game.poll() is None, f"the game ended early: {self.stderr()}")
            time.sleep(0.3)
        raise E2EFailure(f"never saw {words} on screen; last read: {last!r}")

    def wait_still(self, label, box, timeout, settle=0.3):
        """Looks at box until two looks settle apart agree: a fade or reveal has ended."""
        from picture import Picture

        deadline = time.monotonic() + timeout
        previous = None
        while time.monotonic() < deadline:
            path = self.screenshot(label)
            current = Picture(path)
            if previous is not None and current.differing(previous, box) == 0:
                self.note(f"still ({label})")
                return current
            check(self.game.poll() is None, f"the game ended early: {self.stderr()}")
            previous = current
            time.sleep(settle)
        raise E2EFailure(f"the screen never settled in {box} within {timeout} s")

    def window_id(self):
        """The game's window: named as the game, viewable, and the running game's own
        wherever a window says whose it is (_NET_WM_PID), those first. Looked for again
        for up to WINDOW_WAIT seconds while the game runs: the window comes a while after
        the start, and a window manager's frame or a switch to full screen may hide it for
        a moment. Fails, with the game's stderr, when the game ends or none shows."""
        deadline = time.monotonic() + WINDOW_WAIT
        while True:
            seen = named_windows(self.display)
            pid = self.game.pid if self.game else None
            ours = sorted((owner != pid, window) for window, owner, viewable in seen
                          if viewable and owner in (pid, None))
            if ours:
                return ours[0][1]
            check(self.game is not None, "no game was started to have a window")
            check(self.game.poll() is None, f"the game ended (exit code {self.game.returncode}) "
                  f"while its window was looked for: {self.stderr()}")
            check(time.monotonic() < deadline, f"no viewable window of the game within "
                  f"{WINDOW_WAIT} s; windows named {GAME_TITLE} (id, pid, viewable): {seen}")
            time.sleep(0.1)

    def _window(self):
        """window_id, also as a subclass may answer it: with None when it finds none."""
        window_id = self.window_id()
        check(window_id is not None, "the game's window was not found")
        return window_id

    def window_left(self, timeout=5):
        """Whether a window named as the game's is still there timeout seconds after the
        game ended: the X server takes an ended client's windows away a moment later."""
        deadline = time.monotonic() + timeout
        while named_windows(self.display):
            if time.monotonic() >= deadline:
                return True
            time.sleep(0.1)
        return False

    def _xdotool_on_window(self, command, options=(), args=()):
        """xdotool COMMAND OPTIONS ID ARGS on the game's window; when the window closed
        under it (xdotool fails on BadWindow) or it hung, again on the window found anew.
        Returns the id it succeeded on."""
        deadline = time.monotonic() + WINDOW_WAIT
        while True:
            window_id = self._window()
            try:
                result = subprocess.run(["xdotool", command, *map(str, options), str(window_id),
                                         *map(str, args)], env=self.env, capture_output=True,
                                        text=True, timeout=5)
                if result.returncode == 0:
                    return window_id
                failure = result.stderr.strip()
            except subprocess.TimeoutExpired:
                failure = "no answer within 5 s"
            check(time.monotonic() < deadline,
                  f"xdotool {command} on the game's window failed: {failure}")
            time.sleep(0.2)

    def resize_window(self, width, height):
        """Asks for the game's window at width x height, as a hand dragging its edge."""
        self._xdotool_on_window("windowsize", args=(width, height))

    def activate_window(self):
        """Gives the game's window the focus through the window manager, as a click on its
        frame does; returns once the X server has the keyboard focus in it."""
        deadline = time.monotonic() + WINDOW_WAIT
        while True:
            window_id = self._xdotool_on_window("windowactivate", options=("--sync",))
            if self._holds_focus(window_id):
                return
            check(time.monotonic() < deadline, "the game's window never took the focus back")
            time.sleep(0.2)

    def _holds_focus(self, window_id):
        """Whether the keyboard focus lies on the window or on a window inside it."""
        from Xlib import display as xdisplay, error

        connection = xdisplay.Display(self.display)
        try:
            focus = connection.get_input_focus().focus  # a window, or None/PointerRoot
            root = connection.screen().root.id
            while hasattr(focus, "id") and focus.id != root:
                if focus.id == window_id:
                    return True
                focus = focus.query_tree().parent
            return False
        except error.XError:
            return False
        finally:
            connection.close()

    def close_window(self):
        """Asks the game to close as a window manager's close button does; returns once
        the X server has passed the message on. Sent again to the window found anew when
        the one it went to closed before it arrived."""
        deadline = time.monotonic() + WINDOW_WAIT
        while True:
            failure = send_close(self.display, self._window())
            if failure is None:
                return
            check(time.monotonic() < deadline,
                  f"the close never reached the game's window: {failure}")
            time.sleep(0.1)

    def file(self, relative):
        return os.path.join(self.folder, relative)

    def close(self):
        if self.game and self.game.poll() is None:
            self.game.kill()
            self.game.wait()
        if hasattr(self, "stderr_file"):
            self.stderr_file.close()
        if self.window_manager:
            self.window_manager.terminate()
            self.window_manager.wait()
        self.xvfb.terminate()
        self.xvfb.wait()
        shutil.rmtree(self.root, ignore_errors=True)


def wav_loudness(path, windows):
    """RMS of a 32-bit float or 16-bit WAV over each (start, end) window in seconds."""
    with open(path, "rb") as source:
        data = source.read()
    check(data[:4] == b"RIFF" and data[8:12] == b"WAVE", f"{path} is not a WAV file")
    offset, fmt, samples = 12, None, None
    while offset + 8 <= len(data):
        chunk, size = data[offset:offset + 4], struct.unpack("<I", data[offset + 4:offset + 8])[0]
        body = data[offset + 8:offset + 8 + size]
        if chunk == b"fmt ":
            fmt = struct.unpack("<HHIIHH", body[:16])
        elif chunk == b"data":
            samples = body
        offset += 8 + size + (size & 1)
    check(fmt and samples is not None, f"{path} has no audio data")
    encoding, channels, rate, _, _, bits = fmt
    if encoding == 3 or (encoding == 0xFFFE and bits == 32):
        values = struct.unpack(f"<{len(samples) // 4}f", samples[: len(samples) // 4 * 4])
    else:
        count = len(samples) // 2
        values = [v / 32768.0 for v in struct.unpack(f"<{count}h", samples[: count * 2])]
    frame = channels
    result = []
    for start, end in windows:
        a = max(0, int(start * rate)) * frame
        b = min(len(values), int(end * rate) * frame)
        part = values[a:b]
        result.append((sum(v * v for v in part) / len(part)) ** 0.5 if part else 0.0)
    return result
