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


class Session:
    def __init__(self, binary, assets, artifacts, name, env=None, files=None, remove=()):
        self.binary = binary
        self.artifacts = artifacts
        self.name = name
        os.makedirs(artifacts, exist_ok=True)
        self.folder = tempfile.mkdtemp(prefix="orbelium-e2e-")
        shutil.copytree(assets, self.folder, dirs_exist_ok=True)
        for relative in remove:
            os.remove(os.path.join(self.folder, relative))
        for relative, content in (files or {}).items():
            with open(os.path.join(self.folder, relative), "w", encoding="utf-8") as out:
                out.write(content)
        self.xvfb, self.display = self._start_xvfb()
        self.env = dict(os.environ)
        self.env.update({"DISPLAY": self.display, "ALSOFT_DRIVERS": "null",
                         "PULSE_SERVER": "unix:/nonexistent"})
        self.env.update(env or {})
        self.game = None
        self.started = None

    def _start_xvfb(self):
        read_fd, write_fd = os.pipe()
        xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1024x768x24",
             "-nolisten", "tcp"], pass_fds=[write_fd], stderr=subprocess.DEVNULL)
        os.close(write_fd)
        number = b""
        with os.fdopen(read_fd, "rb") as pipe:
            number = pipe.readline().strip()
        check(number, "Xvfb did not start")
        return xvfb, ":" + number.decode()

    def start(self):
        self.stderr_path = os.path.join(self.folder, "stderr.txt")
        self.stderr_file = open(self.stderr_path, "w")
        self.started = time.monotonic()
        self.game = subprocess.Popen([self.binary], cwd=self.folder, env=self.env,
                                     stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                     stderr=self.stderr_file)

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

    def key(self, name):
        self.xdotool("key", "--delay", "100", name)

    def type(self, text):
        self.xdotool("type", "--delay", "120", text)

    def screenshot(self, label):
        path = os.path.join(self.artifacts, f"{self.name}-{label}.png")
        subprocess.run(["import", "-display", self.display, "-window", "root", "-crop",
                        f"{WIDTH}x{HEIGHT}+0+0", "+repage", path], check=True)
        return path

    def read_text(self, path, box=None):
        """The Polish text tesseract reads in the picture, or in box (x, y, w, h) of it."""
        source = path
        if box:
            x, y, w, h = box
            source = path + ".crop.png"
            # Light text on dark plates reads best inverted, in grey, enlarged.
            subprocess.run(["convert", path, "-crop", f"{w}x{h}+{x}+{y}", "+repage",
                            "-colorspace", "Gray", "-negate", "-resize", "300%", source],
                           check=True)
        result = subprocess.run(["tesseract", source, "-", "-l", "pol", "--psm", "6"],
                                capture_output=True, text=True)
        return result.stdout

    def wait_for_text(self, words, label, timeout, box=None):
        """Looks at the window until every word is read, or fails after timeout."""
        deadline = time.monotonic() + timeout
        last = ""
        while time.monotonic() < deadline:
            path = self.screenshot(label)
            last = self.read_text(path, box)
            if all(word in last for word in words):
                return path
            check(self.game.poll() is None, f"the game ended early: {self.stderr()}")
            time.sleep(0.3)
        raise E2EFailure(f"never saw {words} on screen; last read: {last!r}")

    def window_id(self):
        result = subprocess.run(["xdotool", "search", "--name", "ORBELIUM"], env=self.env,
                                capture_output=True, text=True)
        ids = result.stdout.split()
        return int(ids[0]) if ids else None

    def close_window(self):
        """Asks the game to close as a window manager's close button does."""
        from Xlib import X, display as xdisplay, protocol

        connection = xdisplay.Display(self.display)
        window = connection.create_resource_object("window", self.window_id())
        protocols = connection.intern_atom("WM_PROTOCOLS")
        delete = connection.intern_atom("WM_DELETE_WINDOW")
        event = protocol.event.ClientMessage(window=window, client_type=protocols,
                                             data=(32, [delete, X.CurrentTime, 0, 0, 0]))
        window.send_event(event, event_mask=X.NoEventMask)
        connection.flush()
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
        shutil.rmtree(self.folder, ignore_errors=True)


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
