"""The programs that the session starts: the desktop program (the Windows one
under wine, or the Linux one as it is) and the native drag source. Each is
ended by its own process id when the session is done with it or gives up on
it."""

import os
import subprocess
import time


class NativeProgram:
    """The Linux program, on the X display of the session."""

    def __init__(self, executable, log_path, environment):
        self.command = [executable]
        self.executable = executable
        self.environment = dict(os.environ, **environment)
        self.log_path = log_path
        self.process = None

    @staticmethod
    def file_argument(path):
        return path

    def start(self, arguments=()):
        # The log file, not our pipes: a program that outlives the session would hold them open.
        with open(self.log_path, "ab") as log:
            log.write(f"--- {time.strftime('%H:%M:%S')} {self.executable}\n".encode())
            log.flush()
            self.process = subprocess.Popen([*self.command, *arguments], stdin=subprocess.DEVNULL, stdout=log,
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
        """Nothing outlives the Linux program."""


class WineProgram(NativeProgram):
    """harlix-wave-dump.exe under the wine loader; its exit code is the loader's."""

    def __init__(self, wine, exe, prefix, log_path):
        super().__init__(exe, log_path,
                         {"WINEPREFIX": prefix, "WINEDEBUG": "-all", "WINEDLLOVERRIDES": "mscoree,mshtml="})
        self.wine = wine
        self.command = [wine, exe]

    @staticmethod
    def file_argument(path):
        """As Windows names it: wine's drive Z: is the Linux root."""
        return "Z:" + path.replace("/", "\\")

    def run_tool(self, exe, arguments, limit=10.0):
        """A console tool run in the program's prefix; its standard output, or None when it failed."""
        try:
            done = subprocess.run([self.wine, exe, *arguments], stdin=subprocess.DEVNULL, capture_output=True,
                                  env=self.environment, timeout=limit, check=False)
        except subprocess.TimeoutExpired:
            return None
        return done.stdout.decode("utf-8", "replace") if done.returncode == 0 else None

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
    """The drag-source program showing one file or several, ready to be dragged from; it also reads the
    display's clipboard."""

    TITLE = "Drag source"

    def __init__(self, executable, desktop):
        self.executable = executable
        self.desktop = desktop
        self.process = None
        self.window = None

    # A test tool: under the sanitizers its leaks at exit are not the program's.
    ENVIRONMENT = dict(os.environ, QT_QPA_PLATFORM="xcb", ASAN_OPTIONS="detect_leaks=0")

    def show(self, path, x, y, limit=15.0):
        known = self.desktop.windows(self.TITLE)
        paths = path if isinstance(path, (list, tuple)) else [path]
        environment = self.ENVIRONMENT
        self.process = subprocess.Popen([self.executable, *paths, str(x), str(y)], stdin=subprocess.DEVNULL,
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

    def clipboard(self, limit=10.0):
        """The text on the display's clipboard, or None when it cannot be read."""
        try:
            done = subprocess.run([self.executable, "--clipboard"], stdin=subprocess.DEVNULL, capture_output=True,
                                  text=True, env=self.ENVIRONMENT, timeout=limit, check=False)
        except subprocess.TimeoutExpired:
            return None
        return done.stdout if done.returncode == 0 else None

    def stop(self):
        if self.process is not None and self.process.poll() is None:
            self.process.kill()
            self.process.wait(timeout=10)
