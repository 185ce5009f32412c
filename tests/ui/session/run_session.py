#!/usr/bin/env python3
"""A user's session with the desktop program, seen from outside the process: the
Windows program under wine (--wine), or the Linux one as it is.

Six runs of the program on the X display that the caller provides
(tools/wine/with-display.sh gives one of its own):
  1. it starts with its main window and an empty picture; Esc ends it with exit code 2;
  2. Tab, Tab reaches the port list; Enter there ends it with exit code 1;
  3. files dragged from a separate program: a good one loads and enables Send,
     a refused one brings up the warning box, a double click on the picture
     opens the Wave Tweaker, which draws under the mouse and closes on Enter;
     Ctrl+E opens it again, where Enter after a click on Clear clears again
     and leaves it open; About... opens the About box, and Quit ends it with
     exit code 2;
  4. started with a file named on the command line, it shows that wave at once;
     Shift+F10 opens the picture's menu at the picture; Ctrl+L, with no audio
     device (wine has none; the Linux program is given an ALSA configuration
     without one), brings up the warning box; Esc ends it with exit code 2;
  5. Reload focused with Shift+Tab, its file made a stereo one, Enter: the
     warning box, and once Reload is disabled the keyboard still works: Tab,
     then Esc ends it with exit code 2;
  6. Ctrl+I opens the file chooser, where the path of a stereo 24-bit recording
     of a 110 Hz saw is typed; Enter opens the Import Cycle window, Enter there
     (OK) closes it, and the main picture shows one cycle of the saw; Esc ends
     it with exit code 2;
  7. Ctrl+B opens the bank window; three files dragged onto cell 100 fill 100
     to 102; Send Bank to the default port, which fails here (wine has no MIDI
     port, nor has the machine), brings up the error box, whose text (copied
     with Ctrl+C) names slot 100; Esc closes the bank window, Esc again ends
     the program with exit code 2.
Prints PASS or FAIL per check and "N passed, M failed"; exits 1 on any failure,
77 when the display tools are missing. Screenshots of every window go to
--screenshots.
"""

import argparse
import os
import shutil
import subprocess
import sys
import time

from desktop import Desktop, Geometry
from programs import DragSource, NativeProgram, WineProgram
from report import Report, RunStopped
from wave_picture import (ABOUT_RECT, CLEAR_RECT, QUIT_RECT, SEND_BANK_RECT, SEND_RECT, TWEAKER_VIEW_RECT, BankLayout,
                          DialogLayout, WavePicture, caption_looks_enabled)

SESSION_SECONDS = 230
SKIPPED = 77
MAIN_TITLE = "Harlix Wave Dump"
TWEAKER_TITLE = "Wave Tweaker"
ABOUT_TITLE = "About"
OPEN_TITLE = "Open"
IMPORT_TITLE = "Import Cycle"
BANK_TITLE = "Bank"


def overlaps(a, b):
    return a[0] < b[2] and b[0] < a[2] and a[1] < b[3] and b[1] < a[3]


def centred_over(inner, outer, tolerance=3):
    (ix, iy), (ox, oy) = inner.centre, outer.centre
    return abs(ix - ox) <= tolerance and abs(iy - oy) <= tolerance


class Session:
    def __init__(self, options, desktop, report):
        self.options = options
        self.desktop = desktop
        self.report = report
        log = os.path.join(options.work, "program.log")
        if options.wine:
            self.program = WineProgram(options.wine, options.program, options.prefix, log)
        else:
            self.program = NativeProgram(options.program, log,
                                         {"QT_QPA_PLATFORM": "xcb", "ALSA_CONFIG_PATH": options.alsa_config})
        self.drag_source = DragSource(options.drag_source, desktop)

    # --- helpers -------------------------------------------------------------

    def start_program(self, arguments=()):
        self.program.start(arguments)
        # The first start in a new prefix takes several seconds.
        window = self.desktop.wait_for_new_window(MAIN_TITLE, limit=30.0)
        code = self.program.exit_code()
        self.report.require("the main window \"Harlix Wave Dump\" appears", window is not None,
                            "no window after 30 s" if code is None else f"the program ended with exit code {code}")
        return window

    def main_picture(self, window):
        """The main window's screenshot once its picture has been painted."""
        view = self.desktop.wait_until(lambda: _found(WavePicture(self.desktop.capture(window))), 10.0)
        self.report.require("the main window shows its wave picture", bool(view))
        return view

    def wait_for_picture(self, window, condition, limit=10.0):
        """Whether the window's wave picture came to satisfy condition, and the last one seen."""
        last = [None]

        def attempt():
            last[0] = WavePicture(self.desktop.capture(window))
            return last[0].found and condition(last[0])

        return self.desktop.wait_until(attempt, limit), last[0]

    def save(self, picture, name):
        os.makedirs(self.options.screenshots, exist_ok=True)
        picture.save_png(os.path.join(self.options.screenshots, name))

    def move_window(self, window, x, y):
        """Moves window so that its top-left corner comes to (x, y); its new geometry. Wine draws its
        windows' title bars, which the user drags; the display has no window manager to draw the
        Linux program's, so it is moved as a window manager would."""
        if self.options.wine:
            return self.desktop.drag_title_bar(window, x, y)
        self.desktop.move_window(window, x, y)
        return self.desktop.geometry(window)

    def screen_point(self, window, point):
        frame = self.desktop.geometry(window)
        return frame.x + point[0], frame.y + point[1]

    def screen_rect(self, window, rect):
        frame = self.desktop.geometry(window)
        return rect[0] + frame.x, rect[1] + frame.y, rect[2] + frame.x, rect[3] + frame.y

    def drop(self, path, window, view):
        """Drags path from the drag source onto the middle of the main picture."""
        width, height = self.desktop.screen_size()
        name = os.path.basename(path)
        self.report.require(f"the drag source shows {name}",
                            self.drag_source.show(path, width - 230, height - 110))
        target = self.screen_point(window, view.point(0.5, 0.5))
        code = self.drag_source.drag_to(*target)
        self.report.check(f"the main window takes the drop of {name}", code == 0, f"drag source ended with {code}")

    def box_text(self):
        """The text of the message box that has the keyboard: under wine read from its controls, whose
        boxes do not copy it; the Linux program's box copies it on Ctrl+C."""
        if self.options.wine:
            return self.program.run_tool(self.options.box_text, [MAIN_TITLE])
        self.desktop.key("ctrl+c")
        return self.drag_source.clipboard()

    def wait_exit(self, name, expected):
        code = self.program.wait_exit(self.desktop.remaining(10.0))
        self.report.check(f"{name} ends the program with exit code {expected}", code == expected,
                          "still running" if code is None else f"exit code {code}")

    # --- runs ----------------------------------------------------------------

    def escape_run(self):
        window = self.start_program()
        view = self.main_picture(window)
        screen = Geometry(0, 0, *self.desktop.screen_size())
        frame = self.desktop.geometry(window)
        self.report.check("the main window stands in the middle of the screen", centred_over(frame, screen),
                          f"window {frame} on a {screen.width}x{screen.height} screen")
        self.report.check("before a load the picture is the empty light-blue box",
                          view.black_pixels() == 0 and not view.has_centre_line(),
                          f"{view.black_pixels()} black pixels inside the box")
        layout = DialogLayout(view)
        disabled, view = self.wait_for_picture(
            window, lambda seen: not caption_looks_enabled(seen.picture, layout, SEND_RECT), 5.0)
        self.report.check("Send is disabled before a load", disabled)
        self.save(view.picture, "session-main-empty.png")
        self.report.require("the main window gets the keyboard", self.desktop.give_keyboard_to(window),
                            self.desktop.describe_focus())
        self.desktop.key("Escape")
        self.wait_exit("Esc", 2)

    def enter_on_port_list_run(self):
        window = self.start_program()
        view = self.main_picture(window)
        layout = DialogLayout(view)
        # Tab skips Send only once the first idle pass has disabled it.
        disabled, _ = self.wait_for_picture(
            window, lambda seen: not caption_looks_enabled(seen.picture, layout, SEND_RECT), 5.0)
        self.report.require("Send is disabled at start", disabled)
        self.report.require("the main window gets the keyboard", self.desktop.give_keyboard_to(window),
                            self.desktop.describe_focus())
        self.desktop.key("Tab", "Tab", "Return")
        self.wait_exit("Tab, Tab (Quit, About..., the port list) and Enter", 1)

    def drop_and_dialogs_run(self):
        window = self.start_program()
        view = self.main_picture(window)
        layout = DialogLayout(view)
        self.load_good_file(window, view, layout)
        self.refuse_file(window, view, layout)
        self.edit_in_wave_tweaker(window, view)
        self.about_and_quit(window, layout)

    def load_good_file(self, window, view, layout):
        self.drop(os.path.join(self.options.examples, "saw.wav"), window, view)
        loaded, view = self.wait_for_picture(window, lambda seen: seen.has_centre_line())
        self.report.require("after the drop of saw.wav the picture has a centre line", loaded)
        # saw.wav rises from -32768 to 32256: bars hang below the line on the left, stand above it on the right.
        black = {"left, below the line": view.black_fraction(0.05, 0.53, 0.35, 0.60),
                 "right, above the line": view.black_fraction(0.65, 0.40, 0.95, 0.47)}
        blue = {"left, above the line": view.blue_fraction(0.05, 0.40, 0.35, 0.47),
                "right, below the line": view.blue_fraction(0.65, 0.53, 0.95, 0.60)}
        self.report.check("the picture shows saw.wav as bars rising from left to right",
                          min(black.values()) >= 0.9 and min(blue.values()) >= 0.95,
                          ", ".join([f"{place}: {value:.0%} black" for place, value in black.items()]
                                    + [f"{place}: {value:.0%} light blue" for place, value in blue.items()]))
        self.report.check("a wave of exactly 128 samples shows no red mark", view.mark_pixels() == 0,
                          f"{view.mark_pixels()} red pixels")
        enabled, view = self.wait_for_picture(
            window, lambda seen: caption_looks_enabled(seen.picture, layout, SEND_RECT), 5.0)
        self.report.check("Send is enabled after the load", enabled)
        self.save(view.picture, "session-main-loaded.png")

    def refuse_file(self, window, view, layout):
        self.drop(self.options.refused_file, window, view)
        box = self.desktop.wait_for_new_window(MAIN_TITLE, known=(window,), limit=10.0)
        self.report.require("a refused file brings up a second \"Harlix Wave Dump\" window, the warning box",
                            box is not None)
        self.save(self.desktop.capture(box), "session-warning-box.png")
        self.report.require("the warning box gets the keyboard", self.desktop.give_keyboard_to(box),
                            self.desktop.describe_focus())
        self.desktop.key("Return")
        self.report.check("Enter closes the warning box", self.desktop.wait_until_gone(box))
        emptied, _ = self.wait_for_picture(window, lambda seen: seen.black_pixels() == 0, 5.0)
        self.report.check("after the refused file the picture is the empty box again", emptied)
        disabled, _ = self.wait_for_picture(
            window, lambda seen: not caption_looks_enabled(seen.picture, layout, SEND_RECT), 5.0)
        self.report.check("Send is disabled after the refused file", disabled)

    def edit_in_wave_tweaker(self, window, view):
        self.drop(os.path.join(self.options.examples, "long-sine-600.wav"), window, view)
        loaded, view = self.wait_for_picture(window, lambda seen: seen.has_centre_line())
        self.report.require("after the drop of long-sine-600.wav the picture has a centre line", loaded)
        # One sine cycle: up in the first half, down in the second; above the line on the right is empty.
        self.report.check("the picture shows the sine: up in the first half, down in the second",
                          view.black_fraction(0.1, 0.40, 0.4, 0.47) >= 0.9
                          and view.black_fraction(0.6, 0.53, 0.9, 0.60) >= 0.9
                          and view.blue_fraction(0.62, 0.25, 0.88, 0.45) >= 0.95)
        self.report.check("a wave reduced from 600 samples shows the red mark", view.mark_pixels() >= 3,
                          f"{view.mark_pixels()} red pixels")

        self.desktop.double_click(*self.screen_point(window, view.point(0.5, 0.5)))
        tweaker = self.desktop.wait_for_new_window(TWEAKER_TITLE, limit=10.0)
        self.report.require("a double click on the picture opens the \"Wave Tweaker\"", tweaker is not None)
        self.report.check("the Wave Tweaker opens centred over the main window",
                          centred_over(self.desktop.geometry(tweaker), self.desktop.geometry(window)))
        # Off the main picture, so that only the program's own repaint can show the edit there later.
        main_view = self.screen_rect(window, view.box)
        moved = self.move_window(tweaker, 10, 10)
        self.report.require("the Wave Tweaker, moved off it, leaves the main picture uncovered",
                            not overlaps((moved.x, moved.y, moved.x + moved.width, moved.y + moved.height),
                                         main_view), f"Tweaker at {moved}")
        drawn_before = self.desktop.wait_until(lambda: _found(WavePicture(self.desktop.capture(tweaker))), 5.0)
        self.report.require("the Wave Tweaker shows its wave picture", bool(drawn_before))
        stroke_area = (0.62, 0.2, 0.88, 0.45)
        self.report.check("before drawing, the Tweaker's picture is empty above the line on the right",
                          drawn_before.blue_fraction(*stroke_area) >= 0.95)

        drawn, after = self.draw_stroke(tweaker, drawn_before, stroke_area)
        self.report.check("a mouse drag across the Tweaker's picture draws bars up to the pointer", drawn,
                          f"{after.black_fraction(*stroke_area):.0%} black where the stroke went" if after else "")
        self.save(self.desktop.capture(tweaker), "session-wave-tweaker.png")

        self.report.require("the Wave Tweaker gets the keyboard", self.desktop.give_keyboard_to(tweaker),
                            self.desktop.describe_focus())
        self.desktop.key("Return")
        self.report.check("Enter (OK) closes the Wave Tweaker", self.desktop.wait_until_gone(tweaker))
        edited, view = self.wait_for_picture(window, lambda seen: seen.black_fraction(0.62, 0.25, 0.88, 0.45) >= 0.7)
        self.report.check("the main picture shows the edit", edited)
        self.save(view.picture, "session-main-edited.png")
        self.clear_twice_in_wave_tweaker(window)

    def draw_stroke(self, tweaker, view, area):
        """A stroke high across the right part: each sample it passes becomes a bar up to the pointer."""
        start = self.screen_point(tweaker, view.point(0.6, 0.15))
        end = self.screen_point(tweaker, view.point(0.9, 0.15))
        self.desktop.move(*start)
        self.desktop.press()
        self.desktop.glide(start, end, step=2)
        self.desktop.release()
        return self.wait_for_picture(tweaker, lambda seen: seen.black_fraction(*area) >= 0.7, 5.0)

    def clear_twice_in_wave_tweaker(self, window):
        self.report.require("the main window gets the keyboard", self.desktop.give_keyboard_to(window),
                            self.desktop.describe_focus())
        self.desktop.key("ctrl+e")
        tweaker = self.desktop.wait_for_new_window(TWEAKER_TITLE, limit=10.0)
        self.report.require("Ctrl+E opens the \"Wave Tweaker\"", tweaker is not None)
        view = self.desktop.wait_until(lambda: _found(WavePicture(self.desktop.capture(tweaker))), 5.0)
        self.report.require("the Wave Tweaker shows its wave picture", bool(view))
        stroke_area = (0.62, 0.2, 0.88, 0.45)
        layout = DialogLayout(view, TWEAKER_VIEW_RECT)
        # The click gives Clear the focus, as it gives any push button.
        self.desktop.click(*self.screen_point(tweaker, layout.centre(CLEAR_RECT)))
        cleared, _ = self.wait_for_picture(tweaker, lambda seen: seen.black_fraction(*stroke_area) == 0.0, 5.0)
        self.report.check("a click on Clear clears the wave", cleared)
        drawn, _ = self.draw_stroke(tweaker, view, stroke_area)
        self.report.require("a stroke draws on the cleared wave", drawn)
        self.desktop.key("Return")
        cleared_again, _ = self.wait_for_picture(tweaker, lambda seen: seen.black_fraction(*stroke_area) == 0.0, 5.0)
        self.report.check("Enter after the click on Clear clears the wave again", cleared_again)
        time.sleep(0.5)
        self.report.check("and leaves the Wave Tweaker open", tweaker in self.desktop.windows(TWEAKER_TITLE))
        self.desktop.key("Escape")
        self.report.check("Esc closes the Wave Tweaker", self.desktop.wait_until_gone(tweaker))
        flat, _ = self.wait_for_picture(window, lambda seen: seen.black_fraction(0.1, 0.25, 0.9, 0.45) == 0.0)
        self.report.check("the main picture shows the cleared wave", flat)

    def about_and_quit(self, window, layout):
        self.desktop.click(*self.screen_point(window, layout.centre(ABOUT_RECT)))
        about = self.desktop.wait_for_new_window(ABOUT_TITLE, limit=10.0)
        self.report.require("About... opens the \"About\" window", about is not None)
        self.report.check("the About box opens centred over the main window",
                          centred_over(self.desktop.geometry(about), self.desktop.geometry(window)))
        self.save(self.desktop.capture(about), "session-about-box.png")
        self.report.require("the About box gets the keyboard", self.desktop.give_keyboard_to(about),
                            self.desktop.describe_focus())
        self.desktop.key("Return")
        self.report.check("Enter closes the About box", self.desktop.wait_until_gone(about))
        self.desktop.click(*self.screen_point(window, layout.centre(QUIT_RECT)))
        self.wait_exit("Quit", 2)

    def command_line_run(self):
        saw = os.path.join(self.options.examples, "saw.wav")
        window = self.start_program([self.program.file_argument(saw)])
        loaded, view = self.wait_for_picture(window, lambda seen: seen.has_centre_line())
        self.report.require("the file named on the command line is shown at start", loaded)
        self.report.check("the picture shows saw.wav: below the line on the left, above it on the right",
                          view.black_fraction(0.05, 0.53, 0.35, 0.60) >= 0.9
                          and view.black_fraction(0.65, 0.40, 0.95, 0.47) >= 0.9)
        self.report.require("the main window gets the keyboard", self.desktop.give_keyboard_to(window),
                            self.desktop.describe_focus())
        self.picture_menu_from_the_keyboard(window, view)
        self.desktop.key("ctrl+l")
        box = self.desktop.wait_for_new_window(MAIN_TITLE, known=(window,), limit=10.0)
        self.report.require("Ctrl+L without an audio device brings up a warning box", box is not None)
        self.save(self.desktop.capture(box), "session-listen-warning.png")
        self.report.require("the warning box gets the keyboard", self.desktop.give_keyboard_to(box),
                            self.desktop.describe_focus())
        self.desktop.key("Return")
        self.report.check("Enter closes the warning box", self.desktop.wait_until_gone(box))
        self.report.require("the main window gets the keyboard back", self.desktop.give_keyboard_to(window),
                            self.desktop.describe_focus())
        self.desktop.key("Escape")
        self.wait_exit("Esc after Listen", 2)

    def picture_menu_from_the_keyboard(self, window, view):
        before = set(self.desktop.windows_any())
        self.desktop.key("shift+F10")
        menus = self.desktop.wait_until(lambda: [w for w in self.desktop.windows_any() if w not in before], 5.0)
        self.report.require("Shift+F10 opens the picture's menu", bool(menus))
        menu = self.desktop.geometry(menus[0])
        picture = self.screen_rect(window, view.box)
        self.report.check("the menu opens at the picture",
                          picture[0] <= menu.x <= picture[2] and picture[1] <= menu.y <= picture[3],
                          f"menu at {menu}, picture at {picture}")
        # The dialog with the menu over it, from the whole screen.
        frame = self.desktop.geometry(window)
        screen = self.desktop.capture("root")
        self.save(screen.crop(frame.x, frame.y, max(frame.x + frame.width, menu.x + menu.width),
                              max(frame.y + frame.height, menu.y + menu.height)), "session-context-menu.png")
        self.desktop.key("Escape")
        self.report.check("Esc closes the menu", self.desktop.wait_until_gone(menus[0], 5.0))

    def refused_reload_run(self):
        named = os.path.join(self.options.work, "reloaded.wav")
        shutil.copyfile(os.path.join(self.options.examples, "saw.wav"), named)
        window = self.start_program([self.program.file_argument(named)])
        loaded, view = self.wait_for_picture(window, lambda seen: seen.has_centre_line())
        self.report.require("the file named on the command line is shown at start", loaded)
        layout = DialogLayout(view)
        self.report.require("the main window gets the keyboard", self.desktop.give_keyboard_to(window),
                            self.desktop.describe_focus())
        # Backwards from Quit, the first tab stop, to Reload, the last.
        self.desktop.key("shift+Tab")
        shutil.copyfile(self.options.refused_file, named)
        self.desktop.key("Return")
        box = self.desktop.wait_for_new_window(MAIN_TITLE, known=(window,), limit=10.0)
        self.report.require("Enter on Reload reads the file again and brings up the warning box", box is not None)
        self.report.require("the warning box gets the keyboard", self.desktop.give_keyboard_to(box),
                            self.desktop.describe_focus())
        self.desktop.key("Return")
        self.report.check("Enter closes the warning box", self.desktop.wait_until_gone(box))
        disabled, _ = self.wait_for_picture(
            window, lambda seen: not caption_looks_enabled(seen.picture, layout, SEND_RECT), 5.0)
        self.report.require("Send and Reload are disabled after the refused Reload", disabled)
        self.report.require("the main window gets the keyboard back", self.desktop.give_keyboard_to(window),
                            self.desktop.describe_focus())
        self.desktop.key("Tab", "Escape")
        self.wait_exit("Tab, then Esc after the refused Reload", 2)

    def import_cycle_run(self):
        window = self.start_program()
        view = self.main_picture(window)
        self.report.require("the main window gets the keyboard", self.desktop.give_keyboard_to(window),
                            self.desktop.describe_focus())
        self.desktop.key("ctrl+i")
        chooser = self.desktop.wait_for_new_window(OPEN_TITLE, limit=10.0)
        self.report.require("Ctrl+I opens the file chooser", chooser is not None)
        self.report.require("the file chooser gets the keyboard", self.desktop.give_keyboard_to(chooser),
                            self.desktop.describe_focus())
        self.desktop.type(self.program.file_argument(self.options.recording))
        self.desktop.key("Return")
        importer = self.desktop.wait_for_new_window(IMPORT_TITLE, limit=10.0)
        self.report.require("Enter on the recording's path opens the \"Import Cycle\" window", importer is not None)
        shown = self.desktop.wait_until(lambda: _found(WavePicture(self.desktop.capture(importer))), 5.0)
        self.report.check("the Import Cycle window shows the cycle's picture", bool(shown))
        self.save(self.desktop.capture(importer), "session-import-cycle.png")
        self.report.require("the Import Cycle window gets the keyboard", self.desktop.give_keyboard_to(importer),
                            self.desktop.describe_focus())
        self.desktop.key("Return")
        self.report.require("Enter (OK) closes the Import Cycle window", self.desktop.wait_until_gone(importer))
        one_cycle, view = self.wait_for_picture(window, lambda seen: seen.shows_one_cycle())
        self.report.check("the main picture shows one cycle of the saw, not a run of them", one_cycle,
                          f"the bars change side {view.side_changes()} times" if view and view.found else "")
        self.save(view.picture, "session-main-imported.png")
        self.report.require("the main window gets the keyboard back", self.desktop.give_keyboard_to(window),
                            self.desktop.describe_focus())
        self.desktop.key("Escape")
        self.wait_exit("Esc after Import Cycle", 2)

    def bank_run(self):
        window = self.start_program()
        self.main_picture(window)
        self.report.require("the main window gets the keyboard", self.desktop.give_keyboard_to(window),
                            self.desktop.describe_focus())
        self.desktop.key("ctrl+b")
        bank = self.desktop.wait_for_new_window(BANK_TITLE, limit=10.0)
        self.report.require("Ctrl+B opens the \"Bank\" window", bank is not None)
        layout = self.desktop.wait_until(lambda: _found(BankLayout(self.desktop.capture(bank))), 10.0)
        self.report.require("the bank window shows its 32 cells", bool(layout))

        files = [os.path.join(self.options.examples, name) for name in ("square.wav", "saw.wav", "sine.wav")]
        width, height = self.desktop.screen_size()
        self.report.require("the drag source shows three files",
                            self.drag_source.show(files, width - 230, height - 110))
        code = self.drag_source.drag_to(*self.screen_point(bank, layout.cell_centre(3)))
        self.report.check("the bank window takes the drop of three files on cell 100", code == 0,
                          f"drag source ended with {code}")
        filled = self.desktop.wait_until(
            lambda: _filled(BankLayout(self.desktop.capture(bank)), (3, 4, 5), (2, 6)), 5.0)
        self.report.check("the three waves fill cells 100 to 102 and no other", bool(filled))
        self.save((filled or layout).picture, "session-bank.png")

        self.desktop.click(*self.screen_point(bank, layout.centre(SEND_BANK_RECT)))
        box = self.desktop.wait_for_new_window(MAIN_TITLE, known=(window,), limit=15.0)
        self.report.require("Send Bank to a port that fails brings up the error box", box is not None)
        self.save(self.desktop.capture(box), "session-bank-error.png")
        self.report.require("the error box gets the keyboard", self.desktop.give_keyboard_to(box),
                            self.desktop.describe_focus())
        text = self.desktop.wait_until(lambda: _naming(self.box_text(), "Slot 100 was not sent."), 5.0)
        self.report.check("the error box names slot 100", bool(text), repr(self.box_text()))
        self.desktop.key("Return")
        self.report.check("Enter closes the error box", self.desktop.wait_until_gone(box))
        self.report.require("the bank window gets the keyboard back", self.desktop.give_keyboard_to(bank),
                            self.desktop.describe_focus())
        self.desktop.key("Escape")
        self.report.check("Esc closes the bank window", self.desktop.wait_until_gone(bank))
        self.report.require("the main window gets the keyboard back", self.desktop.give_keyboard_to(window),
                            self.desktop.describe_focus())
        self.desktop.key("Escape")
        self.wait_exit("Esc after the bank", 2)

    def run(self, name, body):
        try:
            body()
        except RunStopped:
            self.report.note(f"{name}: the rest of this run depends on that check and is left out")
        except (RuntimeError, subprocess.SubprocessError, OSError, ValueError) as error:
            self.report.check(f"{name} runs to its end", False, str(error))
        finally:
            if self.program.running():
                self.report.note(f"{name}: the program was still running and is ended")
            self.program.stop()
            self.drag_source.stop()


def _found(view):
    return view if view.found else None


def _filled(layout, filled, empty):
    """The layout when the cells filled show a wave and the cells empty do not."""
    if not layout.found:
        return None
    shown = all(layout.blue_pixels(cell) > 50 for cell in filled)
    return layout if shown and not any(layout.blue_pixels(cell) for cell in empty) else None


def _naming(text, words):
    return text if text is not None and words in text else None


def make_refused_file(work):
    """A stereo WAV written by sox: a real file that the program must refuse."""
    path = os.path.join(work, "stereo.wav")
    subprocess.run(["sox", "-n", "-r", "44100", "-b", "16", "-c", "2", path, "synth", "128s", "sine", "440"],
                   check=True, timeout=30)
    return path


def make_recording(work):
    """A recording as a user would import a cycle from: three seconds of a 110 Hz saw, stereo, 24-bit, by sox."""
    path = os.path.join(work, "saw-110.wav")
    subprocess.run(["sox", "-V1", "-n", "-r", "44100", "-b", "24", "-c", "2", path, "synth", "3", "sawtooth", "110",
                    "gain", "-3"], check=True, timeout=30)
    return path


def parse_options():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--program", required=True, help="harlix-wave-dump.exe, or the Linux harlix-wave-dump")
    parser.add_argument("--wine", help="the wine loader, for the Windows program")
    parser.add_argument("--prepare-prefix", help="tools/wine/prepare-prefix.sh, for the Windows program")
    parser.add_argument("--alsa-config", help="an ALSA configuration without an audio device, for the Linux program")
    parser.add_argument("--drag-source", required=True, help="the drag-source program")
    parser.add_argument("--box-text", help="box-text.exe, which reads a box's text under wine")
    parser.add_argument("--examples", required=True, help="folder with saw.wav and long-sine-600.wav")
    parser.add_argument("--screenshots", required=True, help="folder for the PNG screenshots")
    parser.add_argument("--work", required=True, help="scratch folder: wine prefix, refused file, program log")
    options = parser.parse_args()
    # Wine wants an absolute prefix, and the programs run from other folders.
    for name in ("program", "prepare_prefix", "alsa_config", "drag_source", "examples", "screenshots", "work"):
        if getattr(options, name):
            setattr(options, name, os.path.abspath(getattr(options, name)))
    if options.wine and not options.prepare_prefix:
        parser.error("--wine needs --prepare-prefix")
    if not options.wine and not options.alsa_config:
        parser.error("the Linux program needs --alsa-config")
    return options


def main():
    options = parse_options()
    missing = [tool for tool in ("xdotool", "import", "sox") if shutil.which(tool) is None]
    if missing or not os.environ.get("DISPLAY"):
        print(f"SKIP no {', '.join(missing) or 'DISPLAY'}: run under tools/wine/with-display.sh with xdotool, "
              "imagemagick and sox installed")
        return SKIPPED
    deadline = time.monotonic() + SESSION_SECONDS
    os.makedirs(options.work, exist_ok=True)
    # A prefix of its own: wine programs on two displays that share a prefix lose their keys.
    options.prefix = os.path.join(options.work, "wineprefix")
    report = Report()
    try:
        if options.wine:
            subprocess.run([options.prepare_prefix, options.prefix], check=True, timeout=150)
        options.refused_file = make_refused_file(options.work)
        options.recording = make_recording(options.work)
    except (subprocess.SubprocessError, OSError) as error:
        report.check("the wine prefix and the files to load are made", False, str(error))
        return report.summary()
    session = Session(options, Desktop(deadline), report)
    session.run("Esc run", session.escape_run)
    session.run("port list run", session.enter_on_port_list_run)
    session.run("drop run", session.drop_and_dialogs_run)
    session.run("command line run", session.command_line_run)
    session.run("refused Reload run", session.refused_reload_run)
    session.run("Import Cycle run", session.import_cycle_run)
    session.run("bank run", session.bank_run)
    session.program.end_server()
    return report.summary()


if __name__ == "__main__":
    sys.exit(main())
