"""The two programs that the session starts: the desktop program under wine and
the native drag source. Both are ended by their own process ids when the
session is done with them or gives up on them."""

import os
import subprocess
import time


class WineProgram:
    """harlix-wave-dump.exe under the wine loader; its exit code is the loader's."""

    def __init__(self, wine, exe, prefix, log_path):
        self.wine = wine
        self.exe = exe
        self.environment = dict(os.environ, WINEPREFIX=prefix, WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=")
        self.log_path = log_path
        self.process = None

    def start(self, arguments=()):
        # The log file, not our pipes: wineserver outlives the program and would hold them open.
        with open(self.log_path, "ab") as log:
            log.write(f"--- {time.strftime('%H:%M:%S')} {self.exe}\n".encode())
            log.flush()
            self.process = subprocess.Popen([self.wine, self.exe, *arguments], stdin=subprocess.DEVNULL, stdout=log,
                                            stderr=subprocess.STDOUT, env=self.environment)

    def wait_exit(self, limit):
        """The exit code, or None when the program is still running after limit seconds."""
        try:
            return self.process.wait(timeout=limit)
        except subprocess.TimeoutExpired:
            return None

    def exit_code(self):
        return None if self.process is None else self.process.poll()

    def running(self):
        return self.process is not None and self.process.poll() is None

    def stop(self):
        if self.running():
            self.process.kill()
            self.process.wait(timeout=10)

    def end_server(self):
        """Waits for the prefix's wineserver to go; ends it if it does not within a few seconds."""
        server = os.path.join(os.path.dirname(self.wine), "wineserver")
        if not os.access(server, os.X_OK):
            return
        try:
            subprocess.run([server, "-w"], env=self.environment, timeout=10, check=False)
        except subprocess.TimeoutExpired:
            subprocess.run([server, "-k"], env=self.environment, timeout=10, check=False)


class DragSource:
    """The drag-source program showing one file, ready to be dragged from."""

    TITLE = "Drag source"

    def __init__(self, executable, desktop):
        self.executable = executable
        self.desktop = desktop
        self.process = None
        self.window = None

    def show(self, path, x, y, limit=15.0):
        known = self.desktop.windows(self.TITLE)
        environment = dict(os.environ, QT_QPA_PLATFORM="xcb")
        self.process = subprocess.Popen([self.executable, path, str(x), str(y)], stdin=subprocess.DEVNULL,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, env=environment)
        self.window = self.desktop.wait_for_new_window(self.TITLE, known, limit)
        return self.window is not None

    def drag_to(self, x, y, limit=10.0):
        """Presses on the source, glides to (x, y) and releases there; the drag source's exit code
        (0 when the target took the file), or None when it did not end."""
        start = self.desktop.geometry(self.window).centre
        self.desktop.move(*start)
        time.sleep(0.1)
        self.desktop.press()
        time.sleep(0.1)
        self.desktop.glide(start, (x, y), step=20)
        # A few small moves over the target, so that it has been told where the drop will be.
        for offset in (2, -2, 0):
            self.desktop.move(x + offset, y)
        time.sleep(0.15)
        self.desktop.release()
        try:
            return self.process.wait(timeout=self.desktop.remaining(limit))
        except subprocess.TimeoutExpired:
            self.stop()
            return None

    def stop(self):
        if self.process is not None and self.process.poll() is None:
            self.process.kill()
            self.process.wait(timeout=10)
