"""Reading the wave picture and the main dialog's buttons off a screenshot.

The picture is a box of light blue (128, 128, 255) inside a one-pixel black
outline; a loaded wave adds black bars from a black centre line, and a wave
reduced from a longer file a red (255, 0, 128) "*" near the top-left corner.
Regions are given as fractions of the blue box, so the checks hold at any
dialog font size.
"""

from picture import is_black, is_dark

LIGHT_BLUE = (128, 128, 255)
MARK_RED = (255, 0, 128)

# The main dialog's layout in dialog units (x, y, width, height).
MAIN_VIEW_RECT = (18, 83, 168, 62)
SEND_RECT = (204, 10, 50, 14)
ABOUT_RECT = (204, 27, 50, 14)
QUIT_RECT = (204, 44, 50, 14)
# The Wave Tweaker's.
TWEAKER_VIEW_RECT = (7, 7, 256, 219)
CLEAR_RECT = (272, 100, 50, 14)
# The bank window's: its picture of 32 cells, 8 to a row, outlined in a grey of their own, and Send Bank.
BANK_VIEW_RECT = (7, 7, 320, 148)
SEND_BANK_RECT = (7, 177, 60, 14)
BANK_GRID = (150, 150, 170)


class WavePicture:
    """The wave view found in a screenshot of its dialog."""

    def __init__(self, picture):
        self.picture = picture
        self.box = picture.bounding_box(LIGHT_BLUE)

    @property
    def found(self):
        return self.box is not None and self.box[2] - self.box[0] > 20 and self.box[3] - self.box[1] > 20

    def region(self, left, top, right, bottom):
        """Pixel rectangle of the given fractions of the blue box."""
        x0, y0, x1, y1 = self.box
        width, height = x1 - x0, y1 - y0
        return (round(x0 + left * width), round(y0 + top * height),
                round(x0 + right * width), round(y0 + bottom * height))

    def point(self, fx, fy):
        x0, y0, x1, y1 = self.box
        return x0 + fx * (x1 - x0), y0 + fy * (y1 - y0)

    def fraction(self, rect, accept):
        area = (rect[2] - rect[0]) * (rect[3] - rect[1])
        return self.picture.count(rect, accept) / area if area > 0 else 0.0

    def black_fraction(self, left, top, right, bottom):
        return self.fraction(self.region(left, top, right, bottom), is_black)

    def blue_fraction(self, left, top, right, bottom):
        return self.fraction(self.region(left, top, right, bottom), lambda rgb: rgb == LIGHT_BLUE)

    def black_pixels(self):
        return self.picture.count(self.box, is_black)

    def has_centre_line(self):
        """A row near the middle that is black from edge to edge."""
        x0, y0, x1, y1 = self.box
        middle = (y0 + y1) // 2
        return any(self.picture.count((x0, y, x1, y + 1), is_black) >= 0.97 * (x1 - x0)
                   for y in range(middle - 2, middle + 3))

    def bar_sides(self):
        """Per column of the box: 1 where its bar stands above the centre line, -1 where it hangs below,
        0 where it is too short to tell."""
        x0, y0, x1, y1 = self.box
        middle = (y0 + y1) // 2
        sides = []
        for x in range(x0, x1):
            above = self.picture.count((x, y0, x + 1, middle - 2), is_black)
            below = self.picture.count((x, middle + 3, x + 1, y1), is_black)
            sides.append(0 if max(above, below) < 3 else 1 if above > below else -1)
        return sides

    def side_changes(self):
        """How often the bars cross from one side of the line to the other, left to right."""
        sides = [side for side in self.bar_sides() if side]
        return sum(1 for left, right in zip(sides, sides[1:]) if left != right)

    def shows_one_cycle(self):
        """One cycle of a wave: its bars on each side of the line for a good part of the width, crossing
        over once or twice; a run of cycles crosses over many times."""
        sides = self.bar_sides()
        return (min(sides.count(1), sides.count(-1)) >= 0.25 * len(sides) and self.has_centre_line()
                and self.side_changes() <= 2)

    def mark_pixels(self):
        return self.picture.count(self.region(0.0, 0.0, 0.15, 0.3), lambda rgb: rgb == MARK_RED)


class DialogLayout:
    """Where a dialog's buttons are, in window pixels, worked out from where its view is.

    The view's outer rectangle is the blue box plus the outline and the
    one-pixel sunken edge; its size in pixels against its size in dialog units
    gives the dialog-unit scale, its position the origin of the client area.
    """

    def __init__(self, view, view_rect=MAIN_VIEW_RECT):
        x0, y0, x1, y1 = view.box
        vx, vy, vw, vh = view_rect
        self.scale_x = (x1 - x0 + 4) / vw
        self.scale_y = (y1 - y0 + 4) / vh
        self.origin_x = x0 - 2 - vx * self.scale_x
        self.origin_y = y0 - 2 - vy * self.scale_y

    def centre(self, rect):
        x, y, width, height = rect
        return (self.origin_x + (x + width / 2) * self.scale_x, self.origin_y + (y + height / 2) * self.scale_y)

    def text_area(self, rect):
        """The middle of a push button, where its caption is drawn, clear of its border and focus frame."""
        cx, cy = self.centre(rect)
        half_width, half_height = rect[2] * self.scale_x * 0.3, rect[3] * self.scale_y * 0.25
        return (round(cx - half_width), round(cy - half_height), round(cx + half_width), round(cy + half_height) + 1)


class BankLayout:
    """The bank window's cells and buttons in window pixels, from where the cells' grid lies: the grid
    fills the picture's client area, inside its one-pixel sunken edge."""

    def __init__(self, picture):
        self.picture = picture
        self.grid = picture.bounding_box(BANK_GRID)

    @property
    def found(self):
        return self.grid is not None and self.grid[2] - self.grid[0] > 100

    def cell(self, index):
        """(left, top, right, bottom) of cell index (0 is slot 097)."""
        x0, y0, x1, y1 = self.grid
        column, row = index % 8, index // 8
        return (x0 + column * (x1 - x0) // 8, y0 + row * (y1 - y0) // 4,
                x0 + (column + 1) * (x1 - x0) // 8, y0 + (row + 1) * (y1 - y0) // 4)

    def cell_centre(self, index):
        left, top, right, bottom = self.cell(index)
        return (left + right) / 2, (top + bottom) / 2

    def blue_pixels(self, index):
        return self.picture.count(self.cell(index), lambda rgb: rgb == LIGHT_BLUE)

    def centre(self, rect):
        x0, y0, x1, y1 = self.grid
        vx, vy, vw, vh = BANK_VIEW_RECT
        scale_x, scale_y = (x1 - x0 + 2) / vw, (y1 - y0 + 2) / vh
        x, y, width, height = rect
        return (x0 - 1 + (x - vx + width / 2) * scale_x, y0 - 1 + (y - vy + height / 2) * scale_y)


def caption_looks_enabled(picture, layout, rect):
    """A push button's caption is drawn in the window-text colour when enabled, in grey when disabled."""
    return picture.count(layout.text_area(rect), is_dark) >= 10
