"""The user's hands and eyes on the X display: xdotool for the pointer and keys,
ImageMagick's import for screenshots.

Every wait has a time limit, so a program that never shows a window or never
reacts fails the session instead of hanging it. Pointer moves are spaced out:
X merges motion events sent back to back, and a drag then never passes over
the target.
"""

import subprocess
import time

from picture import Picture

MOVE_PAUSE = 0.015
POLL_PAUSE = 0.1


class Geometry:
    def __init__(self, x, y, width, height):
        self.x, self.y, self.width, self.height = x, y, width, height

    @property
    def centre(self):
        return self.x + self.width / 2, self.y + self.height / 2

    def __repr__(self):
        return f"{self.width}x{self.height}+{self.x}+{self.y}"


class Desktop:
    def __init__(self, deadline):
        self.deadline = deadline

    # --- waiting -----------------------------------------------------------

    def remaining(self, limit):
        return max(0.0, min(limit, self.deadline - time.monotonic()))

    def wait_until(self, condition, limit):
        """Polls condition until it gives something true or limit seconds pass; returns its last value."""
        end = time.monotonic() + self.remaining(limit)
        while True:
            value = condition()
            if value or time.monotonic() >= end:
                return value
            time.sleep(POLL_PAUSE)

    # --- windows -----------------------------------------------------------

    def windows(self, title):
        """Visible windows whose title is exactly title."""
        result = self._xdotool("search", "--onlyvisible", "--name", f"^{title}$", check=False)
        return [int(line) for line in result.split()]

    def wait_for_new_window(self, title, known=(), limit=15.0):
        found = self.wait_until(lambda: [w for w in self.windows(title) if w not in known], limit)
        return found[0] if found else None

    def wait_until_gone(self, window, limit=10.0):
        return self.wait_until(lambda: window not in self.windows_any(), limit)

    def windows_any(self):
        result = self._xdotool("search", "--onlyvisible", "--name", ".*", check=False)
        return [int(line) for line in result.split()]

    def geometry(self, window):
        values = {}
        for line in self._xdotool("getwindowgeometry", "--shell", str(window)).splitlines():
            key, _, value = line.partition("=")
            values[key] = int(value)
        return Geometry(values["X"], values["Y"], values["WIDTH"], values["HEIGHT"])

    def screen_size(self):
        width, height = self._xdotool("getdisplaygeometry").split()
        return int(width), int(height)

    def focused_window(self):
        output = self._xdotool("getwindowfocus", check=False).strip()
        return int(output) if output.isdigit() else None

    def window_name(self, window):
        return self._xdotool("getwindowname", str(window), check=False).strip()

    def describe_focus(self):
        window = self.focused_window()
        return f"the X focus is on {window} \"{self.window_name(window)}\"" if window else "no X focus"

    def give_keyboard_to(self, window, limit=5.0):
        """Makes window the one that gets the keys, as a user clicking its title bar would.

        Wine activates its windows on a click; setting the X focus from outside
        leaves wine's own idea of the active window unchanged and the keys are lost.
        """
        if self.focused_window() == window:
            return True
        frame = self.geometry(window)
        self.click(frame.x + frame.width // 3, frame.y + 8)
        if self.wait_until(lambda: self.focused_window() == window, limit / 2):
            return True
        # Seen in about one session in five: wine has already made a new box
        # (the About box, the warning box) the active window, but the X focus
        # stayed on its owner or on no window, and a click on a window that is
        # already active changes nothing. The X focus alone is then missing.
        print(f"     (note: {self.describe_focus()} after a click on the title bar of {window} "
              f"\"{self.window_name(window)}\"; setting the X focus)", flush=True)
        self._xdotool("windowfocus", str(window), check=False)
        return bool(self.wait_until(lambda: self.focused_window() == window, limit / 2))

    def drag_title_bar(self, window, x, y):
        """Moves window by its title bar so that its top-left corner comes to (x, y); its new geometry."""
        frame = self.geometry(window)
        grip = (frame.x + frame.width // 3, frame.y + 8)
        self.move(*grip)
        self.press()
        self.glide(grip, (x + frame.width // 3, y + 8), step=20)
        self.release()
        self.wait_until(lambda: self.geometry(window).x == x, 2.0)
        return self.geometry(window)

    def move_window(self, window, x, y):
        """Moves window as a window manager would, for a display without one."""
        self._xdotool("windowmove", "--sync", str(window), str(x), str(y), check=False)

    # --- input ---------------------------------------------------------------

    def key(self, *names):
        for name in names:
            self._xdotool("key", name)
            time.sleep(0.05)

    def type(self, text):
        """Types text into the window with the focus, one key press per character."""
        self._xdotool("type", "--delay", "20", text)

    def move(self, x, y):
        self._xdotool("mousemove", str(round(x)), str(round(y)))
        time.sleep(MOVE_PAUSE)

    def press(self):
        self._xdotool("mousedown", "1")
        time.sleep(MOVE_PAUSE)

    def release(self):
        self._xdotool("mouseup", "1")
        time.sleep(MOVE_PAUSE)

    def click(self, x, y):
        self.move(x, y)
        self._xdotool("click", "1")
        time.sleep(0.05)

    def double_click(self, x, y):
        self.move(x, y)
        self._xdotool("click", "--repeat", "2", "--delay", "80", "1")
        time.sleep(0.05)

    def glide(self, start, end, step=3.0):
        """Moves the pointer from start to end in steps of about step pixels, one event each."""
        (x0, y0), (x1, y1) = start, end
        steps = max(1, round(max(abs(x1 - x0), abs(y1 - y0)) / step))
        for index in range(1, steps + 1):
            self.move(x0 + (x1 - x0) * index / steps, y0 + (y1 - y0) * index / steps)

    # --- eyes ----------------------------------------------------------------

    def capture(self, window):
        """The window as it is on the screen now, frame and caption included."""
        data = subprocess.run(["import", "-window", str(window), "-depth", "8", "ppm:-"], capture_output=True, check=True,
                              timeout=self.remaining(15.0) or 1.0).stdout
        return Picture.from_ppm(data)

    def _xdotool(self, *arguments, check=True):
        result = subprocess.run(["xdotool", *arguments], capture_output=True, text=True,
                                timeout=self.remaining(10.0) or 1.0)
        if check and result.returncode != 0:
            raise RuntimeError(f"xdotool {' '.join(arguments)}: {result.stderr.strip()}")
        return result.stdout
