"""Plays the real ORBELIUM binary in a virtual X display, as a player would.

A Session starts Xvfb, copies the generated assets into a fresh folder (the player's
folder), starts the game there and offers what a player does: look (screenshots, read
with tesseract), move the mouse, press buttons and keys, close the window.
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


class Session:
    def __init__(self, binary, assets, artifacts, name, env=None, files=None, remove=(),
                 binary_files=None):
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
        shutil.copytree(assets, self.folder, dirs_exist_ok=True)
        for relative in remove:
            os.remove(os.path.join(self.folder, relative))
        for relative, content in (files or {}).items():
            with open(os.path.join(self.folder, relative), "w", encoding="utf-8") as out:
                out.write(content)
        for relative, content in (binary_files or {}).items():
            with open(os.path.join(self.folder, relative), "wb") as out:
                out.write(content)
        self.xvfb, self.display = self._start_xvfb()
        self.env = dict(os.environ)
        self.env.update({"DISPLAY": self.display, "ALSOFT_DRIVERS": "null",
                         "PULSE_SERVER": "unix:/nonexistent"})
        self.env.update(env or {})
        self.game = None
        self.started = None

    def _start_xvfb(self):
        # Without -noreset the server starts afresh whenever its last client leaves: a
        # screenshot or xdotool ending while the game is still connecting would take the
        # display away under the game's feet, and the game would find no window or mouse.
        read_fd, write_fd = os.pipe()
        xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1024x768x24",
             "-nolisten", "tcp", "-noreset"], pass_fds=[write_fd], stderr=subprocess.DEVNULL)
        os.close(write_fd)
        number = b""
        with os.fdopen(read_fd, "rb") as pipe:
            number = pipe.readline().strip()
        check(number, "Xvfb did not start")
        return xvfb, ":" + number.decode()

    def start(self):
        """Starts the game; again after it has ended, in the same display and folder."""
        if hasattr(self, "stderr_file"):
            self.stderr_file.close()
        self.stderr_path = os.path.join(self.folder, "stderr.txt")
        self.stderr_file = open(self.stderr_path, "w")
        self.started = time.monotonic()
        self.game = subprocess.Popen([self.binary], cwd=self.folder, env=self.env,
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
            raise E2EFailure(f"the game did not end within {timeout} s")

    def xdotool(self, *args):
        subprocess.run(["xdotool", *map(str, args)], env=self.env, check=True)

    def move(self, x, y):
        self.xdotool("mousemove", x, y)

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
        path = os.path.join(self.artifacts, f"{self.name}-{label}.png")
        subprocess.run(["import", "-display", self.display, "-window", "root", "-crop",
                        f"{WIDTH}x{HEIGHT}+0+0", "+repage", path], check=True)
        return path

    def read_text(self, path, box=None, psm=6, allowed=None):
        """The Polish text tesseract reads in the picture, or in box (x, y, w, h) of it;
        psm 7 reads one line, allowed limits the characters it may answer."""
        source = path
        if box:
            x, y, w, h = box
            source = os.path.join(self.scratch, "crop.png")
            # Light text on dark plates reads best inverted, in grey, enlarged.
            subprocess.run(["convert", path, "-crop", f"{w}x{h}+{x}+{y}", "+repage",
                            "-colorspace", "Gray", "-negate", "-resize", "300%", source],
                           check=True)
        command = ["tesseract", source, "-", "-l", "pol", "--psm", str(psm)]
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
            last = self.read_text(path, box, psm)
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
        result = subprocess.run(["xdotool", "search", "--name", "ORBELIUM"], env=self.env,
                                capture_output=True, text=True)
        ids = result.stdout.split()
        return int(ids[0]) if ids else None

    def close_window(self):
        """Asks the game to close as a window manager's close button does; returns once
        the X server has passed the message on."""
        from Xlib import X, display as xdisplay, protocol

        connection = xdisplay.Display(self.display)
        window = connection.create_resource_object("window", self.window_id())
        protocols = connection.intern_atom("WM_PROTOCOLS")
        delete = connection.intern_atom("WM_DELETE_WINDOW")
        event = protocol.event.ClientMessage(window=window, client_type=protocols,
                                             data=(32, [delete, X.CurrentTime, 0, 0, 0]))
        window.send_event(event, event_mask=X.NoEventMask)
        # A round trip, not a mere flush: the server throws away whatever it has not yet
        # read from a connection that closes, and the message would then never arrive.
        connection.sync()
        connection.close()

    def file(self, relative):
        return os.path.join(self.folder, relative)

    def close(self):
        if self.game and self.game.poll() is None:
            self.game.kill()
            self.game.wait()
        if hasattr(self, "stderr_file"):
            self.stderr_file.close()
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
